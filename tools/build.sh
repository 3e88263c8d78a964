#!/usr/bin/env bash
# Builds through the CMake presets (CMakePresets.json): the host tools and
# native tests, the launcher for x86_64 (runs here under wine64) and i686 (the
# shipping PE32 build), and on request the fuzz build. Each lands in
# build/<preset>; the Windows builds use the host build's tools.
# Usage: tools/build.sh [host|x86_64|i686|fuzz ...]   (default: host x86_64 i686)
set -eu
cd "$(dirname "$0")/.."
presets=("$@"); [ ${#presets[@]} -eq 0 ] && presets=(host x86_64 i686)

build() {
  [ -f "build/$1/CMakeCache.txt" ] || cmake --preset "$1" >/dev/null
  cmake --build --preset "$1"
}

for preset in "${presets[@]}"; do
  case $preset in
    x86_64|i686) [ -x build/host/bin/backcg ] || build host ;;
  esac
  build "$preset"
done
