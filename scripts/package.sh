#!/usr/bin/env bash
# Builds the Debian package of the program with CPack (a Release build with
# Debian's hardening flags, in build-package/) and prints the package's path.
#   scripts/package.sh          build the package
#   scripts/package.sh --test   build it, then install, try and remove it
#                               (tests/package/test_package.sh; root only)
# ZORV_PACKAGE_BUILD names another build folder.
set -euo pipefail
cd "$(dirname "$0")/.."
umask 022

test_after=false
case "${1:-}" in
  "") ;;
  --test) test_after=true ;;
  *) echo "usage: scripts/package.sh [--test]" >&2; exit 2 ;;
esac

for tool in cmake ninja cpack dpkg-buildflags dpkg-shlibdeps gzip; do
  command -v "$tool" >/dev/null || {
    echo "package.sh: $tool is missing; install dpkg-dev and what scripts/setup.sh installs" >&2
    exit 2
  }
done

build=${ZORV_PACKAGE_BUILD:-build-package}
# Debian's flags: hardening (fortified functions, stack protector, relro, bindnow).
# CMake reads CXXFLAGS and LDFLAGS on the first configuration only; it never
# reads CPPFLAGS, so they go along with the compiler flags.
if [ ! -f "$build/build.ninja" ]; then
  eval "$(DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --export=sh)"
  export CXXFLAGS="${CPPFLAGS:-} $CXXFLAGS"
fi
# The changelog carries the time of the last commit, so that a build is repeatable.
export SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(git log -1 --format=%ct 2>/dev/null || date +%s)}
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
# A Release build at Debian's optimisation level (-O2 from dpkg-buildflags).
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_FLAGS_RELEASE=-DNDEBUG \
  -DZORV_TESTS=OFF -DZORV_BENCH=OFF "${launcher[@]}" >/dev/null
cmake --build "$build"

rm -f "$build"/zorv2008_*.deb
(cd "$build" && cpack -G DEB >cpack.log 2>&1) || { cat "$build/cpack.log" >&2; exit 1; }
debs=("$build"/zorv2008_*.deb)
deb=$(realpath "${debs[0]}")
echo "$deb"

if $test_after; then
  ZORV_PACKAGE_TEST=1 tests/package/test_package.sh "$deb"
fi
