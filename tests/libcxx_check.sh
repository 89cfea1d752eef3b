#!/usr/bin/env bash
# Builds the two programs with clang and libc++ and checks them against the
# main build: byte-identical output on the bundled sample and on generated
# corpora (text and a gzip'd MRT dump; the ten best, every AS, the links),
# and a hub of 100,000 neighbours within the list-length bound.
# Usage: tests/libcxx_check.sh MAIN_BUILD_DIR
set -euo pipefail
main=$(cd "$1" && pwd)
root=$(cd "$(dirname "$0")/.." && pwd)
build=$root/build-libcxx
CXX=clang++ CXXFLAGS=-stdlib=libc++ LDFLAGS="-stdlib=libc++" \
  cmake -S "$root" -B "$build" -DCMAKE_DISABLE_FIND_PACKAGE_GTest=ON > /dev/null
cmake --build "$build" -j 2 --target aspaths asdegree gen_routes list_bound_check > /dev/null
ldd "$build/asdegree" | grep -q 'libc++' || { echo "not linked against libc++" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$root/samples/routes.txt" "$work/sample.txt"
"$main/bench/gen_routes" --records 300000 --seed 5 > "$work/corpus.txt"
"$main/bench/gen_routes" --records 100000 --seed 6 --mrt | gzip -c > "$work/rib.mrt.gz"
checks=0
for input in sample.txt corpus.txt rib.mrt.gz; do
  for args in "" "-n 0" "--links"; do
    a=$("$main/aspaths" "$work/$input" | "$main/asdegree" $args | cksum)
    b=$("$build/aspaths" "$work/$input" | "$build/asdegree" $args | cksum)
    [ "$a" = "$b" ] || { echo "libc++ build differs on $input with '$args'" >&2; exit 1; }
    checks=$((checks + 1))
  done
  cmp -s <("$main/aspaths" "$work/$input") <("$build/aspaths" "$work/$input") ||
    { echo "libc++ aspaths differs on $input" >&2; exit 1; }
  checks=$((checks + 1))
done
"$build/tests/list_bound_check" > /dev/null
echo "libc++ build: $((checks + 1)) passed, 0 failed"
