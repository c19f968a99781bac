# Sourced by the comparison scripts: install_missing PACKAGE... installs with apt-get those of
# the Debian packages that are not installed yet (through sudo when not run as root).
install_missing() {
    local sudo=() missing=() p
    [ "$(id -u)" -eq 0 ] || sudo=(sudo)
    for p in "$@"; do
        if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
            missing+=("$p")
        fi
    done
    if [ ${#missing[@]} -gt 0 ]; then
        echo "Installing: ${missing[*]}" >&2
        "${sudo[@]}" apt-get update -qq
        DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends \
            "${missing[@]}" >&2
    fi
}
