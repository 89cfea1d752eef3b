# Shared by the benchmark scripts: a Release build of the named targets in
# build-bench, a folder for generated data, and the median of a list of times.

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=$root/build-bench
data=$root/bench/corpus

# build_release TARGET...: builds the targets in Release, quietly.
build_release() {
  cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF > /dev/null
  cmake --build "$build" -j 2 --target "$@" > /dev/null
  mkdir -p "$data"
}

# median: the median of the numbers on standard input, blank-separated.
median() { tr ' ' '\n' | grep . | sort -n | awk '{v[NR] = $1} END {print v[int((NR + 1) / 2)]}'; }

# time_ms COMMAND: runs the shell command and prints its wall time in ms.
time_ms() {
  local s e
  s=$(date +%s%N)
  eval "$1"
  e=$(date +%s%N)
  echo $(( (e - s) / 1000000 ))
}
