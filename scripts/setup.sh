#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need (only those missing),
# then configures and builds the program into build/.
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev libxml2-dev libxml2-utils libjpeg62-turbo-dev nlohmann-json3-dev libzint-dev
  libgtest-dev clang-14 libclang-rt-14-dev
  fonts-dejavu-core fonts-dejavu-extra poppler-utils qt6-translations-l10n
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo=sudo
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

if [ ! -f build/build.ninja ]; then
  cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
fi
ninja -C build
