#!/usr/bin/env bash
# Times `tabrix-cli html` against other syntax highlighters writing HTML of the same 20 MB file,
# per language, and prints one Markdown table: MB/s, peak memory, and our ratio to the fastest
# peer. Usage: bash bench/compare-highlighters.sh [build folder]   (default: build)
#
# Installs what it needs on a fresh Debian machine: the build's packages (through
# scripts/install-deps.sh) and tabrix-cli when it is not built, GNU time, and the peers from
# Debian's packages: kate-syntax-highlighter (libkf5syntaxhighlighting-tools), highlight,
# source-highlight, pygmentize (python3-pygments).
#
# Inputs are cached in ${TMPDIR:-/tmp}/tabrix-compare/: for each language the files of that kind
# found on the machine (/usr/include, /usr/share, /usr/lib), or this repository's highlighter
# samples where the machine has less than 1 MB of them, repeated up to 20 MB.
#
# LANGUAGES (names as in the table, space-separated) limits the run to those languages.
# tabrix-cli runs RUNS times (default 9: a run takes a tenth of a second, and /usr/bin/time counts
# in 10 ms steps, so the best of few runs swings by a fifth), each peer PEER_RUNS times (default
# 3), on the file with its output to /dev/null, under /usr/bin/time; a run longer than LIMIT seconds (default 600) is stopped, and the tool's row
# shows the bound that proves ("< 0.3": slower than 20 MB in LIMIT seconds).
# MB/s is taken from the best run's CPU time (user + system), which a machine shared with other
# work disturbs least; the best wall-clock MB/s is printed beside it. Peak memory is the largest
# maximum resident set size of the runs.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=$(realpath -m "${1:-$root/build}")
runs=${RUNS:-9}
peer_runs=${PEER_RUNS:-3}
limit=${LIMIT:-600}
size=$((20 * 1000 * 1000))
cache=${TMPDIR:-/tmp}/tabrix-compare
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# ---- What is needed ---------------------------------------------------------------------------

source "$root/bench/install-peers.sh"
install_missing time libkf5syntaxhighlighting-tools highlight source-highlight python3-pygments

cli=$build/bin/tabrix-cli
if [ ! -x "$cli" ]; then
    echo "Building tabrix-cli in $build" >&2
    bash "$root/scripts/install-deps.sh" >&2
    [ -f "$build/build.ninja" ] ||
        cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >&2
    cmake --build "$build" --target tabrix-cli >&2
fi

# ---- Languages ---------------------------------------------------------------------------------
# name | our extension | file patterns on the machine | kate | highlight | source-highlight | pygments
languages=(
    "C++|.cpp|*.h *.hpp *.hh *.cc *.cpp|C++|cpp|cpp|cpp"
    "Java|.java|*.java|Java|java|java|java"
    "HTML|.html|*.html *.htm|HTML|html|html|html"
    "CSS|.css|*.css|CSS|css|css|css"
    "XML|.xml|*.xml *.xsd *.svg|XML|xml|xml|xml"
    "Perl|.pl|*.pm *.pl|Perl|pl|perl|perl"
    "PHP|.php|*.php|PHP (HTML)|php|php|php"
    "SQL|.sql|*.sql|SQL|sql|sql|sql"
    "INI|.ini|*.ini *.desktop|INI Files|ini|ini|ini"
    "Pascal|.pas|*.pas *.pp *.inc|Pascal|pas|pascal|delphi"
    "Basic|.bas|*.bas *.vb *.vbs|KBasic|bas|vbscript|vbnet"
)

sample_dir() {
    case $1 in
    .cpp) echo cpp ;; .java) echo java ;; .html) echo html ;; .css) echo css ;; .xml) echo xml ;;
    .pl) echo perl ;; .php) echo php ;; .sql) echo sql ;; .ini) echo ini ;; .pas) echo pas ;;
    .bas) echo bas ;;
    esac
}

# Writes the 20 MB input of a language to $3 from files on the machine (patterns $2) or the
# repository's samples.
build_input() {
    local extension=$1 patterns=$2 out=$3 list=$work/files pattern
    : >"$list"
    for pattern in $patterns; do
        find /usr/include /usr/share /usr/lib -xdev -type f -name "$pattern" -size -4M \
            -readable 2>/dev/null | LC_ALL=C sort >>"$list" || true
    done
    local found=0
    if [ -s "$list" ]; then
        # head stops reading early: the cat before it dies of the closed pipe, as intended.
        found=$({ tr '\n' '\0' <"$list" | xargs -0 cat 2>/dev/null || true; } |
            head -c $((1024 * 1024)) | wc -c)
    fi
    if [ "$found" -lt $((1024 * 1024)) ]; then
        find "$root/tests/data/highlight/$(sample_dir "$extension")" -type f ! -name '*.tokens' |
            LC_ALL=C sort >"$list"
    fi
    : >"$out.part"
    while [ "$(stat -c %s "$out.part")" -lt "$size" ]; do
        tr '\n' '\0' <"$list" | xargs -0 cat 2>/dev/null >>"$out.part" || true
        printf '\n' >>"$out.part"
    done
    head -c "$size" "$out.part" >"$out"
    rm -f "$out.part"
}

# ---- Timing ------------------------------------------------------------------------------------

