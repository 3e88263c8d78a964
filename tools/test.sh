#!/usr/bin/env bash
# Builds everything and runs every test: the native tests of the portable code
# (under AddressSanitizer and UndefinedBehaviorSanitizer), the static checks of
# both executables, and the Windows tests and end-to-end scenarios of the
# x86_64 build under wine64 and Xvfb.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
# KVE_BUILD_ROOT names another build folder than build/ (each has its own Wine prefix).
out=${KVE_BUILD_ROOT:-build}

"$root/tools/install-packages.sh"
"$root/tools/build.sh" host x86_64 i686

source "$root/cmake/wine-env.sh"
kve_start_session

status=0
for build in host i686 x86_64; do
  echo "=== tests of $out/$build"
  ctest --test-dir "$out/$build" --output-on-failure || status=1
done
exit $status
