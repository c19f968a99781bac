#!/usr/bin/env bash
# Runs every benchmark executable of a build folder against one large sample file and prints a
# summary. Usage: bash bench/run.sh <build folder>   (what `make bench` does)
#
# The sample (100 MB, 1,000,000 lines of HTML-like text) is generated once and cached. `cat` and
# `wc -l` over it are timed in the same run as the yardsticks the targets refer to. Each
# executable in <build>/bench/ gets the environment below and may print lines starting with
# "SUMMARY " for the final summary; an exit status other than 0 counts as a failure.
#   TABRIX_BENCH_FILE     the sample file
#   TABRIX_BENCH_CAT_MS   best time of `cat FILE > /dev/null`, milliseconds
#   TABRIX_BENCH_WC_MS    best time of `wc -l FILE`, milliseconds
#   TABRIX_BENCH_SCRATCH  a folder the benchmark may write into (emptied afterwards)
set -euo pipefail

build=${1:?usage: bash bench/run.sh <build folder>}
bench_dir=$build/bench
cache=${TMPDIR:-/tmp}/tabrix-bench
sample=$cache/sample-v1-100mb-1m-lines.html
runs=5

if [[ ! -d $bench_dir ]]; then
    echo "run.sh: no $bench_dir (is Google Benchmark installed and the build done?)" >&2
    exit 1
fi

# Deterministic: its own Park-Miller generator (exact in awk's doubles), no awk srand/rand.
generate_sample() {
    awk 'BEGIN {
        seed = 20240611
        split("the of and to in is that for it as with was on be at by this had not are " \
              "but from or have an they which one you were her all she there would their " \
              "editor buffer line range token highlight caret window tabs project style " \
              "lorem ipsum dolor sit amet consectetur adipiscing elit sed do eiusmod", words, " ")
        nwords = length(words)
        split("&amp; &lt; &gt; &quot; &nbsp; &#169; &eacute; &#x2014;", entities, " ")
        split("div span p a li td section article header footer em strong", tags, " ")
        for (line = 0; line < 1000000; line++) {
            kind = next_int(20)
            indent = substr("                        ", 1, 2 * next_int(7))
            if (kind == 0) { print ""; continue }
            text = ""
            want = 18 + next_int(140)
            while (length(text) < want) {
                if (next_int(12) == 0)
                    text = text " " entities[1 + next_int(8)]
                else
                    text = text " " words[1 + next_int(nwords)]
            }
            tag = tags[1 + next_int(12)]
            if (kind <= 3)
                print indent "<" tag " class=\"c" next_int(1000) "\" id=\"n" line "\">" text "</" tag ">"
            else if (kind == 4)
                print indent "<a href=\"https://example.com/page/" next_int(100000) ".html\">" text "</a>"
            else if (kind == 5)
                print indent "<!--" text " -->"
            else
                print indent text
        }
    }
    function next_int(n) {
        seed = (seed * 16807) % 2147483647
        return int(seed / 2147483647 * n)
    }'
}

mkdir -p "$cache"
if [[ ! -s $sample ]]; then
    echo "Generating $sample (once) ..."
    generate_sample >"$sample.part"
    mv "$sample.part" "$sample"
fi
size=$(wc -c <"$sample")
lines=$(wc -l <"$sample")

now_ns() { date +%s%N; }

# Best wall time in milliseconds of running "$@" $runs times (the first run also warms the cache).
best_ms() {
    local best=0 start elapsed i
    for ((i = 0; i < runs; i++)); do
        start=$(now_ns)
        "$@" >/dev/null
        elapsed=$(($(now_ns) - start))
        if ((best == 0 || elapsed < best)); then best=$elapsed; fi
    done
    awk -v ns="$best" 'BEGIN { printf "%.1f", ns / 1e6 }'
}

cat_ms=$(best_ms cat "$sample")
wc_ms=$(best_ms wc -l "$sample")
echo "Sample: $sample ($size bytes, $lines lines)"
echo "cat FILE > /dev/null: $cat_ms ms   wc -l FILE: $wc_ms ms   (best of $runs)"

scratch=$(mktemp -d "$cache/scratch.XXXXXX")
trap 'rm -rf "$scratch"' EXIT

summary=()
failed=0
for exe in "$bench_dir"/*; do
    [[ -f $exe && -x $exe ]] || continue
    name=$(basename "$exe")
    echo
    echo "=== $name"
    log=$scratch/$name.log
    status=0
    TABRIX_BENCH_FILE=$sample TABRIX_BENCH_CAT_MS=$cat_ms TABRIX_BENCH_WC_MS=$wc_ms \
        TABRIX_BENCH_SCRATCH=$scratch "$exe" 2>&1 | tee "$log" || status=$?
    if ((status != 0)); then
        failed=1
        summary+=("$name: FAILED (exit status $status)")
    fi
    if grep -q '^SUMMARY ' "$log"; then
        while IFS= read -r line; do summary+=("$name: ${line#SUMMARY }"); done \
            < <(grep '^SUMMARY ' "$log")
    else
        summary+=("$name: no SUMMARY lines, see its output above")
    fi
done

echo
load=$(cut -d' ' -f1-3 /proc/loadavg 2>/dev/null || echo unknown)
echo "===== Summary ($(date -u '+%Y-%m-%d %H:%M UTC'), $(nproc) cores, load average $load)"
echo "sample: $size bytes, $lines lines"
echo "cat FILE > /dev/null: $cat_ms ms; wc -l FILE: $wc_ms ms (best of $runs)"
for line in "${summary[@]}"; do echo "$line"; done
exit $failed
