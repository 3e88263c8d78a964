#!/usr/bin/env bash
# Builds the launcher a second time in a fresh folder and compares the bytes
# with the first build. Usage: reproducible_build.sh SOURCE_DIR TOOLCHAIN HOST_TOOLS EXE
set -eu
source_dir=$1 toolchain=$2 host_tools=$3 first=$4
second_dir=$(mktemp -d)
trap 'rm -rf "$second_dir"' EXIT
cmake -S "$source_dir" -B "$second_dir" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DKVE_HOST_TOOLS_DIR="$host_tools" >/dev/null
cmake --build "$second_dir" --target launcher >/dev/null
second=$second_dir/launcher/launcher.exe
if cmp "$first" "$second"; then
  echo "ok: two clean builds give byte-identical executables ($(stat -c %s "$first") bytes)"
  echo "1 passed, 0 failed"
else
  echo "FAIL: the second build differs"
  exit 1
fi
