#!/usr/bin/env bash
# The same number of pairs three ways: spread over a million ASes; all
# touching one AS that has a million distinct neighbours; and between 31,440
# ASes that are multiples of asindex's bucket count, which all share one
# bucket under an identity hash. The last two must not cost more than a few
# times the first.
#
# Usage: bench/adversarial.sh [--pairs N] [--runs R]   (default 10,000,000 pairs, 3 runs)
set -euo pipefail
pairs=10000000
runs=3
source "$(dirname "$0")/common.sh"
bench_options "bench/adversarial.sh [--pairs N] [--runs R]" "$@"
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
collide=$data/collide-$pairs.txt
[ -s "$collide" ] || awk -v n="$pairs" 'BEGIN {
    for (i = 0; i < n; i++) { k = i % 31440 - 15720; print (k >= 0 ? k + 1 : k) * 136607, 7 } }' > "$collide"

names=(spread hub collide)
declare -A file=([spread]=$spread [hub]=$hub [collide]=$collide)
declare -A label=([spread]="spread over 1,000,000 ASes" [hub]="one AS, 1,000,000 neighbours"
                  [collide]="31,440 ASes in one bucket")
declare -A times
for ((r = 1; r <= runs; r++)); do
  for n in "${names[@]}"; do
    times[$n]+="$(time_ms "'$build/asdegree' < '${file[$n]}' > /dev/null") "
  done
done
peak() { /usr/bin/time -f %M "$build/asdegree" < "$1" 2>&1 >/dev/null | tail -n 1; }
echo "$pairs pairs, $runs runs, median ms (all runs), peak memory"
for n in "${names[@]}"; do
  printf '%-30s %6s ms  (%s) %s KiB\n' "${label[$n]}" "$(echo "${times[$n]}" | median)" \
    "${times[$n]}" "$(peak "${file[$n]}")"
done
spread_ms=$(echo "${times[spread]}" | median)
for n in hub collide; do
  awk -v a="$(echo "${times[$n]}" | median)" -v b="$spread_ms" -v n="$n" \
    'BEGIN {printf "%s / spread: %.2fx\n", n, a / b}'
done
