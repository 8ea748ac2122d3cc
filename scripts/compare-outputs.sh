#!/usr/bin/env bash
# Writes what `zorv convert`, `zorv calc` and `zorv export` make of every JSON
# declaration among the fixtures and samples, and compares it with the outputs
# of another build.
#
#   scripts/compare-outputs.sh BUILD_DIR OUT_DIR [EARLIER_OUT_DIR]
#
# For each input OUT_DIR gets a folder named after its path holding the document
# image and the JSON read back from it, the calc output, and the file of a
# checked export and that of an unchecked one (XML, or the 4-NDFL text file),
# each with its messages and exit code; inputs that are not whole declarations
# fail and their failures are kept the same way. With EARLIER_OUT_DIR the two
# trees are compared byte for byte and the script fails on any difference.
set -euo pipefail

if [ $# -lt 2 ] || [ $# -gt 3 ]; then
  echo "usage: $0 BUILD_DIR OUT_DIR [EARLIER_OUT_DIR]" >&2
  exit 2
fi

root="$(cd "$(dirname "$0")/.." && pwd)"
zorv="$(cd "$1" && pwd)/bin/zorv"
out="$2"
[ -x "$zorv" ] || { echo "no program at $zorv" >&2; exit 2; }

rm -rf "$out"
mkdir -p "$out"
out="$(cd "$out" && pwd)"

# A fixed date, identifier and moment, so that names and heads do not change.
export_args=(--today 20.03.2009 --guid 01234567-89AB-CDEF-0123-456789ABCDEF
  --now "20.03.2009 12:00:00")

# Runs the program in folder DIR with output prefix NAME: NAME.out, NAME.err, NAME.rc.
run() {
  local dir="$1" name="$2"
  shift 2
  local rc=0
  (cd "$dir" && "$zorv" "$@" >"$name.out" 2>"$name.err") || rc=$?
  echo "$rc" >"$dir/$name.rc"
}

count=0
while IFS= read -r input; do
  case_dir="$out/${input//\//__}"
  mkdir -p "$case_dir/export" "$case_dir/export-unchecked"
  run "$case_dir" convert convert "$root/$input" document.zv8
  [ -f "$case_dir/document.zv8" ] && run "$case_dir" convert-back convert document.zv8 back.json
  run "$case_dir" calc calc "$root/$input"
  run "$case_dir/export" run export "$root/$input" -o . "${export_args[@]}"
  run "$case_dir/export-unchecked" run export "$root/$input" -o . "${export_args[@]}" --no-check
  count=$((count + 1))
done < <(cd "$root" && find tests/fixtures data/samples -name '*.json' -type f | LC_ALL=C sort)

echo "$count inputs written to $out"

if [ $# -eq 3 ]; then
  if diff -r "$3" "$out"; then
    echo "no difference from $3"
  else
    echo "outputs differ from $3" >&2
    exit 1
  fi
fi
