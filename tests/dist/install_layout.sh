#!/usr/bin/env bash
# `make install DESTDIR=...` (cmake --install of the built tree, nothing is
# rebuilt) lays out exactly the files of installed-files.txt, and each of
# them is what its readers accept: the desktop entry, the metainfo, the MIME
# packages, the manual pages, the icons.
#   install_layout.sh BUILD SOURCE
set -euo pipefail
build=$(cd "$1" && pwd) source=$(cd "$2" && pwd)
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

DESTDIR=$tmp/root cmake --install "$build" --prefix /usr/local >"$tmp/log" || { cat "$tmp/log"; fail "install"; }
prefix=$tmp/root/usr/local
(cd "$prefix" && find . \( -type f -o -type l \) | sed 's|^\./||' | LC_ALL=C sort) >"$tmp/files"
diff -u "$source/tests/dist/installed-files.txt" "$tmp/files" || fail "the installed files differ from installed-files.txt"
# Nothing outside the prefix.
[ "$(cd "$tmp/root" && find . -mindepth 1 -maxdepth 2 | LC_ALL=C sort | tr '\n' ' ')" = "./usr ./usr/local " ] ||
  fail "files outside the prefix"

for f in bin/mirdal bin/mirdal-cli; do [ -x "$prefix/$f" ] || fail "$f is not executable"; done
"$prefix/bin/mirdal-cli" check "$source/samples/disc" >/dev/null || fail "the installed mirdal-cli cannot check the sample disc"

for size in 16 22 24 32 48 64 128 256; do
  png=$prefix/share/icons/hicolor/${size}x${size}/apps/mirdal.png
  # The PNG header's width and height: bytes 16 to 23, big-endian.
  [ "$(od -An -tx1 -j16 -N8 "$png" | tr -d ' \n')" = "$(printf '%08x%08x' "$size" "$size")" ] ||
    fail "$png is not ${size}x${size}"
done

# The desktop entry opens exactly the types the MIME packages define.
entry_types=$(sed -n 's/^MimeType=//p' "$prefix/share/applications/mirdal.desktop" | tr ';' '\n' | sed '/^$/d' | LC_ALL=C sort)
defined_types=$(sed -n 's/.*<mime-type type="\([^"]*\)".*/\1/p' "$prefix"/share/mime/packages/*.xml | LC_ALL=C sort)
[ -n "$entry_types" ] && [ "$entry_types" = "$defined_types" ] ||
  fail "desktop entry types ($entry_types) differ from the MIME packages' ($defined_types)"

if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$prefix/share/applications/mirdal.desktop" || fail "desktop-file-validate"
fi
if command -v appstreamcli >/dev/null; then
  appstreamcli validate --no-net "$prefix/share/metainfo/io.github.mirdal.Mirdal.metainfo.xml" ||
    fail "appstreamcli validate"
fi
if command -v update-mime-database >/dev/null; then
  XDG_DATA_DIRS=$prefix/share update-mime-database "$prefix/share/mime" 2>"$tmp/mime-err" ||
    fail "update-mime-database"
  [ ! -s "$tmp/mime-err" ] || { cat "$tmp/mime-err"; fail "update-mime-database complained"; }
  grep -q '^50:application/x-bd-movie-info:\*\.bdmv$' "$prefix/share/mime/globs2" || fail "no *.bdmv glob"
  grep -q '^50:application/x-bd-igs-menu:\*\.mnu$' "$prefix/share/mime/globs2" || fail "no *.mnu glob"
  # index.bdmv and MovieObject.bdmv are told from the transport streams
  # shared-mime-info also gives *.bdmv by their first bytes.
  grep -aq '^\[60:application/x-bd-movie-info\]$' "$prefix/share/mime/magic" || fail "no magic for .bdmv files"
fi
if command -v groff >/dev/null; then
  for page in mirdal mirdal-cli; do
    zcat "$prefix/share/man/man1/$page.1.gz" | groff -man -ww -z 2>"$tmp/groff" || fail "groff $page"
    [ ! -s "$tmp/groff" ] || { cat "$tmp/groff"; fail "groff warns about $page(1)"; }
  done
fi
echo "installed: $(wc -l <"$tmp/files") files"
