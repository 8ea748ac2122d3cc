#!/usr/bin/env bash
# Sets up, builds and runs the whole test suite: the tests under address and
# undefined-behaviour sanitizers, a short fuzzing run of the document reader, and
# the tests of the normal build.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh

echo "== Layers of the libraries"
scripts/check-layers.sh
echo "Слои библиотек соблюдены"

echo "== Sanitizer build (address, undefined)"
if [ ! -f build-asan/build.ninja ]; then
  cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DZORV_SANITIZE=ON -DZORV_BENCH=OFF >/dev/null
fi
ninja -C build-asan
ASAN_OPTIONS=detect_leaks=1 LSAN_OPTIONS="suppressions=$PWD/scripts/lsan.supp" \
  UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
  ctest --test-dir build-asan --output-on-failure -j2 >build-asan/ctest.log 2>&1 ||
  { tail -n 80 build-asan/ctest.log; exit 1; }
tail -n 3 build-asan/ctest.log

echo "== Fuzzing the document reader"
scripts/fuzz.sh "${ZORV_FUZZ_SECONDS:-30}"

echo "== Tests"
ctest --test-dir build --output-on-failure -j2
