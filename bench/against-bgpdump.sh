#!/usr/bin/env bash
# For each MRT dump given, compares the path lines that aspaths reads from it
# directly with those of the converter route: bgpdump -m, the ADD-PATH
# identifier dropped, the route lines (A and B) kept, through aspaths as
# text. Prints one row per file and exits 1 if any differs.
#
# Usage: bench/against-bgpdump.sh [--aspaths BIN] FILE...
set -uo pipefail
aspaths=$(cd "$(dirname "$0")/.." && pwd)/build/aspaths
if [ "${1:-}" = --aspaths ]; then aspaths=$2; shift 2; fi
[ $# -gt 0 ] || { echo "usage: bench/against-bgpdump.sh [--aspaths BIN] FILE..." >&2; exit 2; }
command -v bgpdump > /dev/null || { echo "bgpdump is not installed (Debian package bgpdump)" >&2; exit 2; }
[ -x "$aspaths" ] || { echo "no aspaths at $aspaths: build it first, or name it with --aspaths" >&2; exit 2; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
differ=0
printf '%-60s %9s %9s  %s\n' file routes direct verdict
for f in "$@"; do
  bgpdump -q -m "$f" 2> /dev/null |
    sed -E '/^[^|]*_AP\|/ s/^(([^|]*\|){6})[^|]*\|/\1/' |
    awk -F'|' '$3 == "A" || $3 == "B"' | "$aspaths" > "$work/via"
  "$aspaths" "$f" > "$work/direct" 2> "$work/err"
  status=$?
  if cmp -s "$work/via" "$work/direct"; then
    verdict=identical
  else
    at=$(cmp "$work/via" "$work/direct" 2>&1 | sed -nE 's/.*line ([0-9]+).*/\1/p')
    verdict="DIFFERENT (${at:+first at line $at}${at:-one is a prefix of the other})"
    differ=1
  fi
  [ "$status" = 0 ] || verdict="$verdict; aspaths exit $status: $(head -n 1 "$work/err")"
  printf '%-60s %9s %9s  %s\n' "$(basename "$f")" "$(wc -l < "$work/via")" "$(wc -l < "$work/direct")" "$verdict"
done
exit $differ
