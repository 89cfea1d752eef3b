#!/usr/bin/env bash
# A full table: the text pipeline and the way from a gzip'd MRT RIB to the
# top ten on a corpus as large as the largest collectors' RIBs (50 million
# routes, some 7 GB of text: generated, never committed), with the floor,
# medians of interleaved runs and the peak memory of both programs. Also
# the peak memory of asdegree on the 4M-route path lines read once and
# twelve times over: it should grow with links, not with routes.
#
# Usage: bench/fulltable.sh [--records N] [--runs R]   (default 50000000 records, 3 runs)
set -euo pipefail
records=50000000
runs=3

source "$(dirname "$0")/common.sh"
bench_options "bench/fulltable.sh [--records N] [--runs R]" "$@"
build_release aspaths asdegree gen_routes
bin=$build
corpus=$data/routes-$records.txt
rib=$data/rib-$records.mrt.gz
paths=$data/paths-$records.txt
[ -s "$corpus" ] || { echo "making the text corpus: $records records" >&2
  "$bin/bench/gen_routes" --records "$records" > "$corpus.part" && mv "$corpus.part" "$corpus"; }
[ -s "$rib" ] || { echo "making the gzip'd MRT corpus: $records routes" >&2
  "$bin/bench/gen_routes" --records "$records" --mrt | gzip -6 > "$rib.part" && mv "$rib.part" "$rib"; }
"$bin/aspaths" "$corpus" > "$paths"
small=$data/paths-small.txt
"$bin/bench/gen_routes" --records 4000000 | "$bin/aspaths" > "$small"

report=$("$bin/asdegree" "$paths")
[ "$report" = "$("$bin/aspaths" "$rib" | "$bin/asdegree")" ] ||
  { echo "the MRT route differs from the text route" >&2; exit 1; }

names=(floor aspaths asdegree pipeline rib_to_top)
declare -A cmd=(
  [floor]="wc -l < '$corpus' > /dev/null"
  [aspaths]="'$bin/aspaths' < '$corpus' > /dev/null"
  [asdegree]="'$bin/asdegree' < '$paths' > /dev/null"
  [pipeline]="'$bin/aspaths' < '$corpus' | '$bin/asdegree' > /dev/null"
  [rib_to_top]="'$bin/aspaths' '$rib' | '$bin/asdegree' > /dev/null"
)
declare -A times
cat "$corpus" "$paths" "$rib" > /dev/null
for ((r = 1; r <= runs; r++)); do
  for n in "${names[@]}"; do times[$n]+="$(time_ms "${cmd[$n]}") "; done
  echo "run $r of $runs done" >&2
done
peak() { /usr/bin/time -f %M sh -c "$1" 2>&1 >/dev/null | tail -n 1; }
twelve() { for i in 1 2 3 4 5 6 7 8 9 10 11 12; do cat "$small"; done; }

echo "corpus: $records records, $(( $(stat -c %s "$corpus") / 1048576 )) MiB of text, $(( $(stat -c %s "$paths") / 1048576 )) MiB of paths, $(( $(stat -c %s "$rib") / 1048576 )) MiB gzip'd MRT; $runs runs, median ms"
printf '%-12s %8s  %s\n' command ms "all times (ms)"
for n in "${names[@]}"; do printf '%-12s %8s  %s\n' "$n" "$(echo "${times[$n]}" | median)" "${times[$n]}"; done
echo "peak memory: aspaths $(peak "'$bin/aspaths' < '$corpus'") KiB, asdegree $(peak "'$bin/asdegree' < '$paths'") KiB"
echo "asdegree on 4M path lines: once $(peak "'$bin/asdegree' < '$small'") KiB, twelve times over $(twelve | /usr/bin/time -f %M "$bin/asdegree" 2>&1 > /dev/null | tail -n 1) KiB"
