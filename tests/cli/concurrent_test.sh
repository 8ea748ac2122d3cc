#!/usr/bin/env bash
# A batch reading a folder that another program keeps saving into: every read
# sees a whole document, old or new, and none is refused as busy.
# Usage: concurrent_test.sh ZORV SAMPLE.json [SAVES]
set -euo pipefail
zorv=$1
sample=$2
saves=${3:-150}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
"$zorv" convert "$sample" doc.zv8 >/dev/null
(for ((i = 0; i < saves; i++)); do "$zorv" convert "$sample" doc.zv8 >/dev/null; done) &
writer=$!
reads=0
failed=0
while kill -0 "$writer" 2>/dev/null; do
  if ! "$zorv" check doc.zv8 >/dev/null 2>err.txt; then
    failed=$((failed + 1))
    cat err.txt >&2
  fi
  reads=$((reads + 1))
done
wait "$writer"
if [ "$failed" -ne 0 ]; then
  echo "concurrent test: $failed of $reads reads failed while a writer saved" >&2
  exit 1
fi
echo "concurrent test: $reads reads during $saves saves, none failed"
