#!/usr/bin/env bash
# Opening big files in tabrix-pro and in kwrite, in one run, with the machine idle and under a
# load this script makes itself. Prints one Markdown table: per file and program the seconds
# until the window's title names the file (best of RUNS), the ratio of loaded to idle, and the
# best runs' CPU time and minor page faults, and the largest peak resident memory of the runs.
# Usage: bash bench/compare-open.sh [[LABEL=]tabrix-pro executable ...]
#        (default: build/bin/tabrix-pro; several builds, e.g. before=A after=B, share one run)
# RUNS (default 3) runs each; LIMIT (default 120) seconds before a run is stopped, and the rows
# then show the bound; FILES (default "1gb 100mb"); LOAD_PER_CORE (default 1) busy loops per
# core while loaded. Installs kwrite, Xvfb, openbox, xdotool and GNU time when missing.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
runs=${RUNS:-3}
limit=${LIMIT:-120}
files=${FILES:-1gb 100mb}
per_core=${LOAD_PER_CORE:-1}
cache=${TMPDIR:-/tmp}/tabrix-bench
source "$root/bench/big-files.sh"

source "$root/bench/install-peers.sh"
install_missing kwrite xvfb openbox xdotool time

# "label=path" per program; kwrite last.
programs=()
for argument in "${@:-tabrix-pro=$root/build/bin/tabrix-pro}"; do
    [[ $argument == *=* ]] || argument="tabrix-pro=$argument"
    [[ -x ${argument#*=} ]] || { echo "no ${argument#*=}" >&2; exit 1; }
    programs+=("$argument")
done
programs+=("kwrite=/usr/bin/kwrite")

mkdir -p "$cache"
scratch=$(mktemp -d "$cache/compare.XXXXXX")
servers=()
load=()
stop_load() {
    [ ${#load[@]} -eq 0 ] || kill "${load[@]}" 2>/dev/null || true
    [ ${#load[@]} -eq 0 ] || wait "${load[@]}" 2>/dev/null || true
    load=()
}
cleanup() {
    stop_load
    [ ${#servers[@]} -eq 0 ] || kill "${servers[@]}" 2>/dev/null || true
    [ ${#servers[@]} -eq 0 ] || wait "${servers[@]}" 2>/dev/null || true
    rm -rf "$scratch"
}
trap cleanup EXIT

# Every program on a display of its own, from :61 on.
displays=()
for ((i = 0; i < ${#programs[@]}; i++)); do
    display=:$((61 + i))
    Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    servers+=($!)
    sleep 1
    DISPLAY=$display openbox >/dev/null 2>&1 &
    servers+=($!)
    displays+=("$display")
done
sleep 1

start_load() {
    local i
    for ((i = 0; i < $(nproc) * per_core; i++)); do
        bash -c 'while :; do :; done' &
        load+=($!)
    done
}

# Opens $3 with program $2 (label $1) on display $4 once, in a fresh home. Prints "seconds
# user system faults peak_kb", seconds being "timeout" past the limit. A window of the
# program's that is neither its main window nor one the toolkit keeps ends the wait too (a
# question before the text shows): its title goes to $scratch/questions.
open_once() {
    local label=$1 program=$2 path=$3 display=$4 home pattern waiting start timer child
    local seconds=timeout i name id
    home=$(mktemp -d "$scratch/home.XXXXXX")
    if [[ $label == kwrite ]]; then
        pattern="^$(basename "$path")( |$)"
        waiting='^(KWrite|Qt Selection Owner.*)$'
    else
        pattern="\\[$path\\]"
        waiting='^(Tabrix Pro |Qt Selection Owner.*)$'
    fi
    start=$(date +%s%N)
    HOME=$home XDG_CONFIG_HOME=$home/.config XDG_DATA_HOME=$home/.local/share \
        XDG_CACHE_HOME=$home/.cache XDG_RUNTIME_DIR=$home DISPLAY=$display \
        /usr/bin/time -v -o "$home/time" "$program" "$path" >/dev/null 2>&1 &
    timer=$!
    child=
    for ((i = 0; i < limit * 20; i++)); do
        [ -n "$child" ] || child=$(pgrep -P "$timer" || true)
        if [ -n "$child" ]; then
            while read -r id; do
                name=$(DISPLAY=$display xdotool getwindowname "$id" 2>/dev/null || true)
                if [[ $name =~ $pattern ]] || ! [[ $name =~ $waiting ]]; then
                    seconds=$(awk -v ns=$(($(date +%s%N) - start)) \
                        'BEGIN { printf "%.2f", ns / 1e9 }')
                    [[ $name =~ $pattern ]] || echo "$label, $(basename "$path"): \"$name\"" \
                        >>"$scratch/questions"
                    break 2
                fi
            done < <(DISPLAY=$display xdotool search --onlyvisible --pid "$child" --name . \
                2>/dev/null || true)
        fi
        sleep 0.05
    done
    sleep 1 # let it paint the first screen
    [ -z "$child" ] || kill -TERM "$child" 2>/dev/null || true
    sleep 1
    [ -z "$child" ] || kill -KILL "$child" 2>/dev/null || true
    wait "$timer" || true
    awk -v s="$seconds" -F': ' '
        /User time/ { u = $2 } /System time/ { y = $2 }
        /Minor \(reclaiming a frame\) page faults/ { f = $2 } /Maximum resident/ { m = $2 }
        END { printf "%s %s %s %s %s\n", s, u, y, f, m }' "$home/time"
    rm -rf "$home"
}

# Keeps in results[$1] "best user system faults peak_kb" of the runs so far (the best run's
# figures, the largest peak) after one more run whose figures are $2; the best is "> LIMIT" once
# a run reached the limit, and no more runs are made.
keep() {
    local key=$1 seconds user system faults peak best top
    read -r seconds user system faults peak <<<"$2"
    read -r best _ _ _ top <<<"${results[$key]:-none 0 0 0 0}"
    [ "$peak" -gt "$top" ] && top=$peak
    if [ "$seconds" = timeout ]; then
        results[$key]="> $limit $user $system $faults $top"
    elif [ "$best" = none ] || awk -v a="$seconds" -v b="$best" 'BEGIN { exit !(a < b) }'; then
        results[$key]="$seconds $user $system $faults $top"
    else
        results[$key]="${results[$key]% *} $top"
    fi
}

echo "Machine: $(nproc) cores; before: $(uptime)" >&2
declare -A results
for name in $files; do
    path=$(BigFile "$name")
    for mode in idle load; do
        [ "$mode" = idle ] || start_load
        # The programs in turn, run after run, so that a change in the machine meets all alike.
        for ((run = 1; run <= runs; run++)); do
            for ((i = 0; i < ${#programs[@]}; i++)); do
                label=${programs[$i]%%=*}
                key=$name,$label,$mode
                [[ ${results[$key]:-} != \>* ]] || continue
                echo "$name, $label, $mode, run $run: $(cut -d' ' -f1-3 /proc/loadavg)" >&2
                keep "$key" "$(open_once "$label" "${programs[$i]#*=}" "$path" "${displays[$i]}")"
            done
        done
        stop_load
    done
done
echo "After: $(uptime)" >&2

printf '| File | Program | Idle (s) | Loaded (s) | Loaded / idle | Idle CPU user + sys (s) |'
printf ' Loaded CPU user + sys (s) | Minor faults idle / loaded | Peak memory (MB) |\n'
printf '|---|---|---:|---:|---:|---:|---:|---:|---:|\n'
for name in $files; do
    size=$(stat -c %s "$(BigFile "$name")")
    for entry in "${programs[@]}"; do
        label=${entry%%=*}
        read -r -a idle <<<"${results[$name,$label,idle]}"
        read -r -a loaded <<<"${results[$name,$label,load]}"
        # A bound ("> 120") is two words: the figures follow it.
        [ "${idle[0]}" = ">" ] && idle=("> ${idle[1]}" "${idle[@]:2}")
        [ "${loaded[0]}" = ">" ] && loaded=("> ${loaded[1]}" "${loaded[@]:2}")
        ratio=
        [[ ${idle[0]} == \>* || ${loaded[0]} == \>* ]] ||
            ratio=$(awk -v a="${loaded[0]}" -v b="${idle[0]}" 'BEGIN { printf "%.2f", a / b }')
        peak=$((idle[4] > loaded[4] ? idle[4] : loaded[4]))
        awk -v n="$name" -v l="$label" -v i="${idle[0]}" -v o="${loaded[0]}" -v r="$ratio" \
            -v iu="${idle[1]}" -v is="${idle[2]}" -v lu="${loaded[1]}" -v ls="${loaded[2]}" \
            -v f="${idle[3]}" -v g="${loaded[3]}" -v p="$peak" -v s="$size" 'BEGIN {
            printf "| %s | %s | %s | %s | %s | %.2f + %.2f | %.2f + %.2f | %d / %d | %d (%.2f x) |\n",
                n, l, i, o, r, iu, is, lu, ls, f, g, p / 1024, p * 1024 / s }'
    done
done
if [ -s "$scratch/questions" ]; then
    echo
    echo "Windows that showed before the file's title (counted as the end of the wait):"
    sort -u "$scratch/questions"
fi
