#!/usr/bin/env bash
# Kills convert, export and print at random moments while they replace existing
# files, and exports that name their file with a fresh identifier each time.
# Every file must afterwards hold either its old content or a complete new one,
# and one more save into each folder must leave no temporary file behind.
# Usage: kill_test.sh ZORV SAMPLE.json [RUNS]
set -euo pipefail
zorv=$1
sample=$2
runs=${3:-100}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"

guid=01234567-89AB-CDEF-0123-456789ABCDEF
export_args=(export "$sample" -o out --today 20.03.2009 --guid "$guid")
mkdir out fresh
# The complete results, written without interruption.
"$zorv" convert "$sample" new.zv8 >/dev/null
"$zorv" "${export_args[@]}" >/dev/null
xml=$(ls out)
mv "out/$xml" new.xml
printf 'old document' >old
reset_targets() {
  cp old doc.zv8
  cp old "out/$xml"
  cp old form.pdf
}

# The file is the old one or a complete new one.
check() {
  local file=$1 complete=$2
  if cmp -s "$file" old; then return 0; fi
  if [ "$complete" = pdf ]; then
    head -c 5 "$file" | grep -q '%PDF-' && tail -c 6 "$file" | grep -q '%%EOF' && return 0
  elif cmp -s "$file" "$complete"; then
    return 0
  fi
  echo "partial file after a kill: $file ($(stat -c %s "$file") bytes)" >&2
  exit 1
}

# How long each command takes uninterrupted, in microseconds: kills fall anywhere
# within that time.
declare -A span=()
measure() {
  local start end
  start=$(date +%s%N)
  QT_QPA_PLATFORM=offscreen "$zorv" "$@" >/dev/null 2>&1
  end=$(date +%s%N)
  span[$1]=$(((end - start) / 1000 + 1))
}
measure convert "$sample" doc.zv8
measure "${export_args[@]}"
measure print "$sample" -o form.pdf

declare -A killed=()
for ((i = 0; i < runs; i++)); do
  reset_targets
  case $((i % 4)) in
    0) command=(convert "$sample" doc.zv8); target=doc.zv8; complete=new.zv8 ;;
    1) command=("${export_args[@]}"); target=out/$xml; complete=new.xml ;;
    2) command=(print "$sample" -o form.pdf); target=form.pdf; complete=pdf ;;
    3) command=(export "$sample" -o fresh); target=; complete=xml ;;
  esac
  QT_QPA_PLATFORM=offscreen "$zorv" "${command[@]}" >/dev/null 2>&1 &
  pid=$!
  delay=$(((RANDOM * 32768 + RANDOM) % ${span[${command[0]}]}))
  sleep "$(printf '%d.%06d' $((delay / 1000000)) $((delay % 1000000)))"
  if kill -9 "$pid" 2>/dev/null; then killed[${command[0]}]=$((${killed[${command[0]}]:-0} + 1)); fi
  wait "$pid" 2>/dev/null || true
  if [ -n "$target" ]; then
    check "$target" "$complete"
  else
    # A fresh name: whatever file is there is whole, up to its closing tag.
    for file in fresh/*.xml; do
      [ -e "$file" ] || continue
      tail -c 8 "$file" | cmp -s - <(printf '</\xd4\xe0\xe9\xeb>\n') && continue
      echo "partial file after a kill: $file ($(stat -c %s "$file") bytes)" >&2
      exit 1
    done
  fi
done

# One more save of each target removes what the killed ones left.
"$zorv" convert "$sample" doc.zv8 >/dev/null
"$zorv" "${export_args[@]}" >/dev/null
QT_QPA_PLATFORM=offscreen "$zorv" print "$sample" -o form.pdf >/dev/null
"$zorv" export "$sample" -o fresh >/dev/null
stray=$(find . -name '*.zorvtmp.*')
if [ -n "$stray" ]; then
  echo "temporary files left after a successful save:" >&2
  echo "$stray" >&2
  exit 1
fi
echo "kill test: $runs runs, killed before the end: convert ${killed[convert]:-0}, export ${killed[export]:-0}, print ${killed[print]:-0}; no partial or stray file"
