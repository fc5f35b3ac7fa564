#!/usr/bin/env bash
# One version number: dist/write-version.cmake gives the version alone
# without git history and at the release tag, and appends git describe in a
# development tree; both programs print the built one for --version, without
# a display.
#   version.sh BUILD SOURCE VERSION
set -uo pipefail
build=$(cd "$1" && pwd) source=$(cd "$2" && pwd) version=$3
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

# The build version written for the source folder $1.
written() {
  cmake -DVERSION="$version" -DRELEASE_DATE=2000-01-01 -DSOURCE_DIR="$1" -DOUTPUT="$tmp/version.cpp" \
    -P "$source/dist/write-version.cmake" || return 1
  sed -n 's/^const char\* const kBuildVersion = "\(.*\)";$/\1/p' "$tmp/version.cpp"
}

mkdir "$tmp/plain"
[ "$(written "$tmp/plain")" = "$version" ] || fail "without git: '$(written "$tmp/plain")'"

if command -v git >/dev/null; then
  repo=$tmp/repo
  git init -q "$repo"
  g() { git -C "$repo" -c user.name=t -c user.email=t@t -c commit.gpgsign=false -c tag.gpgsign=false "$@"; }
  echo a >"$repo/f" && g add f && g commit -qm one
  hash=$(g rev-parse --short HEAD)
  [ "$(written "$repo")" = "$version (git $hash)" ] || fail "untagged: '$(written "$repo")'"
  g tag "v$version"
  [ "$(written "$repo")" = "$version" ] || fail "at the release tag: '$(written "$repo")'"
  echo b >>"$repo/f"
  [ "$(written "$repo")" = "$version (git v$version-dirty)" ] || fail "changed after the tag: '$(written "$repo")'"
  g commit -qam two
  case $(written "$repo") in
    "$version (git v$version-1-g"*")") ;;
    *) fail "one commit after the tag: '$(written "$repo")'" ;;
  esac
fi

built=$(sed -n 's/^const char\* const kBuildVersion = "\(.*\)";$/\1/p' "$build/dist/version.cpp")
[ "$("$build/mirdal-cli" --version)" = "mirdal-cli $built" ] || fail "mirdal-cli --version: $("$build/mirdal-cli" --version)"
if [ -x "$build/mirdal" ]; then
  out=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$build/mirdal" --version 2>&1)
  [ "$out" = "mirdal $built" ] || fail "mirdal --version: $out"
  env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$build/mirdal" --help | grep -q '^Usage: mirdal' ||
    fail "mirdal --help"
fi
[[ $built == "$version"* ]] || fail "built version '$built' does not start with $version"

[ $failures -eq 0 ] || exit 1
echo "version $built"