# Runs a command $1 times; prints "cpu_mbs wall_mbs peak_mb", "timeout" when a run took longer
# than the limit, or "failed" when one failed.
measure() {
    local times=$1 best_cpu='' best_wall='' peak=0 run line wall user system rss
    shift
    for ((run = 1; run <= times; run++)); do
        local status=0
        /usr/bin/time -f '%e %U %S %M' -o "$work/time" timeout "$limit" "$@" \
            >/dev/null 2>"$work/stderr" || status=$?
        if [ "$status" -eq 124 ]; then
            echo timeout
            return
        elif [ "$status" -ne 0 ]; then
            echo failed
            return
        fi
        read -r wall user system rss < <(tail -n 1 "$work/time")
        line=$(awk -v w="$wall" -v u="$user" -v s="$system" 'BEGIN { printf "%.3f %.3f", u + s, w }')
        read -r cpu wall <<<"$line"
        if [ -z "$best_cpu" ] || awk -v a="$cpu" -v b="$best_cpu" 'BEGIN { exit !(a < b) }'; then
            best_cpu=$cpu
        fi
        if [ -z "$best_wall" ] || awk -v a="$wall" -v b="$best_wall" 'BEGIN { exit !(a < b) }'; then
            best_wall=$wall
        fi
        [ "$rss" -gt "$peak" ] && peak=$rss
    done
    awk -v c="$best_cpu" -v w="$best_wall" -v p="$peak" -v n="$size" 'BEGIN {
        if (c < 0.001) c = 0.001
        if (w < 0.001) w = 0.001
        printf "%.1f %.1f %.1f", n / 1e6 / c, n / 1e6 / w, p / 1024 }'
}

# Sets command to the tool's command line for the current language and input.
set_command() {
    case $1 in
    kate) command=(/usr/bin/kate-syntax-highlighter -s "$kate" "$input") ;;
    highlight) command=(/usr/bin/highlight -S "$highlight_lang" -O html -i "$input") ;;
    source-highlight)
        command=(/usr/bin/source-highlight -s "$source_lang" -f html -i "$input" -o STDOUT)
        ;;
    pygmentize) command=(/usr/bin/pygmentize -l "$pygments_lang" -f html -O full "$input") ;;
    tabrix) command=("$cli" --codepage utf-8 html --syntax "$extension" "$input") ;;
    esac
}

mkdir -p "$cache"
export LC_ALL=C.UTF-8
# Some tools leave files of their own beside the output (highlight writes highlight.css).
cd "$work"
rows=()
echo "Machine: $(nproc) cores, load average $(cut -d' ' -f1-3 /proc/loadavg);" \
    "$runs runs of ours, $peer_runs of each peer" >&2
printf '| Language | Tool | MB/s (CPU) | MB/s (wall) | Peak memory (MB) |\n'
printf '|---|---|---:|---:|---:|\n'
summary=()
for entry in "${languages[@]}"; do
    IFS='|' read -r name extension patterns kate highlight_lang source_lang pygments_lang <<<"$entry"
    [ -z "${LANGUAGES:-}" ] || [[ " $LANGUAGES " == *" $name "* ]] || continue
    input=$cache/input-20mb$extension
    [ -s "$input" ] || build_input "$extension" "$patterns" "$input"
    best_peer="" best_peer_name="" best_peer_wall="" ours=0 ours_wall=0 ours_peak=failed
    peers=()
    for tool in kate highlight source-highlight pygmentize tabrix; do
        set_command "$tool"
        echo "$name: $tool" >&2
        times=$peer_runs
        [ "$tool" = tabrix ] && times=$runs
        result=$(measure "$times" "${command[@]}")
        if [ "$result" = failed ]; then
            rows+=("| $name | $tool | failed | | |")
            continue
        fi
        if [ "$result" = timeout ]; then
            bound=$(awk -v n="$size" -v l="$limit" 'BEGIN { printf "%.2f", n / 1e6 / l }')
            rows+=("| $name | $tool | | < $bound | |")
            continue
        fi
        read -r cpu_mbs wall_mbs peak_mb <<<"$result"
        if [ "$tool" = tabrix ]; then
            ours=$cpu_mbs
            ours_wall=$wall_mbs
            ours_peak=$peak_mb
        else
            peers+=("$cpu_mbs $wall_mbs $tool")
        fi
        rows+=("| $name | $tool | $cpu_mbs | $wall_mbs | $peak_mb |")
    done
    # The fastest peer that wrote the whole text (some stop early on input they dislike).
    while read -r cpu_mbs wall_mbs tool; do
        [ -n "$tool" ] || continue
        set_command "$tool"
        written=$({ "${command[@]}" 2>/dev/null || true; } | wc -c)
        if [ "$written" -ge "$size" ]; then
            best_peer=$cpu_mbs
            best_peer_wall=$wall_mbs
            best_peer_name=$tool
            break
        fi
        echo "$name: $tool wrote $written bytes of HTML for $size bytes of text: not counted" >&2
        for i in "${!rows[@]}"; do
            [[ ${rows[$i]} == "| $name | $tool |"* ]] &&
                rows[$i]="| $name | $tool | incomplete output | | |"
        done
    done < <(printf '%s\n' "${peers[@]}" | sort -k1,1 -g -r)
    printf '%s\n' "${rows[@]}"
    rows=()
    if [ -n "$best_peer" ]; then
        summary+=("$(awk -v n="$name" -v o="$ours" -v ow="$ours_wall" -v p="$best_peer" \
            -v pw="$best_peer_wall" -v t="$best_peer_name" -v m="$ours_peak" 'BEGIN {
            printf "| %s | %s | %.1f | %.1f | %.1fx | %.1fx | %s |", n, t, p, o, o / p, ow / pw, m }')")
    else
        summary+=("| $name | none | | $ours | | | $ours_peak |")
    fi
done
printf '\n| Language | Fastest peer | Peer MB/s (CPU) | Ours MB/s (CPU) | Ratio (CPU) | Ratio (wall) | Our peak memory (MB) |\n'
printf '|---|---|---:|---:|---:|---:|---:|\n'
printf '%s\n' "${summary[@]}"
