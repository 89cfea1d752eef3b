#!/usr/bin/env bash
# The one list of what building and testing need. On Debian and Ubuntu it
# installs whatever of it is missing (with sudo when not root); elsewhere it
# prints the list, with the package names of Fedora, Alpine and Homebrew.
#
# Usage: scripts/deps.sh [--build | --test | --ci]
#   --build  compile the programs (the default)
#   --test   also run every test
#   --ci     also the sanitizer, fuzz, valgrind and libc++ builds of CI
set -euo pipefail
level=${1:---build}
case "$level" in
  --build | --test | --ci) ;;
  *) echo "usage: scripts/deps.sh [--build | --test | --ci]" >&2; exit 2 ;;
esac

# Debian name, Fedora, Alpine, Homebrew ("-" where there is none to name).
build=(
  "cmake cmake cmake cmake"
  "g++ gcc-c++ g++ -"
  "make make make make"
  "libbz2-dev bzip2-devel bzip2-dev bzip2"
  "zlib1g-dev zlib-devel zlib-dev zlib"
  "libisal-dev isa-l-devel isa-l-dev isa-l"
)
test=(
  "libgtest-dev gtest-devel gtest-dev googletest"
  "gzip gzip gzip gzip"
  "bzip2 bzip2 bzip2 bzip2"
  "bgpdump bgpdump - -"
  "parallel parallel parallel parallel"
  "gnuplot-nox gnuplot gnuplot gnuplot"
  "dpkg-dev dpkg dpkg dpkg"
  "groff-base groff groff groff"
)
ci=(
  "clang clang clang llvm"
  "libclang-rt-14-dev compiler-rt compiler-rt -"
  "libc++-dev libcxx-devel libc++-dev -"
  "libc++abi-dev libcxxabi-devel libc++-dev -"
  "valgrind valgrind valgrind -"
  "time time - gnu-time"
)
wanted=("${build[@]}")
[ "$level" = --build ] || wanted+=("${test[@]}")
[ "$level" != --ci ] || wanted+=("${ci[@]}")

if command -v apt-get > /dev/null && command -v dpkg > /dev/null; then
  missing=()
  for row in "${wanted[@]}"; do
    read -r debian _ <<< "$row"
    dpkg -s "$debian" > /dev/null 2>&1 || missing+=("$debian")
  done
  [ ${#missing[@]} -eq 0 ] && exit 0
  sudo=()
  [ "$(id -u)" = 0 ] || sudo=(sudo)
  echo "installing: ${missing[*]}" >&2
  export DEBIAN_FRONTEND=noninteractive
  "${sudo[@]}" apt-get update -qq
  "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
  exit 0
fi

echo "Not Debian or Ubuntu: install these yourself (\"-\": none there; bgpdump,"
echo "ISA-L and the tools of the tests are optional, and their tests skip):"
printf '%-20s %-18s %-18s %s\n' Debian Fedora Alpine Homebrew
for row in "${wanted[@]}"; do
  read -r debian fedora alpine brew <<< "$row"
  printf '%-20s %-18s %-18s %s\n' "$debian" "$fedora" "$alpine" "$brew"
done
