# shellcheck shell=bash
# Sourced by the scripts that open big files: BigFile NAME writes the file once into $cache
# (text lines of 70 bytes with LF breaks; "empty" is 50,000,000 LF bytes) and prints its path.
# shellcheck disable=SC2154 # cache is the sourcing script's
BigFile() {
    local name=$1 path=$cache/$1.txt
    if [[ ! -s $path ]]; then
        case $name in
        100mb) yes 'The quick brown fox jumps over the lazy dog, then rests for a while.' |
            head -c 100000000 >"$path.part" ;;
        1gb) yes 'The quick brown fox jumps over the lazy dog, then rests for a while.' |
            head -c 1000000000 >"$path.part" ;;
        empty) yes '' | head -n 50000000 >"$path.part" ;;
        tiny) printf x >"$path.part" ;;
        esac
        mv "$path.part" "$path"
    fi
    echo "$path"
}
