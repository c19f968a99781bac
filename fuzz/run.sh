#!/bin/bash
# Runs every fuzz target in BUILD/fuzz for SECONDS each, starting from its seed corpus
# (fuzz/corpus/<target>/ and the inputs under tests/data/<format>/); fuzz/corpus/fuzz_highlighters/
# holds the reference inputs of tests/data/highlight/, each behind the byte that picks its
# language (its row in the registry). New inputs go to BUILD/fuzz/corpus/<target>/; a crash
# leaves its input in BUILD/fuzz/ and fails the run.
set -euo pipefail
build=$(cd "${1:-build-fuzz}" && pwd)
seconds=${2:-60}
root=$(cd "$(dirname "$0")/.." && pwd)
status=0
for target in "$build"/fuzz/fuzz_*; do
    [ -x "$target" ] || continue
    name=$(basename "$target")
    corpus="$build/fuzz/corpus/$name"
    mkdir -p "$corpus"
    seeds=()
    [ -d "$root/fuzz/corpus/$name" ] && seeds+=("$root/fuzz/corpus/$name")
    format=${name#fuzz_}
    [ -d "$root/tests/data/$format" ] && seeds+=("$root/tests/data/$format")
    echo "== $name: ${seconds}s"
    if ! (cd "$build/fuzz" && "$target" -max_total_time="$seconds" -timeout=10 \
            -rss_limit_mb=4096 -max_len=65536 -print_final_stats=1 "$corpus" "${seeds[@]}"); then
        echo "$name FAILED" >&2
        status=1
    fi
done
exit $status
