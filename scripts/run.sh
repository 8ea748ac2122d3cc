#!/usr/bin/env bash
# Sets up, builds and runs the program's main job on the bundled sample declaration.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh >/dev/null
out=$(mktemp -d)
sample=data/samples/employee.json
echo "== Образец декларации: $sample"
build/bin/zorv convert "$sample" "$out/employee.zv8"
build/bin/zorv convert "$out/employee.zv8" "$out/employee.json"
build/bin/zorv convert "$out/employee.json" "$out/again.zv8" >/dev/null
if cmp -s "$out/employee.zv8" "$out/again.zv8"; then
  echo "Документ записан и прочитан обратно без изменений (файлы в $out)."
else
  echo "Документ после повторного чтения отличается: $out" >&2
  exit 1
fi
