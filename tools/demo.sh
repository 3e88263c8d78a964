#!/usr/bin/env bash
# Shows the launcher as a player meets it: builds it, makes the demo folder
# build/demo, starts the launcher there under Wine and keeps a picture of its
# window in build/demo-screenshot.png. On the user's display the launcher
# stays open to be tried; without a display it runs on the project's Xvfb and
# is closed once the picture is taken. Running it again starts afresh.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

tools/install-packages.sh
# Only what the window needs: the launcher, the stand-in engine and the
# program that shows the window and takes its picture.
tools/build.sh x86_64:launcher,kve_engine,demo_snapshot
tools/make_demo_folder.sh build/demo build/x86_64/launcher/launcher.exe build/x86_64/tools/engine/KVE.exe

users_display=${DISPLAY:-}
source cmake/wine-env.sh
kve_ensure_display
kve_ensure_prefix

close=--close
[ -n "$users_display" ] && close=
picture=build/demo-screenshot
# Wine's own messages go to a file: a pipe would be held open by its desktop process.
wine build/x86_64/tests/e2e/demo_snapshot.exe "$root/build/demo" "$root/$picture.bmp" $close \
  > build/demo-wine.log 2>&1 || { cat build/demo-wine.log >&2; exit 1; }
convert "$picture.bmp" "$picture.png"
rm -f "$picture.bmp"
echo "$root/$picture.png"
