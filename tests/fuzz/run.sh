#!/usr/bin/env bash
# Builds the fuzz targets with clang and runs each for SECONDS (default 60),
# starting from the committed seed corpus. A finding fails the run; its
# input is left in the current folder as crash-* for the seed corpus.
# Usage: tests/fuzz/run.sh [SECONDS]
set -euo pipefail
seconds=${1:-60}
root=$(cd "$(dirname "$0")/../.." && pwd)
build=$root/build-fuzz
CXX=clang++ cmake -S "$root" -B "$build" -DASPATHS_FUZZ=ON -DBUILD_TESTING=OFF \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo > /dev/null
cmake --build "$build" -j 2 --target fuzz_asn fuzz_aspaths fuzz_asdegree fuzz_mrt fuzz_input > /dev/null
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for target in asn aspaths asdegree mrt input; do
  mkdir -p "$work/$target"
  echo "fuzzing $target for ${seconds}s" >&2
  "$build/tests/fuzz/fuzz_$target" -max_total_time="$seconds" -timeout=20 -rss_limit_mb=4096 \
    -print_final_stats=1 "$work/$target" "$root/tests/fuzz/corpus/$target" 2> "$work/$target.log" ||
    { tail -n 40 "$work/$target.log" >&2; echo "fuzz_$target found a fault" >&2; exit 1; }
  grep -E "stat::number_of_executed_units|stat::new_units_added" "$work/$target.log" >&2
done
