#!/usr/bin/env bash
# `make package` on the built tree (cpack: nothing is rebuilt) gives
# mirdal_<version>_<arch>.deb with the control fields below, its dependencies
# computed from the binaries, and the files of installed-files.txt under
# /usr; lintian, where installed, reports no error.
#   package.sh BUILD SOURCE VERSION
# Exit 77 (skipped) without dpkg-deb and dpkg-shlibdeps.
set -euo pipefail
build=$(cd "$1" && pwd) source=$(cd "$2" && pwd) version=$3
for tool in dpkg-deb dpkg-shlibdeps; do
  command -v $tool >/dev/null || { echo "$tool is not installed: skipped"; exit 77; }
done
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

cpack --config "$build/CPackConfig.cmake" -B "$tmp" >"$tmp/log" 2>&1 || { cat "$tmp/log"; fail "cpack"; }
arch=$(dpkg --print-architecture)
deb=$tmp/mirdal_${version}_${arch}.deb
[ -f "$deb" ] || { ls "$tmp"; fail "no $(basename "$deb")"; }

field() { dpkg-deb -f "$deb" "$1"; }
expect() { [ "$(field "$1")" = "$2" ] || fail "$1 is '$(field "$1")', not '$2'"; }
expect Package mirdal
expect Version "$version"
expect Architecture "$arch"
expect Section video
expect Priority optional
[ -n "$(field Maintainer)" ] || fail "no Maintainer"
[ -n "$(field Homepage)" ] || fail "no Homepage"
# The summary line, then a description of several lines.
[ "$(field Description | head -1)" = "editor and player emulator for Blu-ray navigation files" ] ||
  fail "Description starts '$(field Description | head -1)'"
[ "$(field Description | wc -l)" -gt 5 ] || fail "the description has no body"
# Dependencies come from the binaries' libraries, with versions.
depends=$(field Depends)
for lib in libc6 libstdc++6 libpng16-16 libqt6widgets6 libqt6multimedia6; do
  [[ ", $depends," == *", $lib ("* ]] || fail "Depends lacks $lib: $depends"
done

dpkg-deb -c "$deb" >"$tmp/contents"
awk '$6 !~ /\/$/ {print $6}' "$tmp/contents" | sed 's|^\./usr/||' | LC_ALL=C sort >"$tmp/files"
diff -u "$source/tests/dist/installed-files.txt" "$tmp/files" || fail "the package's files differ from installed-files.txt"
# Owned by root; programs 0755, everything else 0644, folders 0755.
awk '$2 != "root/root" {print "owner: " $0}
     $6 ~ /\/$/ && $1 != "drwxr-xr-x" {print "mode: " $0}
     $6 ~ /\/bin\/[^/]+$/ && $1 != "-rwxr-xr-x" {print "mode: " $0}
     $6 !~ /\/$/ && $6 !~ /\/bin\// && $1 != "-rw-r--r--" {print "mode: " $0}' "$tmp/contents" >"$tmp/bad"
[ ! -s "$tmp/bad" ] || { cat "$tmp/bad"; fail "owners or modes"; }
# Stripped programs: no debugging sections left.
dpkg-deb -x "$deb" "$tmp/root"
for p in mirdal mirdal-cli; do
  ! readelf -S "$tmp/root/usr/bin/$p" | grep -q '\.debug_info' || fail "$p is not stripped"
done

if command -v lintian >/dev/null; then
  lintian --fail-on error "$deb" >"$tmp/lintian" 2>&1 ||
    { cat "$tmp/lintian"; fail "lintian reports errors"; }
  cat "$tmp/lintian"
fi
echo "$(basename "$deb"): $(wc -l <"$tmp/files") files"
