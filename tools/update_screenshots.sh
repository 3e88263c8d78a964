#!/usr/bin/env bash
# Refreshes the pictures of the installer that the README shows
# (tests/e2e/screenshots/installer_*.png): builds the x86_64 launcher, runs the
# scenarios that take them under Wine on the project's Xvfb, in the Japanese
# locale and in C.UTF-8 (code page 1252, the names ending in _cp1252), and
# keeps each as a PNG without time stamps, so that an unchanged dialog gives
# the same file.
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
  -R 'e2e\.(cp1252\.)?(InstallerLifeCycle\.FirstStart|InstallerCopy\.ALargeCopy)'

kept=tests/e2e/screenshots
mkdir -p "$kept"
for name in 1_main_window 2_selection 3_question 4_copying 5_stop_question 6_finished \
            7_main_window_installed 8_uninstall_question 1_main_window_cp1252 2_selection_cp1252; do
  convert "$taken/installer_$name.bmp" -strip -define png:exclude-chunks=date,time "$kept/installer_$name.png"
done
ls "$kept"/installer_*.png
