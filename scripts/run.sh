#!/usr/bin/env bash
# Sets up, builds and runs the program: the desktop program with the sample
# declaration when there is a display, otherwise the command-line tool's
# demonstration on the same sample.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh >/dev/null
out=$(mktemp -d)
sample=data/samples/employee.json
build/bin/zorv convert "$sample" "$out/employee.zv8" >/dev/null

if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  echo "Запускается Zorv 2008 с образцом декларации $out/employee.zv8"
  exec build/bin/zorv2008 "$out/employee.zv8"
fi

echo "Нет дисплея: программа Zorv 2008 не может открыть окно; показываю работу zorv на образце."
echo "== Образец декларации: $sample"
build/bin/zorv check "$sample"
echo "== Итоги раздела 1 (13 %):"
build/bin/zorv calc "$sample" | sed -n '/"Section1"/,/}/p'
build/bin/zorv export "$sample" -o "$out"
build/bin/zorv convert "$out/employee.zv8" "$out/employee.json"
build/bin/zorv convert "$out/employee.json" "$out/again.zv8" >/dev/null
if cmp -s "$out/employee.zv8" "$out/again.zv8"; then
  echo "Документ записан и прочитан обратно без изменений; файлы в $out"
else
  echo "Документ после повторного чтения отличается: $out" >&2
  exit 1
fi
