# Shared by the benchmark scripts: their options, a Release build of the
# named targets in build-bench, a folder for generated data, and the median
# of a list of times.

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=$root/build-bench
data=$root/bench/corpus

# bench_options USAGE "$@": reads --records N and --runs R into records and
# runs (which the script sets to its defaults first), --pairs N into pairs.
bench_options() {
  local usage=$1
  shift
  while [ $# -gt 0 ]; do
    case "$1" in
      --records) records=$2; shift 2 ;;
      --runs) runs=$2; shift 2 ;;
      --pairs) pairs=$2; shift 2 ;;
      *) echo "usage: $usage" >&2; exit 2 ;;
    esac
  done
}

# build_release TARGET...: builds the targets in Release, quietly.
build_release() {
  cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF > /dev/null
  cmake --build "$build" -j 2 --target "$@" > /dev/null
  mkdir -p "$data"
}

# median, fastest: the median and the least of the numbers on standard
# input, blank-separated.
median() { tr ' ' '\n' | grep . | sort -n | awk '{v[NR] = $1} END {print v[int((NR + 1) / 2)]}'; }
fastest() { tr ' ' '\n' | grep . | sort -n | head -n 1; }

# time_ms COMMAND: runs the shell command and prints its wall time in ms.
time_ms() {
  local s e
  s=$(date +%s%N)
  eval "$1"
  e=$(date +%s%N)
  echo $(( (e - s) / 1000000 ))
}
