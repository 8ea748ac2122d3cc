#!/usr/bin/env bash
# Lists the artifacts libFuzzer left in a folder (crash-, leak-, timeout-, oom-,
# slow-unit-); exits 1 when there is any, 0 when there is none.
# Usage: scripts/fuzz-findings.sh FOLDER
set -euo pipefail
folder=${1:?Usage: scripts/fuzz-findings.sh FOLDER}
found=0
for kind in crash leak timeout oom slow-unit; do
  for file in "$folder/$kind"-*; do
    [ -e "$file" ] || continue
    echo "$file"
    found=1
  done
done
exit "$found"
