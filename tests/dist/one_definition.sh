#!/bin/sh
# Fails when two of the engine's libraries define the same function. The
# linker takes whichever object it meets first and never says so: a second
# mirdal::clockText(uint64_t) in the player once turned every export's
# "(0:00:05)" into "(00:00:00.000)".
# Usage: one_definition.sh BUILD_DIR
set -eu
build=$1
found=$(find "$build" -name 'libmirdal_*.a' | sort)
[ -n "$found" ] || { echo "no engine libraries under $build"; exit 1; }
dups=$(for lib in $found; do
         nm -C --defined-only -g "$lib" 2>/dev/null |
           awk -v lib="$(basename "$lib")" '$2 == "T" { $1 = ""; $2 = ""; sub(/^  /, ""); print $0 "\t" lib }' |
           sort -u
       done | sort | awk -F '\t' '$1 == prev && $2 != prevLib { print $1 ": " prevLib " and " $2 } { prev = $1; prevLib = $2 }')
if [ -n "$dups" ]; then
  echo "Defined in more than one library:"
  echo "$dups"
  exit 1
fi
echo "every function has one definition"
