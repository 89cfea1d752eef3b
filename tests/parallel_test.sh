#!/usr/bin/env bash
# The README's recipe for many dumps, run through GNU parallel on this
# machine: each shard's links made on its own (one shard an MRT dump, one
# gzip'd, one bzip2'd), then one asdegree over all the links, must print
# byte for byte the report of one asdegree over all the path lines, for the
# ten best and for every AS. A shard whose aspaths fails must fail the run.
# Usage: parallel_test.sh BUILD_DIR
set -euo pipefail
bin=$(cd "$1" && pwd)
source "$(dirname "$0")/need.sh"
need parallel parallel
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
PATH=$bin:$PATH
"$bin/bench/gen_routes" --records 120000 --seed 3 > "$work/all.txt"
"$bin/bench/gen_routes" --records 40000 --seed 4 --mrt > "$work/shard 0.mrt"
cat "$work/all.txt" > "$work/lines.txt"
aspaths "$work/shard 0.mrt" > "$work/mrt.paths"
mkdir "$work/dumps"
cp "$work/shard 0.mrt" "$work/dumps/"
split -n l/4 -d "$work/all.txt" "$work/dumps/shard-"
gzip "$work/dumps/shard-01"
bzip2 "$work/dumps/shard-02"
mv "$work/dumps/shard-03" "$work/dumps/shard 'odd' name"

# The recipe.
cd "$work/dumps"
parallel --will-cite -q --halt now,fail=1 -j 2 \
  bash -c 'set -o pipefail; aspaths "$1" | asdegree --links > "$1.links"' _ {} ::: *
for top in 10 0; do
  asdegree -n "$top" *.links > "../merged-$top"
  { aspaths ../all.txt; cat ../mrt.paths; } | asdegree -n "$top" > "../single-$top"
  cmp "../merged-$top" "../single-$top"
  [ -s "../single-$top" ]
done
echo "sharded equals single: $(wc -l < ../single-0) ASes, links $(cat *.links | wc -c) bytes against paths $({ aspaths ../all.txt; cat ../mrt.paths; } | wc -c) bytes"

# A shard that cannot be read fails the whole run.
printf 'garbage' | gzip -c | head -c 15 > broken.gz
if parallel --will-cite -q --halt now,fail=1 -j 2 \
  bash -c 'set -o pipefail; aspaths "$1" | asdegree --links > "$1.links"' _ {} ::: broken.gz 2> /dev/null; then
  echo "a failing shard went unnoticed" >&2
  exit 1
fi
echo "a failing shard fails the run"
