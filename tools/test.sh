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

# Tests always run on their own Xvfb, never on the user's display.
unset DISPLAY
source "$root/cmake/wine-env.sh"
kve_ensure_display
kve_ensure_prefix
# One Wine server for the whole run, so programs start quickly.
wineserver -p >/dev/null 2>&1
cleanup() { wineserver -k 2>/dev/null || true; kve_stop_display; }
trap cleanup EXIT

status=0
for build in host i686 x86_64; do
  echo "=== tests of $out/$build"
  ctest --test-dir "$out/$build" --output-on-failure || status=1
done
exit $status
