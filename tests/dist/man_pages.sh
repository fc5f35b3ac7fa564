#!/usr/bin/env bash
# The manual pages written by the build: mirdal-cli(1) has a section for
# every subcommand --help lists (and for theirs), and every example in it
# runs, in order, beside a copy of the sample disc named Disc; both pages
# read without a warning from groff.
#   man_pages.sh BUILD SOURCE
set -euo pipefail
build=$(cd "$1" && pwd) source=$(cd "$2" && pwd)
cli=$build/mirdal-cli
pages=$build/dist/man
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

# The subcommands in a --help text.
subcommands() { "$cli" "$@" --help | sed -n '/^Subcommands:/,$p' | awk 'NR > 1 && NF {print $1}'; }
check_sections() {
  local s
  for s in $(subcommands "$@"); do
    grep -qxF ".SS $(echo "$* $s" | sed 's/^ //; s/-/\\-/g')" "$pages/mirdal-cli.1" ||
      fail "mirdal-cli(1) has no section for '$* $s'"
    check_sections "$@" "$s"
  done
}
check_sections
[ "$(grep -c '^\.SS ' "$pages/mirdal-cli.1")" -ge 18 ] || fail "too few subcommand sections"

# The examples: the lines between .EX and .EE in the EXAMPLES section.
awk '/^\.SH /{ex = ($2 == "EXAMPLES")} ex && /^\.EE/{on = 0} on; ex && /^\.EX/{on = 1}' "$pages/mirdal-cli.1" |
  sed 's/\\-/-/g; s/\\e/\\/g' >"$tmp/examples"
[ "$(wc -l <"$tmp/examples")" -ge 10 ] || fail "too few examples"
mkdir "$tmp/work"
cp -R "$source/samples/disc" "$tmp/work/Disc"
while IFS= read -r example; do
  [[ $example == mirdal-cli\ * ]] || fail "example is not a mirdal-cli command: $example"
  (cd "$tmp/work" && PATH="$(cd "$build" && pwd):$PATH" bash -c "$example" >"$tmp/out" 2>&1) ||
    { cat "$tmp/out"; fail "example failed: $example"; }
done <"$tmp/examples"

if command -v groff >/dev/null; then
  for page in mirdal mirdal-cli; do
    groff -man -ww -z "$pages/$page.1" 2>"$tmp/groff" || fail "groff $page"
    [ ! -s "$tmp/groff" ] || { cat "$tmp/groff"; fail "groff warns about $page(1)"; }
  done
fi
# The GUI's page names every option mirdal --help lists.
if [ -x "$build/mirdal" ]; then
  options=$(env -u DISPLAY -u WAYLAND_DISPLAY "$build/mirdal" --help | sed -n '/^Options:/,/^$/p' |
    grep -o -- ' -[-a-z]*' | sed 's/^ //')
  [ -n "$options" ] || fail "mirdal --help lists no options"
  for option in $options; do
    grep -qF -- "$(echo "$option" | sed 's/-/\\-/g')" "$pages/mirdal.1" || fail "mirdal(1) lacks $option"
  done
fi
echo "$(wc -l <"$tmp/examples") examples ran"
