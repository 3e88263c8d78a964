#!/usr/bin/env bash
# Builds everything: the host tools and native tests, then the launcher for
# x86_64 (runs here under wine64) and i686 (the shipping PE32 build).
# Usage: tools/build.sh [host|x86_64|i686 ...]   (default: all three)
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
# KVE_BUILD_ROOT names another build folder than build/ (each has its own Wine prefix).
out=${KVE_BUILD_ROOT:-build}
targets=("$@"); [ ${#targets[@]} -eq 0 ] && targets=(host x86_64 i686)

configure_and_build() {
  local dir=$1; shift
  [ -f "$dir/CMakeCache.txt" ] || cmake -S "$root" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release "$@" >/dev/null
  cmake --build "$dir"
}

for target in "${targets[@]}"; do
  case $target in
    host) configure_and_build $out/host ;;
    x86_64|i686)
      [ -x $out/host/bin/backcg ] || configure_and_build $out/host
      configure_and_build "$out/$target" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-$target.cmake" \
        -DKVE_HOST_TOOLS_DIR="$root/$out/host/bin" ;;
    *) echo "unknown target: $target" >&2; exit 2 ;;
  esac
done
