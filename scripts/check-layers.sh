#!/usr/bin/env bash
# Checks that the libraries under src/ stay layered: a folder includes headers of
# its own folder and of the folders below it, never of a folder above it.
#
#   storage < model < codes < check < calc < export < report < widgets < pages
#           < shell < cli
#
# Usage: scripts/check-layers.sh [SRC_DIR]   (default: src/ of this checkout)
# Prints every include that reaches up, as FILE:LINE: folder -> folder, and
# exits 1 if there is one; exits 0 when the layers hold.
set -euo pipefail
src=${1:-"$(dirname "$0")/../src"}
layers=(storage model codes check calc export report widgets pages shell cli)

declare -A rank
for i in "${!layers[@]}"; do rank[${layers[$i]}]=$i; done

status=0
for dir in "$src"/*/; do
  folder=$(basename "$dir")
  if [ -z "${rank[$folder]+set}" ]; then
    echo "$dir: папка не входит в порядок слоёв (${layers[*]})" >&2
    status=1
    continue
  fi
  while IFS=: read -r file line text; do
    target=$(sed -E 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"([^/"]+)\/.*/\1/' <<<"$text")
    [ -n "${rank[$target]+set}" ] || continue
    if [ "${rank[$target]}" -gt "${rank[$folder]}" ]; then
      echo "$file:$line: $folder -> $target" >&2
      status=1
    fi
  done < <(grep -rnE '^[[:space:]]*#[[:space:]]*include[[:space:]]*"[^/"]+/' "$dir" || true)
done
if [ "$status" -ne 0 ]; then
  echo "Слои нарушены: папка включает заголовок из папки выше неё." >&2
fi
exit "$status"
