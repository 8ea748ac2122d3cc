#!/usr/bin/env bash
# Start-up of the tool's commands beside a bare program that writes and flushes
# a 10 KB file, and the speed of one batch call against one call per file.
#   bench/startup.sh [BUILD-FOLDER] [RUNS] [FILES]
set -euo pipefail
build=${1:-build}
runs=${2:-200}
files=${3:-1000}
zorv=$build/bin/zorv
bare=$build/bin/bench_bare_start
sample=$(dirname "$0")/../data/samples/employee.json
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The median wall time of a command in microseconds over $runs runs.
median_us() {
  local times=()
  for ((i = 0; i < runs; i++)); do
    local start end
    start=$(date +%s%N)
    "$@" >/dev/null 2>&1 || true
    end=$(date +%s%N)
    times+=($(((end - start) / 1000)))
  done
  printf '%s\n' "${times[@]}" | sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'
}

"$zorv" convert "$sample" "$work/doc.zv8" >/dev/null
base=$(median_us "$bare" "$work/bare.out")
printf 'bare program (10 KB written and flushed): %d us\n' "$base"
for cmd in "convert $sample $work/out.zv8" "check $work/doc.zv8" "calc $work/doc.zv8" \
           "export $work/doc.zv8 -o $work"; do
  # shellcheck disable=SC2086
  t=$(median_us "$zorv" $cmd)
  awk -v c="${cmd%% *}" -v t="$t" -v b="$base" \
    'BEGIN {printf "zorv %-8s %6d us  %.1f x the bare program (target: at most 3 x)\n", c, t, t / b}'
  rm -f "$work"/NO_NDFL3_*.xml
done

mkdir -p "$work/many" "$work/one" "$work/batch"
for ((i = 0; i < files; i++)); do cp "$work/doc.zv8" "$work/many/d$i.zv8"; done
start=$(date +%s%N)
for f in "$work"/many/*.zv8; do "$zorv" export "$f" -o "$work/one" >/dev/null; done
separate=$((($(date +%s%N) - start) / 1000000))
for jobs in 1 "$(nproc)"; do
  rm -f "$work"/batch/*
  start=$(date +%s%N)
  "$zorv" export "$work/many" -o "$work/batch" -j "$jobs" >/dev/null
  batch=$((($(date +%s%N) - start) / 1000000))
  awk -v n="$files" -v s="$separate" -v b="$batch" -v j="$jobs" \
    'BEGIN {printf "%d files exported: %d calls %d ms, one call -j %s %d ms (%.1f x faster; target: at least 10 x)\n", n, n, s, j, b, s / (b > 0 ? b : 1)}'
done
