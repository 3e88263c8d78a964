#!/usr/bin/env bash
# Refreshes the pictures of the installer that the README shows
# (tests/e2e/screenshots/installer_*.png): builds the x86_64 launcher, runs the
# scenarios that take them under Wine on the project's Xvfb, and keeps each
# as a PNG without time stamps, so that an unchanged dialog gives the same file.
# Usage: tools/update_screenshots.sh
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

tools/install-packages.sh
tools/build.sh x86_64

source cmake/wine-env.sh
kve_start_session

taken=build/x86_64/tests/e2e/screenshots
rm -rf "$taken"
ctest --preset x86_64 \
  -R 'e2e\.(InstallerLifeCycle\.FirstStart|InstallerCopy\.ALargeCopy)'

kept=tests/e2e/screenshots
mkdir -p "$kept"
for name in 1_main_window 2_selection 3_question 4_copying 5_stop_question 6_finished \
            7_main_window_installed 8_uninstall_question; do
  convert "$taken/installer_$name.bmp" -strip -define png:exclude-chunks=date,time "$kept/installer_$name.png"
done
ls "$kept"/installer_*.png
