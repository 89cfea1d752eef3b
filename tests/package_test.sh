#!/usr/bin/env bash
# Installs the build to a temporary prefix and packs it as a Debian package,
# then runs both programs from the unpacked package on the bundled sample.
# Usage: package_test.sh BUILD_DIR SOURCE_DIR
set -euo pipefail
build=$1
source=$2
source "$(dirname "$0")/need.sh"
need dpkg-deb dpkg-dev
need groff groff-base
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
passed=0
check() { # check NAME COMMAND...: one named check that must succeed
  local name=$1
  shift
  if "$@"; then passed=$((passed + 1)); else echo "FAILED: $name" >&2; echo "$passed passed, 1 failed"; exit 1; fi
}

cmake --install "$build" --prefix "$tmp/prefix" > /dev/null
for f in bin/aspaths bin/asdegree share/man/man1/aspaths.1.gz share/man/man1/asdegree.1.gz; do
  check "install puts $f" test -s "$tmp/prefix/$f"
done
version=$("$build/aspaths" --version | awk '{print $NF}')
for page in aspaths asdegree; do
  check "$page(1) has no groff warning" \
    test -z "$(zcat "$tmp/prefix/share/man/man1/$page.1.gz" | groff -man -ww -z 2>&1)"
  check "$page(1) names version $version" grep -q "\"aspaths $version\"" <(zcat "$tmp/prefix/share/man/man1/$page.1.gz")
done

(cd "$tmp" && cpack -G DEB --config "$build/CPackConfig.cmake" -B "$tmp/pkg" > "$tmp/cpack.log") ||
  { cat "$tmp/cpack.log" >&2; check "cpack makes a package" false; }
deb=$(ls "$tmp"/pkg/*.deb)
check "package is named aspaths" test "$(dpkg-deb -f "$deb" Package)" = aspaths
check "package depends on libc" grep -q libc6 <<< "$(dpkg-deb -f "$deb" Depends)"
check "package has a description" grep -q asdegree <<< "$(dpkg-deb -f "$deb" Description)"
check "its description runs over lines" test "$(dpkg-deb -f "$deb" Description | wc -l)" -ge 5
check "package version is $version" test "$(dpkg-deb -f "$deb" Version)" = "$version"
dpkg-deb -x "$deb" "$tmp/root"
for f in usr/bin/aspaths usr/bin/asdegree usr/share/man/man1/aspaths.1.gz usr/share/man/man1/asdegree.1.gz \
         usr/share/doc/aspaths/copyright usr/share/doc/aspaths/changelog.Debian.gz; do
  check "package holds $f" test -s "$tmp/root/$f"
done
check "copyright names the license" grep -q "^License: Expat" "$tmp/root/usr/share/doc/aspaths/copyright"
check "changelog starts at $version" test "$(zcat "$tmp/root/usr/share/doc/aspaths/changelog.Debian.gz" | head -n 1)" = \
  "aspaths ($version) unstable; urgency=medium"
report=$("$tmp/root/usr/bin/aspaths" < "$source/samples/routes.txt" | "$tmp/root/usr/bin/asdegree")
check "packaged programs rank the sample" test "$report" = "$(cat "$source/samples/routes.txt.top10")"
echo "$passed passed, 0 failed"
