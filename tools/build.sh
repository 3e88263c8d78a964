#!/usr/bin/env bash
# Builds everything: the host tools and native tests, then the launcher for
# x86_64 (runs here under wine64) and i686 (the shipping PE32 build).
# Usage: tools/build.sh [host|x86_64|i686 ...]   (default: all three)
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
targets=("$@"); [ ${#targets[@]} -eq 0 ] && targets=(host x86_64 i686)

configure_and_build() {
  local dir=$1; shift
  [ -f "$dir/CMakeCache.txt" ] || cmake -S "$root" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release "$@" >/dev/null
  cmake --build "$dir"
}

for target in "${targets[@]}"; do
  case $target in
    host) configure_and_build build/host ;;
    x86_64|i686)
      [ -x build/host/bin/backcg ] || configure_and_build build/host
      configure_and_build "build/$target" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-$target.cmake" \
        -DKVE_HOST_TOOLS_DIR="$root/build/host/bin" ;;
    *) echo "unknown target: $target" >&2; exit 2 ;;
  esac
done
