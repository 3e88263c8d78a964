#!/usr/bin/env bash
# The test guest: a Debian virtual machine with 32-bit Wine, in which the
# shipping i686 build runs (this machine refuses 32-bit code). The project
# folder is shared into the guest at the same path, so a command run there sees
# the build tree as CTest does here.
#
# Usage: guest.sh image                      makes the disk image, or makes it anew
#                                            when the package list or the recipe changed
#        guest.sh start                      boots the guest unless it is running
#        guest.sh run [--cd DIR] [--env NAME=VALUE]... -- COMMAND...
#                                            runs COMMAND in the guest (booting it when
#                                            needed); its output and exit status are its own
#        guest.sh stop                       shuts the guest down
#
# KVE_GUEST_DIR names the folder of the image and of the running guest
# (default build/guest); KVE_GUEST_MIRROR a build folder whose programs the
# guest runs from a copy on its own disk, made when it boots (see init.sh).
set -eu
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
root=$(cd "$here/../.." && pwd)
guest_dir=${KVE_GUEST_DIR:-$root/build/guest}
run_dir=$guest_dir/run
jobs=$run_dir/jobs
image=$guest_dir/rootfs.img
# The guest stops by itself after this long without a command, should the run
# that started it never stop it.
idle_seconds=${KVE_GUEST_IDLE_SECONDS:-1200}

log() { echo "guest: $*" >&2; }

# --- The image -------------------------------------------------------------

# What the image is made from: a new list or a new recipe makes a new image.
image_recipe() {
  { cat "$here/packages.txt" "$here/boot.sh"; declare -f make_image; } | sha256sum | cut -d' ' -f1
}

# The mirror the guest's packages come from: the machine's own apt sources.
apt_sources() {
  local file
  for file in /etc/apt/sources.list.d/debian.sources /etc/apt/sources.list; do
    [ -s "$file" ] && { echo "$file"; return 0; }
  done
  echo "no apt sources found for the guest's packages" >&2
  return 1
}

image_is_current() {
  [ -f "$image" ] && [ "$(cat "$guest_dir/image.recipe" 2>/dev/null)" = "$(image_recipe)" ]
}

make_image() {
  image_is_current && return 0
  local started=$SECONDS tree=$guest_dir/rootfs sources packages
  sources=$(apt_sources)
  packages=$(grep -v -E '^\s*(#|$)' "$here/packages.txt" | paste -sd, -)
  log "making the image from $(basename "$sources") (a few minutes, once)"
  if grep -q " $tree/" /proc/mounts; then
    echo "file systems are still mounted in $tree (an interrupted build): unmount them first" >&2
    return 1
  fi
  rm -rf "$tree" "$image" "$guest_dir/image.recipe"
  mkdir -p "$guest_dir"
  mmdebstrap --quiet --variant=minbase --architectures=amd64,i386 --include="$packages" \
    --customize-hook='chroot "$1" sh -c "echo ja_JP.UTF-8 UTF-8 > /etc/locale.gen && locale-gen >/dev/null"' \
    --customize-hook='rm -rf "$1"/var/cache/apt/archives/*.deb "$1"/var/lib/apt/lists/*' \
    --customize-hook="cp '$here/boot.sh' \"\$1/sbin/kve-boot\" && chmod 755 \"\$1/sbin/kve-boot\"" \
    bookworm "$tree" "$sources"
  cp -L "$tree/vmlinuz" "$guest_dir/vmlinuz"
  cp -L "$tree/initrd.img" "$guest_dir/initrd.img"
  # Room for the Wine prefix and the tests' folders besides the system: a
  # scenario needs free space for a source of 4.5 GiB. The image is sparse.
  local size_mib=$(( $(du -sm "$tree" | cut -f1) + 8192 ))
  mke2fs -q -t ext4 -d "$tree" -L kve-guest "$image" "${size_mib}M"
  rm -rf "$tree"
  image_recipe > "$guest_dir/image.recipe"
  log "image made in $(( SECONDS - started )) s ($(( size_mib / 1024 )) GiB)"
}

# --- The running guest -----------------------------------------------------

