#!/usr/bin/env bash
# Measures aspaths on the benchmark corpus written as an MRT TABLE_DUMP_V2
# RIB, raw, gzip'd and bzip2'd, beside what it competes with: bgpdump -m
# for the raw dump, zcat and igzip -dc for gzip, bzip2 -dc for bzip2; and
# the whole way from the dump to the top ten, through bgpdump and direct.
# Commands are interleaved; prints medians, ratios and peak memory.
#
# Usage: bench/mrt.sh [--records N] [--runs R]   (default 4000000 records, 5 runs)
set -euo pipefail
records=4000000
runs=5

source "$(dirname "$0")/common.sh"
bench_options "bench/mrt.sh [--records N] [--runs R]" "$@"
build_release aspaths asdegree gen_routes
bin=$build
rib=$data/rib-$records.mrt
if [ ! -s "$rib" ]; then
  echo "making the MRT corpus: $records routes" >&2
  "$bin/bench/gen_routes" --records "$records" --mrt > "$rib.part" && mv "$rib.part" "$rib"
fi
[ -s "$rib.gz" ] || gzip -c "$rib" > "$rib.gz"
[ -s "$rib.bz2" ] || bzip2 -c "$rib" > "$rib.bz2"

# The converter route and the direct one give the same lines and report.
via() { bgpdump -q -m "$1" | "$bin/aspaths"; }
[ "$("$bin/aspaths" "$rib" | cksum)" = "$(via "$rib" | cksum)" ] ||
  { echo "aspaths differs from the bgpdump route" >&2; exit 1; }
for f in "$rib.gz" "$rib.bz2"; do
  [ "$("$bin/aspaths" "$f" | cksum)" = "$("$bin/aspaths" "$rib" | cksum)" ] ||
    { echo "aspaths on $f differs from the raw dump" >&2; exit 1; }
done

names=(floor aspaths bgpdump zcat igzip aspaths_gz bzip2 aspaths_bz2 top_via_bgpdump top_direct top_direct_bz2)
declare -A cmd=(
  [floor]="cat '$rib' > /dev/null"
  [aspaths]="'$bin/aspaths' < '$rib' > /dev/null"
  [bgpdump]="bgpdump -q -m '$rib' > /dev/null"
  [zcat]="zcat '$rib.gz' > /dev/null"
  [igzip]="igzip -dc '$rib.gz' > /dev/null"
  [aspaths_gz]="'$bin/aspaths' < '$rib.gz' > /dev/null"
  [bzip2]="bzip2 -dc '$rib.bz2' > /dev/null"
  [aspaths_bz2]="'$bin/aspaths' < '$rib.bz2' > /dev/null"
  [top_via_bgpdump]="bgpdump -q -m '$rib.gz' | '$bin/aspaths' | '$bin/asdegree' > /dev/null"
  [top_direct]="'$bin/aspaths' '$rib.gz' | '$bin/asdegree' > /dev/null"
  [top_direct_bz2]="'$bin/aspaths' '$rib.bz2' | '$bin/asdegree' > /dev/null"
)
command -v igzip > /dev/null || { names=("${names[@]/igzip/}"); }

declare -A times
cat "$rib" "$rib.gz" "$rib.bz2" > /dev/null # in the page cache
for ((r = 1; r <= runs; r++)); do
  for n in "${names[@]}"; do
    [ -n "$n" ] && times[$n]+="$(time_ms "${cmd[$n]}") "
  done
  echo "run $r of $runs done" >&2
done

declare -A med
for n in "${names[@]}"; do [ -n "$n" ] && med[$n]=$(echo "${times[$n]}" | median); done
ratio() { awk -v a="$1" -v b="$2" 'BEGIN {printf "%.2f", (b > 0 ? a / b : 0)}'; }
peak() { /usr/bin/time -f %M sh -c "$1" 2>&1 >/dev/null | tail -n 1; }

echo "MRT corpus: $records routes; raw $(( $(stat -c %s "$rib") / 1048576 )) MiB, gzip $(( $(stat -c %s "$rib.gz") / 1048576 )) MiB, bzip2 $(( $(stat -c %s "$rib.bz2") / 1048576 )) MiB; $runs runs, median ms"
echo "machine: $(nproc) cores, $(awk -F': ' '/model name/ {print $2; exit}' /proc/cpuinfo)"
printf '%-16s %8s  %s\n' command ms "all times (ms)"
for n in "${names[@]}"; do [ -n "$n" ] && printf '%-16s %8s  %s\n' "$n" "${med[$n]}" "${times[$n]}"; done
echo
echo "bgpdump / aspaths on the raw dump:   $(ratio "${med[bgpdump]}" "${med[aspaths]}")x  (target at least 40)"
echo "aspaths on gzip / zcat:              $(ratio "${med[aspaths_gz]}" "${med[zcat]}")x  (target at most 0.75)"
echo "aspaths on bzip2 / bzip2 -dc:        $(ratio "${med[aspaths_bz2]}" "${med[bzip2]}")x  (target at most 1.1)"
echo "dump to top ten, via bgpdump / direct: $(ratio "${med[top_via_bgpdump]}" "${med[top_direct]}")x"
echo "peak memory of aspaths: raw $(peak "'$bin/aspaths' < '$rib'") KiB, gzip $(peak "'$bin/aspaths' < '$rib.gz'") KiB, bzip2 $(peak "'$bin/aspaths' < '$rib.bz2'") KiB"
