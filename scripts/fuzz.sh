#!/usr/bin/env bash
# Fuzzes the reader of document files for the given number of seconds (default 60).
# Usage: scripts/fuzz.sh [SECONDS]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
build=build-fuzz
if [ ! -f "$build/build.ninja" ]; then
  CC=clang-14 CXX=clang++-14 cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DZORV_FUZZ=ON -DZORV_TESTS=OFF -DZORV_BENCH=OFF -DZORV_SANITIZE=ON >/dev/null
fi
ninja -C "$build" fuzz_document >/dev/null
corpus=$build/corpus
mkdir -p "$corpus"
# Seed with documents the program wrote itself and earlier years' documents.
cp -n fuzz/seeds/* "$corpus/" 2>/dev/null || true
export ASAN_OPTIONS=detect_leaks=1:allocator_may_return_null=1
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
status=0
"$build/bin/fuzz_document" "$corpus" -dict=fuzz/document.dict -max_total_time="$seconds" \
  -max_len=65536 -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="$build/" \
  >"$build/fuzz.log" 2>&1 || status=$?
grep -E '^(#[0-9]+.*DONE|stat::number_of_executed_units|stat::peak_rss|==[0-9]+==|SUMMARY|.*Test unit written)' \
  "$build/fuzz.log" || true
# A finding is both a non-zero exit and an artifact; either one fails the run.
if ! findings=$(scripts/fuzz-findings.sh "$build") || [ "$status" -ne 0 ]; then
  echo "fuzz: finding (exit status $status); see $build/fuzz.log" >&2
  [ -n "$findings" ] && echo "$findings" >&2
  exit 1
fi
echo "fuzz: no finding in ${seconds}s"
