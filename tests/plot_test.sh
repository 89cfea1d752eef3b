#!/usr/bin/env bash
# The degree distribution picture, drawn from the bundled sample as the
# README shows: a PNG must come out, and not an empty one.
# Usage: plot_test.sh BUILD_DIR SOURCE_DIR
set -euo pipefail
bin=$1 src=$2
source "$(dirname "$0")/need.sh"
need gnuplot gnuplot-nox
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$bin/aspaths" "$src/samples/routes.txt" | "$bin/asdegree" -n 0 > "$work/degrees.txt"
gnuplot -e "in='$work/degrees.txt'; out='$work/ccdf.png'" "$src/plot/degree-ccdf.gp"
[ "$(head -c 8 "$work/ccdf.png" | od -An -tx1 | tr -d ' \n')" = 89504e470d0a1a0a ] ||
  { echo "no PNG came out" >&2; exit 1; }
size=$(stat -c %s "$work/ccdf.png")
[ "$size" -gt 5000 ] || { echo "the PNG is only $size bytes" >&2; exit 1; }
echo "a $size-byte PNG of $(wc -l < "$work/degrees.txt") ASes"