qemu_pid() { cat "$run_dir/qemu.pid" 2>/dev/null; }
is_running() {
  local pid; pid=$(qemu_pid)
  [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null && [ -f "$jobs/ready" ]
}

# Boots with the given accelerator options; the disk is the image behind a
# throw-away overlay, so every boot starts from the same state.
boot() {
  rm -rf "$run_dir"
  mkdir -p "$jobs"
  qemu-system-x86_64 "$@" -m 4096 -smp 2 -nodefaults -display none -no-reboot \
    -kernel "$guest_dir/vmlinuz" -initrd "$guest_dir/initrd.img" \
    -append "root=/dev/vda rw console=ttyS0 panic=-1 quiet init=/sbin/kve-boot kve_root=$root kve_jobs=$jobs kve_idle=$idle_seconds kve_mirror=${KVE_GUEST_MIRROR:-}" \
    -drive "file=$image,format=raw,if=virtio,snapshot=on,cache=unsafe" \
    -virtfs "local,path=$root,mount_tag=kve,security_model=none,multidevs=remap" \
    -serial "file:$run_dir/console.log" -pidfile "$run_dir/qemu.pid" -daemonize \
    </dev/null >"$run_dir/qemu.log" 2>&1 9>&-
}

# Waits up to the given seconds for the guest to say it is ready.
await_ready() {
  local deadline=$(( SECONDS + $1 )) pid
  pid=$(qemu_pid)
  while [ $SECONDS -lt $deadline ]; do
    [ -f "$jobs/ready" ] && return 0
    kill -0 "$pid" 2>/dev/null || return 1
    sleep 0.2
  done
  return 1
}

stop_qemu() {
  local pid; pid=$(qemu_pid)
  [ -n "$pid" ] && kill "$pid" 2>/dev/null
  rm -f "$run_dir/qemu.pid" "$jobs/ready"
}

# KVM when it works; a KVM guest that does not come up in a short while is
# given up for the emulator (TCG). The -smap: QEMU 7.2's emulated SMAP makes
# the guest kernel oops on 32-bit Wine's return from interrupts.
start_guest() {
  is_running && return 0
  make_image
  local started=$SECONDS
  if [ -r /dev/kvm ] && [ -w /dev/kvm ]; then
    if boot -accel kvm -cpu host && await_ready 30; then
      echo kvm > "$run_dir/accelerator"
      log "booted with KVM in $(( SECONDS - started )) s"
      return 0
    fi
    stop_qemu
    log "KVM did not boot the guest; using the emulator"
  fi
  started=$SECONDS
  boot -accel tcg,thread=multi -cpu ${KVE_GUEST_CPU:-max,-smap} || { cat "$run_dir/qemu.log" >&2; return 1; }
  if ! await_ready 600; then
    log "the guest did not come up; its console:"
    tail -n 40 "$run_dir/console.log" >&2
    stop_qemu
    return 1
  fi
  echo tcg > "$run_dir/accelerator"
  log "booted with TCG in $(( SECONDS - started )) s"
}

# One start at a time: CTest's fixture and the first test may race to it.
start_locked() {
  mkdir -p "$guest_dir"
  exec 9>"$guest_dir/lock"
  flock 9
  start_guest
  exec 9>&-
}

stop_guest() {
  local pid; pid=$(qemu_pid)
  [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null || { rm -rf "$run_dir"; return 0; }
  touch "$jobs/stop"
  for _ in $(seq 1 300); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
  kill "$pid" 2>/dev/null || true
  rm -f "$run_dir/qemu.pid" "$jobs/ready"
}

# --- Commands in the guest -------------------------------------------------

# Writes a job for the guest's loop (tools/guest/init.sh): a script that
# changes to the folder, sets the variables and runs the command.
write_job() {
  local file=$1 folder=$2; shift 2
  {
    printf 'cd %q || exit 125\n' "$folder"
    local assignment
    for assignment in "${job_env[@]}"; do printf 'export %q\n' "$assignment"; done
    printf 'exec'; printf ' %q' "${job_command[@]}"; printf '\n'
  } > "$file.tmp"
  mv "$file.tmp" "$file"
}

run_in_guest() {
  local folder=$PWD
  job_env=()
  while [ $# -gt 0 ]; do
    case $1 in
      --cd) folder=$2; shift 2 ;;
      --env) job_env+=("$2"); shift 2 ;;
      --) shift; break ;;
      *) break ;;
    esac
  done
  job_command=("$@")
  [ ${#job_command[@]} -gt 0 ] || { echo "guest.sh run: no command" >&2; return 2; }
  is_running || start_locked >&2 || return 125

  local id; id=$(date +%s%N)-$$
  local job=$jobs/$id
  # A run that is stopped (CTest's time limit) stops its command in the guest.
  trap 'touch "$job.cancel"; exit 124' TERM INT
  write_job "$job.job" "$folder"
  local pid; pid=$(qemu_pid)
  until [ -f "$job.rc" ]; do
    if ! kill -0 "$pid" 2>/dev/null; then
      echo "guest.sh: the guest stopped while running: ${job_command[*]}" >&2
      return 125
    fi
    sleep 0.05
  done
  cat "$job.out" 2>/dev/null
  local status; status=$(cat "$job.rc")
  rm -f "$job".*
  return "$status"
}

case ${1:-} in
  image) make_image ;;
  start) start_locked ;;
  run) shift; run_in_guest "$@" ;;
  stop) stop_guest ;;
  *) sed -n '/^# Usage/,/^# KVE_GUEST_DIR/p' "${BASH_SOURCE[0]}" >&2; exit 2 ;;
esac
