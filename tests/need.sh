# Sourced by the test scripts: need TOOL PACKAGE ends the script as skipped
# (status 77, with a message) where TOOL is missing, or as failed under CI.
need() {
  command -v "$1" > /dev/null && return 0
  if [ -n "${CI:-}" ]; then
    echo "$1 is not installed (Debian package $2)" >&2
    exit 1
  fi
  echo "skipped: $1 is not installed (Debian package $2)"
  exit 77
}
