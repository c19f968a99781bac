#!/usr/bin/env bash
# The real program opening big files, as a user starts it: `tabrix-pro FILE` under Xvfb and
# openbox, measured by /usr/bin/time -v. Prints, per file, the seconds until the window's
# title names the file (the file is loaded and its tab shown) and the process's peak resident
# memory against the file's size, with the targets. A file of one byte is opened first: its
# time is the program's start-up, which every other time includes.
# Usage: bash bench/measure_program.sh <tabrix-pro executable> [X display number, default 33]
#        TABRIX_MEASURE_FILES="100mb empty" limits the files (100mb, 1gb, empty).
set -euo pipefail

program=${1:?usage: bash bench/measure_program.sh <tabrix-pro executable> [display]}
display=:${2:-33}
cache=${TMPDIR:-/tmp}/tabrix-bench
files=${TABRIX_MEASURE_FILES:-100mb 1gb empty}
[[ -x $program ]] || { echo "no $program" >&2; exit 1; }
mkdir -p "$cache"

source "$(dirname "$0")/big-files.sh"

# name -> "seconds-target peak-target (times the file)"
declare -A targets=([100mb]="3 2" [1gb]="3 1.5" [empty]="1 10")

scratch=$(mktemp -d "$cache/measure.XXXXXX")
Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
sleep 1
DISPLAY=$display openbox >/dev/null 2>&1 &
openbox=$!
cleanup() {
    kill "$openbox" "$xvfb" 2>/dev/null || true
    wait "$openbox" "$xvfb" 2>/dev/null || true
    rm -rf "$scratch"
}
trap cleanup EXIT
sleep 1

missed=0
for name in tiny $files; do
    path=$(BigFile "$name")
    size=$(stat -c %s "$path")
    home=$scratch/home-$name
    mkdir -p "$home"
    start=$(date +%s%N)
    HOME=$home XDG_CONFIG_HOME=$home/.config XDG_DATA_HOME=$home/.local/share DISPLAY=$display \
        /usr/bin/time -v -o "$scratch/$name.time" "$program" "$path" >/dev/null 2>&1 &
    timer=$!
    seconds=
    for ((i = 0; i < 1200; i++)); do
        if DISPLAY=$display xdotool search --name "\\[$path\\]" >/dev/null 2>&1; then
            seconds=$(awk -v ns=$(($(date +%s%N) - start)) 'BEGIN { printf "%.2f", ns / 1e9 }')
            break
        fi
        sleep 0.05
    done
    sleep 1 # let it paint the first screen
    child=$(pgrep -P "$timer" || true)
    [[ -n $child ]] && kill -TERM "$child"
    wait "$timer" || true
    peak_kb=$(awk -F': ' '/Maximum resident set size/ { print $2 }' "$scratch/$name.time")
    if [[ $name == tiny ]]; then
        echo "SUMMARY start-up (a file of one byte): ${seconds:-never} s, peak $((peak_kb / 1024)) MB"
        continue
    fi
    read -r time_target peak_target <<<"${targets[$name]}"
    ratio=$(awk -v kb="$peak_kb" -v size="$size" 'BEGIN { printf "%.2f", kb * 1024 / size }')
    verdict=met
    if [[ -z $seconds ]] || awk -v s="$seconds" -v t="$time_target" -v r="$ratio" \
        -v p="$peak_target" 'BEGIN { exit !(s > t || r > p) }'; then
        verdict=MISSED
        missed=1
    fi
    echo "SUMMARY open $name ($size bytes): ${seconds:-never} s, peak $((peak_kb / 1024)) MB =" \
        "$ratio x the file (targets: under $time_target s, under $peak_target x): $verdict"
done
exit $((missed ? 3 : 0))
