# Shared by the tests of the layer checks: `check` runs one check script on
# one snippet of code and counts a verdict that is not the expected one;
# `checkTree` runs it on the whole tree, which must pass.
#   source snippet_checks.sh SOURCE CHECKER FILE_NAME
set -uo pipefail
source=$(cd "$1" && pwd)
checker="$source/scripts/$2"
snippetName=$3
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
failures=0

# expect FLAGGED|PASSES  CODE
check() {
  local expect=$1 code=$2
  mkdir -p "$tmp/s" && printf '%s\n' "$code" >"$tmp/s/$snippetName"
  if python3 "$checker" "$tmp/s" 2>/dev/null; then got=PASSES; else got=FLAGGED; fi
  if [ "$got" != "$expect" ]; then
    echo "FAIL: expected $expect, got $got: $code" >&2
    failures=$((failures + 1))
  fi
}

# checkTree MESSAGE [ARGS...]: the checker on the tree (its own default
# folders, or ARGS) finds nothing.
checkTree() {
  local message=$1
  shift
  python3 "$checker" "$@" || { echo "FAIL: $message" >&2; failures=$((failures + 1)); }
}
