#!/usr/bin/env bash
# The layer check passes on the real tree and fails, naming the file, on an
# include of the main window planted in the calculation, and on a folder that has
# no place in the order.
set -euo pipefail
script=$1
src=$2
"$script" "$src"

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
cp -r "$src" "$tmp/src"
echo '#include "shell/formmain.h"' >>"$tmp/src/calc/sections.cpp"
if "$script" "$tmp/src" 2>"$tmp/err"; then
  echo "a back reference from calc to shell passed" >&2
  exit 1
fi
grep -q 'calc/sections.cpp:[0-9]*: calc -> shell' "$tmp/err"

rm -rf "$tmp/src"
cp -r "$src" "$tmp/src"
mkdir "$tmp/src/misc"
if "$script" "$tmp/src" 2>"$tmp/err"; then
  echo "a folder outside the layers passed" >&2
  exit 1
fi
grep -q 'misc' "$tmp/err"
