#!/usr/bin/env bash
# Measures both programs on a generated full-table corpus, side by side with
# the floor (wc -l), the straightforward build and an awk + sort + uniq
# pipeline, interleaving the commands; prints medians, ratios, peak memory.
#
# Usage: bench/run.sh [--records N] [--runs R]   (default 4000000 records, 5 runs)
set -euo pipefail
records=4000000
runs=5

source "$(dirname "$0")/common.sh"
bench_options "bench/run.sh [--records N] [--runs R]" "$@"
build_release aspaths asdegree gen_routes baseline_aspaths baseline_asdegree
bin=$build
corpus=$data/routes-$records.txt
if [ ! -s "$corpus" ]; then
  echo "making the corpus: $records records" >&2
  "$bin/bench/gen_routes" --records "$records" > "$corpus.part" && mv "$corpus.part" "$corpus"
fi
paths=$data/paths-$records.txt
"$bin/aspaths" < "$corpus" > "$paths"

# The top ten as a user might compute it with standard tools, reading the
# 7th field, numbers and AS sets as the tools do.
awk_pipeline() {
  LC_ALL=C awk -F'|' '{
      p = $7; sub(/\[.*/, "", p)
      n = split(p, t, /[ \t\r\v\f]+/); have = 0
      for (i = 1; i <= n; i++) {
        if (t[i] == "") continue
        if (!match(t[i], /^[+-]?[0-9]+/)) break
        v = substr(t[i], 1, RLENGTH) + 0
        if (v > 2147483647 || v < -2147483648) break
        if (have && v != last) print last, v "\n" v, last
        last = v; have = 1
        if (RLENGTH < length(t[i])) break
      }
    }' "$corpus" | LC_ALL=C sort -u | awk '{print $1}' | uniq -c |
    LC_ALL=C sort -k1,1nr -k2,2n | awk 'NR <= 10 {print $2 ": " $1}'
}

names=(floor aspaths floor_paths asdegree pipeline base_aspaths base_asdegree base_pipeline awk_pipeline)
declare -A cmd=(
  [floor]="wc -l < '$corpus' > /dev/null"
  [floor_paths]="wc -l < '$paths' > /dev/null"
  [aspaths]="'$bin/aspaths' < '$corpus' > /dev/null"
  [asdegree]="'$bin/asdegree' < '$paths' > /dev/null"
  [pipeline]="'$bin/aspaths' < '$corpus' | '$bin/asdegree' > /dev/null"
  [base_aspaths]="'$bin/bench/baseline_aspaths' < '$corpus' > /dev/null"
  [base_asdegree]="'$bin/bench/baseline_asdegree' < '$paths' > /dev/null"
  [base_pipeline]="'$bin/bench/baseline_aspaths' < '$corpus' | '$bin/bench/baseline_asdegree' > /dev/null"
  [awk_pipeline]="awk_pipeline > /dev/null"
)

# The same answer from every route to it, before anything is timed.
report=$("$bin/aspaths" < "$corpus" | "$bin/asdegree")
[ "$(cksum < "$paths")" = "$("$bin/bench/baseline_aspaths" < "$corpus" | cksum)" ] ||
  { echo "aspaths differs from the straightforward build" >&2; exit 1; }
[ "$report" = "$("$bin/bench/baseline_aspaths" < "$corpus" | "$bin/bench/baseline_asdegree")" ] ||
  { echo "the pipeline differs from the straightforward build" >&2; exit 1; }
[ "$report" = "$(awk_pipeline)" ] ||
  { echo "the pipeline differs from the awk pipeline" >&2; exit 1; }

declare -A times
cat /proc/cpuinfo > /dev/null
cat "$corpus" "$paths" > /dev/null # both in the page cache
for ((r = 1; r <= runs; r++)); do
  for n in "${names[@]}"; do
    times[$n]+="$(time_ms "${cmd[$n]}") "
  done
  echo "run $r of $runs done" >&2
done

declare -A med best
for n in "${names[@]}"; do
  med[$n]=$(echo "${times[$n]}" | median)
  best[$n]=$(echo "${times[$n]}" | fastest)
done
ratio() { awk -v a="$1" -v b="$2" 'BEGIN {printf "%.2f", (b > 0 ? a / b : 0)}'; }
peak() { /usr/bin/time -f %M sh -c "$1" 2>&1 >/dev/null | tail -n 1; }

echo "corpus: $records records, $(( $(stat -c %s "$corpus") / 1048576 )) MiB; paths: $(( $(stat -c %s "$paths") / 1048576 )) MiB; $runs runs, median ms"
echo "machine: $(nproc) cores, $(awk -F': ' '/model name/ {print $2; exit}' /proc/cpuinfo)"
printf '%-15s %8s %8s  %s\n' command median fastest "all times (ms)"
for n in "${names[@]}"; do printf '%-15s %8s %8s  %s\n' "$n" "${med[$n]}" "${best[$n]}" "${times[$n]}"; done
echo
echo "asdegree / aspaths:             $(ratio "${med[asdegree]}" "${med[aspaths]}")x median, $(ratio "${best[asdegree]}" "${best[aspaths]}")x fastest  (target at most 0.6)"
echo "aspaths / floor:                $(ratio "${med[aspaths]}" "${med[floor]}")x  (target at most 6)"
echo "base_asdegree / asdegree:       $(ratio "${med[base_asdegree]}" "${med[asdegree]}")x  (target at least 5)"
echo "awk_pipeline / pipeline:        $(ratio "${med[awk_pipeline]}" "${med[pipeline]}")x  (target at least 25)"
echo "base_pipeline / pipeline:       $(ratio "${med[base_pipeline]}" "${med[pipeline]}")x  (target at least 10)"
echo "peak memory: aspaths $(peak "'$bin/aspaths' < '$corpus'") KiB, asdegree $(peak "'$bin/asdegree' < '$paths'") KiB, base_asdegree $(peak "'$bin/bench/baseline_asdegree' < '$paths'") KiB"
