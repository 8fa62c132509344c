#!/usr/bin/env bash
# Builds the libFuzzer targets (preset fuzz) and runs each for SECONDS (default 10),
# starting from the committed seeds and the corpus kept in the build tree.
# usage: scripts/fuzz.sh [SECONDS]
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
seconds=${1:-10}

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz

failed=0
for target in settings_format_fuzz utf8_conversion_fuzz; do
    corpus=build/fuzz/corpus/$target
    log=build/fuzz/$target.log
    mkdir -p "$corpus"
    echo "== fuzzing $target for ${seconds}s"
    if build/fuzz/tests/fuzz/$target -max_total_time="$seconds" -print_final_stats=1 \
        "$corpus" "tests/fuzz/seeds/${target%_fuzz}" >"$log" 2>&1; then
        grep -E '^(Done|stat::number_of_executed_units|stat::peak_rss_mb)' "$log" || true
    else
        echo "$target found a failure (log: $log):"
        tail -n 40 "$log"
        failed=1
    fi
done
exit $failed
