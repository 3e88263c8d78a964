#!/usr/bin/env bash
# Small drives for the installer's scenarios: tmpfs file systems mounted under
# the build folder and given Wine drive letters in the prefix, so that a full
# drive or one without free entries can be met without risk to a real one.
# The rig (scratch_drives.h) knows each drive by its size. Mounting needs
# root; without it nothing is mapped and the scenarios that need a drive skip.
# Usage: drives.sh mount|unmount <folder for the mount points> <Wine prefix>
set -u
[ $# -eq 3 ] || { echo "usage: $0 mount|unmount <folder> <Wine prefix>" >&2; exit 2; }
action=$1 folder=$2 prefix=$3

# letter, tmpfs options: R: is full at 4 MiB; S: has room for its root and
# three entries; T: is a spare drive whose root may be planted on.
drives=("r size=4m" "s size=6m,nr_inodes=4" "t size=2m")

unmount_all() {
  for drive in "${drives[@]}"; do
    local letter=${drive%% *}
    local link=$prefix/dosdevices/$letter: point=$folder/$letter
    [ "$(readlink "$link" 2>/dev/null)" = "$point" ] && rm -f "$link"
    mountpoint -q "$point" && umount "$point"
    [ -d "$point" ] && rmdir "$point"
  done
  return 0
}

mount_all() {
  source "$(dirname "$0")/../../cmake/wine-env.sh"
  kve_ensure_display && kve_ensure_prefix || return 1
  for drive in "${drives[@]}"; do
    local letter=${drive%% *} options=${drive#* }
    local link=$prefix/dosdevices/$letter: point=$folder/$letter
    mkdir -p "$point"
    mount -t tmpfs -o "$options" tmpfs "$point" || return 1
    ln -sfn "$point" "$link"
  done
  echo "mapped ${#drives[@]} small drives under $folder"
}

case $action in
  mount)
    if [ "$(id -u)" -ne 0 ]; then
      echo "not root: no small drives are mapped, and the scenarios that need one skip"
      exit 0
    fi
    unmount_all  # what an interrupted run left
    export WINEPREFIX_KVE=$prefix
    mount_all || { unmount_all; exit 1; } ;;
  unmount) unmount_all ;;
  *) echo "unknown action: $action" >&2; exit 2 ;;
esac
