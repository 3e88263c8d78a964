#!/usr/bin/env bash
# Builds through the CMake presets (CMakePresets.json): the host tools and
# native tests, the launcher for x86_64 (runs here under wine64) and i686 (the
# shipping PE32 build), and on request the fuzz build. Each lands in
# build/<preset>; the Windows builds use the host build's tools, of which they
# build only the two they need when the host build is not there yet.
# A preset may name the only targets to build: x86_64:launcher,kve_engine.
# Usage: tools/build.sh [PRESET[:TARGET,...] ...]   (default: host x86_64 i686)
set -eu
cd "$(dirname "$0")/.."
requests=("$@"); [ ${#requests[@]} -eq 0 ] && requests=(host x86_64 i686)

# build PRESET [TARGET...]
build() {
  local preset=$1; shift
  [ -f "build/$preset/CMakeCache.txt" ] || cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" ${1:+--target "$@"}
}

for request in "${requests[@]}"; do
  preset=${request%%:*}
  targets=()
  [ "$request" = "$preset" ] || IFS=, read -ra targets <<< "${request#*:}"
  case $preset in
    x86_64|i686) [ -x build/host/bin/backcg ] && [ -x build/host/bin/make_icon ] || build host backcg make_icon ;;
  esac
  build "$preset" "${targets[@]}"
done
