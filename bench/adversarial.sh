#!/usr/bin/env bash
# The same number of pairs two ways: spread over a million ASes, and all
# touching one AS that has a million distinct neighbours. The second must
# not cost more than a few times the first.
#
# Usage: bench/adversarial.sh [--pairs N] [--runs R]   (default 10,000,000 pairs, 3 runs)
set -euo pipefail
pairs=10000000
runs=3
while [ $# -gt 0 ]; do
  case "$1" in
    --pairs) pairs=$2; shift 2 ;;
    --runs) runs=$2; shift 2 ;;
    *) echo "usage: bench/adversarial.sh [--pairs N] [--runs R]" >&2; exit 2 ;;
  esac
done
source "$(dirname "$0")/common.sh"
build_release asdegree
spread=$data/spread-$pairs.txt
hub=$data/hub-$pairs.txt
# A fixed-seed generator (MINSTD), the same under any awk.
[ -s "$spread" ] || awk -v n="$pairs" 'BEGIN {
    x = 1
    for (i = 0; i < n; i++) {
      x = (x * 48271) % 2147483647; a = 1 + x % 1000000
      x = (x * 48271) % 2147483647; b = 1 + x % 1000000
      print a, b
    } }' > "$spread"
[ -s "$hub" ] || awk -v n="$pairs" 'BEGIN {
    for (i = 0; i < n; i++) print 1, 2 + (i * 7919) % 1000000 }' > "$hub"

declare -A times
for ((r = 1; r <= runs; r++)); do
  for name in spread hub; do
    file=$spread
    [ "$name" = hub ] && file=$hub
    times[$name]+="$(time_ms "'$build/asdegree' < '$file' > /dev/null") "
  done
done
ms_spread=$(echo "${times[spread]}" | median)
ms_hub=$(echo "${times[hub]}" | median)
peak() { /usr/bin/time -f %M "$build/asdegree" < "$1" 2>&1 >/dev/null | tail -n 1; }
echo "$pairs pairs, $runs runs, median ms (all runs)"
echo "spread over 1,000,000 ASes:        $ms_spread  (${times[spread]}) peak $(peak "$spread") KiB"
echo "one AS, 1,000,000 neighbours:      $ms_hub  (${times[hub]}) peak $(peak "$hub") KiB"
awk -v a="$ms_hub" -v b="$ms_spread" 'BEGIN {printf "hub / spread: %.2fx\n", a / b}'
"$build/asdegree" < "$hub" | head -n 2
