# Shared by the packaging checks, which go on after a failed check so that
# one run lists every fault: a scratch folder removed on exit, and fail/finish.
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
finish() {
  [ "$failures" -eq 0 ] || exit 1
  echo "$*"
}
