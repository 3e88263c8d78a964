#!/usr/bin/env bash
# Builds everything and runs every test through the CMake presets: the native
# tests of the portable code (under AddressSanitizer and UndefinedBehaviorSanitizer),
# a short fuzzing run of the picture decoder, the static checks of both
# executables, and the Windows tests and end-to-end scenarios of both builds:
# the shipping i686 build under 32-bit Wine in the test guest, a Debian tree
# whose 32-bit programs run under QEMU's user-mode emulator, entered once for
# the run (tools/guest/guest.sh), and the x86_64 build here under wine64 and
# Xvfb.
set -eu
cd "$(dirname "$0")/.."

tools/install-packages.sh
tools/build.sh host fuzz x86_64 i686
# The test guest's tree is made (or found current) before the tests, as the
# builds are.
tools/guest/guest.sh tree

# One Wine session for all the Windows tests, so that each program starts quickly.
source cmake/wine-env.sh
kve_start_session

status=0
for preset in host fuzz i686 x86_64; do
  echo "=== tests of build/$preset"
  ctest --preset "$preset" || status=1
done
exit $status
