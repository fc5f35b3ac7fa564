#!/usr/bin/env bash
# The bash completion written by the build, asked as bash asks it: the
# subcommands are those --help lists, options complete per subcommand, and
# arguments as the files they name or the words they take. Every argument
# of the CLI has its completion kind (the generator warns otherwise).
#   completion.sh BUILD
set -uo pipefail
build=$(cd "$1" && pwd)
cli=$build/mirdal-cli
script=$build/dist/completion/mirdal-cli
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

"$cli" --generate bash "$tmp/again" 2>"$tmp/warnings" || fail "--generate bash"
[ ! -s "$tmp/warnings" ] && cmp -s "$script" "$tmp/again" || { cat "$tmp/warnings"; fail "the completion warns or is stale"; }

# A folder with one file of each kind and a subfolder.
mkdir -p "$tmp/files/sub"
touch "$tmp/files/"{a.mpls,b.mnu,c.m2ts,d.png,e.wav,f.json,g.txt,MovieObject.bdmv}
cd "$tmp/files" || exit 1
# shellcheck disable=SC1090
source "$script"

# complete WORDS...: the candidates for the last word, sorted, on one line.
complete_words() {
  COMP_WORDS=(mirdal-cli "$@")
  COMP_CWORD=$#
  COMPREPLY=()
  _mirdal_cli
  printf '%s\n' "${COMPREPLY[@]}" | LC_ALL=C sort -u | tr '\n' ' ' | sed 's/ $//'
}

expect() {
  local want=$1
  shift
  local got
  got=$(complete_words "$@")
  [ "$got" = "$want" ] || fail "mirdal-cli $* -> '$got', not '$want'"
}

subcommands=$("$cli" --help | sed -n '/^Subcommands:/,$p' | awk 'NR > 1 && NF {print $1}' | LC_ALL=C sort | tr '\n' ' ' | sed 's/ $//')
expect "$subcommands" ""
expect "chapters check" ch
expect "$subcommands" -v ""
expect "export import" chapters ""
expect "a.mpls sub" chapters export ""
expect "frame pts time" chapters export a.mpls --format ""
expect "b.mnu c.m2ts sub" render ""
expect "b.mnu sub" mux ""
expect "activated normal selected" render b.mnu --state ""
expect "sub" check ""
expect "sub" -v find ""
expect "" command ""
expect "" run MovieObject.bdmv ""
expect "MovieObject.bdmv sub" run ""
expect "MovieObject.bdmv import sub" program ""
expect "c.m2ts sub" export-pid ""
expect "d.png sub" object import b.mnu ""
expect "f.json sub" menu edit b.mnu ""
expect "e.wav sub" sound import MovieObject.bdmv ""
expect "MovieObject.bdmv a.mpls b.mnu c.m2ts d.png e.wav f.json g.txt sub" render b.mnu -o ""
expect "d.png sub" render b.mnu --background ""
expect "A B C" run MovieObject.bdmv 7 --region ""
expect "--output --overlays" render b.mnu --o
expect "--help --json" dump --
expect "--bin --help --output" program --

[ $failures -eq 0 ] || exit 1
echo "completion: all cases pass"
