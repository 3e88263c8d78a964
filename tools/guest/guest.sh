#!/usr/bin/env bash
# The test guest: a Debian 13 (trixie) tree with 32-bit Wine 10, in which the
# shipping i686 build runs. Wine 10 starts a program from Linux with a limited
# token and elevates through "runas", as Windows Vista to 11 do. This machine
# refuses 32-bit code, so the tree's 32-bit programs run under trixie's own
# QEMU user-mode emulator (qemu-i386, version 10: Debian 12's 7.2 takes minutes
# to start each Wine process), while Wine's 64-bit server, Xvfb and the file
# system run natively.
#
# The tree is entered in a namespace of its own (user, mount and PID) whose
# private binfmt_misc hands i386 programs to the tree's qemu-i386; /proc, /dev,
# /dev/shm and a /tmp are mounted in it, and the project folder at its own path,
# so a command run there sees the build folder as CTest does here. Where the
# kernel refuses a private binfmt_misc or user namespaces, root registers
# qemu-i386 machine-wide for as long as the namespace lives (KVE_GUEST_REGISTRATION=machine
# chooses that where the kernel would allow the namespace's own).
#
# Usage: guest.sh tree                       makes the tree, or makes it anew
#                                            when the package list or the recipe changed
#        guest.sh start                      enters the tree unless it is entered
#        guest.sh run [--cd DIR] [--env NAME=VALUE]... -- COMMAND...
#                                            runs COMMAND there (starting it when
#                                            needed); its output and exit status are its own
#        guest.sh stop                       ends everything that runs there
#
# KVE_GUEST_DIR names the folder of the tree and of its running namespace
# (default build/guest).
set -eu
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
root=$(cd "$here/../.." && pwd)
guest_dir=${KVE_GUEST_DIR:-$root/build/guest}
tree=$guest_dir/tree
run_dir=$guest_dir/run
jobs=$run_dir/jobs
# The namespace ends by itself after this long without a command, should the
# run that started it never stop it.
idle_seconds=${KVE_GUEST_IDLE_SECONDS:-1200}
# The name of the machine-wide registration, when one is needed.
machine_entry=/proc/sys/fs/binfmt_misc/kve-qemu-i386

log() { echo "guest: $*" >&2; }
fail() { echo "guest: $*" >&2; exit 1; }

# --- The tree --------------------------------------------------------------

# What the tree is made from: a new list or a new recipe makes a new tree.
tree_recipe() {
  { cat "$here/packages.txt"; declare -f make_tree trixie_line check_tree_versions; } | sha256sum | cut -d' ' -f1
}

# The mirror the tree's packages come from: the machine's own apt sources.
apt_sources() {
  local file
  for file in /etc/apt/sources.list.d/debian.sources /etc/apt/sources.list; do
    [ -s "$file" ] && { echo "$file"; return 0; }
  done
  fail "no apt sources found for the tree's packages"
}

# The trixie suite of the mirror that serves the machine's own Debian release,
# as the tree's only sources line: the machine's own sources stay as they are.
trixie_line() {
  local release uri
  release=$(. /etc/os-release && echo "$VERSION_CODENAME")
  uri=$(awk -v release="$release" '
    /^URIs:/ { uris = $2 }
    /^Suites:/ { for (i = 2; i <= NF; i++) if ($i == release) { print uris; exit } }
    /^deb / && $3 == release { print $2; exit }' "$1")
  [ -n "$uri" ] || fail "no mirror of $release in $1 to take trixie from"
  echo "deb $uri trixie main"
}

qemu_version() { "$tree/usr/bin/qemu-i386" --version | head -n 1; }

# The tree's version of a package, read natively from its dpkg database.
tree_package_version() {
  dpkg-query --admindir="$tree/var/lib/dpkg" -W -f '${Version}' "$1" 2>/dev/null
}

# The rig needs QEMU 10 (7.2 takes minutes to start each Wine process) and
# Wine 10 (limited tokens for programs started from Linux, elevation through
# "runas"): a mirror that serves other versions fails here, not in the tests.
check_tree_versions() {
  local qemu wine
  qemu=$(tree_package_version qemu-user); wine=$(tree_package_version wine32:i386)
  [[ $qemu == 1:10.* ]] || fail "the tree's qemu-user is '$qemu', not QEMU 10"
  [[ $wine == 10.* ]] || fail "the tree's wine32 is '$wine', not Wine 10"
  log "the tree has qemu-user $qemu and wine32 $wine"
}

tree_is_current() {
  [ -x "$tree/usr/bin/qemu-i386" ] && [ "$(cat "$guest_dir/tree.recipe" 2>/dev/null)" = "$(tree_recipe)" ]
}

make_tree() {
  tree_is_current && return 0
  local started=$SECONDS sources packages
  sources=$(apt_sources)
  packages=$(grep -v -E '^\s*(#|$)' "$here/packages.txt" | paste -sd, -)
  if grep -q " $tree/" /proc/mounts; then
    fail "file systems are still mounted in $tree (an interrupted start): unmount them first"
  fi
  log "making the tree from trixie on the mirror of $(basename "$sources") (a few minutes, once)"
  rm -rf "$tree" "$guest_dir/tree.recipe"
  mkdir -p "$guest_dir"
  mmdebstrap --quiet --variant=minbase --architectures=amd64,i386 --include="$packages" \
    --customize-hook='chroot "$1" sh -c "echo ja_JP.UTF-8 UTF-8 > /etc/locale.gen && locale-gen >/dev/null"' \
    --customize-hook='rm -rf "$1"/var/cache/apt/archives/*.deb "$1"/var/lib/apt/lists/*' \
    trixie "$tree" "$(trixie_line "$sources")" \
    || fail "could not make the tree (is trixie reachable on the mirror?)"
  [ -x "$tree/usr/bin/qemu-i386" ] || fail "the tree has no qemu-i386"
  check_tree_versions
  tree_recipe > "$guest_dir/tree.recipe"
  log "tree made in $(( SECONDS - started )) s: $(qemu_version)"
}

# --- The namespace ---------------------------------------------------------

# The namespace's first process, as the machine sees it.
namespace_pid() { cat "$run_dir/namespace.pid" 2>/dev/null; }
is_running() {
  local pid; pid=$(namespace_pid)
  [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null && [ -f "$run_dir/ready" ]
}

# How the namespace is entered: with a user namespace and a binfmt_misc of its
# own where the kernel allows both (Linux 6.7 and later), else as root with
# qemu-i386 registered machine-wide.
choose_mode() {
  if [ "${KVE_GUEST_REGISTRATION:-}" = machine ]; then
    [ "$(id -u)" -eq 0 ] || fail "only root may register qemu-i386 machine-wide"
    echo machine
  elif unshare --user --map-root-user --mount --pid --fork --mount-proc \
       sh -c 'mount -t binfmt_misc binfmt_misc /proc/sys/fs/binfmt_misc' 2>/dev/null; then
    echo namespace
  elif [ "$(id -u)" -eq 0 ] && unshare --mount --pid --fork true 2>/dev/null; then
    echo machine
  else
    fail "can't run the i686 build: this kernel refuses a private binfmt_misc in a user namespace, and only root may register qemu-i386 machine-wide"
  fi
}

# binfmt_misc's line for 32-bit x86 ELF programs. F: the emulator is opened
# now, so the programs find it from inside the tree.
binfmt_rule() {
  local magic='\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00'
  local mask='\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff'
  echo ":$1:M::$magic:$mask:$tree/usr/bin/qemu-i386:F"
}

register_machine_wide() {
  mountpoint -q /proc/sys/fs/binfmt_misc || mount -t binfmt_misc binfmt_misc /proc/sys/fs/binfmt_misc
  remove_machine_entry
  binfmt_rule kve-qemu-i386 > /proc/sys/fs/binfmt_misc/register
}

remove_machine_entry() {
  [ -e "$machine_entry" ] && echo -1 > "$machine_entry"
  return 0
}

# Runs inside the new namespaces as their first process: mounts what the tree
# needs, registers the emulator there when the namespace has a binfmt_misc of
# its own, then becomes a process that reaps every orphan (Wine's processes end
# as zombies otherwise, and a zombie still answers kill -0).
namespace_init() {
  local mode=$1
  mount --make-rprivate /
  mount -t proc proc "$tree/proc"
  mount --rbind /dev "$tree/dev"
  mount --rbind /sys "$tree/sys"
  mount -t tmpfs shm "$tree/dev/shm"
  mount -t tmpfs tmp "$tree/tmp"
  mount -t tmpfs run "$tree/run"
  mkdir -p "$tree$root"
  mount --bind "$root" "$tree$root"
  if [ "$mode" = namespace ]; then
    mount -t binfmt_misc binfmt_misc "$tree/proc/sys/fs/binfmt_misc"
    binfmt_rule qemu-i386 > "$tree/proc/sys/fs/binfmt_misc/register"
  fi
  touch "$run_dir/ready"
  cd "$tree"
  exec chroot "$tree" /usr/bin/perl -e '$SIG{$_} = "IGNORE" for qw(TERM INT HUP); while (1) { wait() == -1 and sleep 1 }'
}

# Watches the namespace from outside: ends it after idle_seconds without a
# command, and removes a machine-wide registration once it has ended, however
# it ended.
watch_namespace() {
  local pid=$1 mode=$2
  while kill -0 "$pid" 2>/dev/null; do
    if ! compgen -G "$jobs/*.running" >/dev/null &&
       [ -n "$(find "$run_dir/last-used" -mmin +$(( idle_seconds / 60 )) 2>/dev/null)" ]; then
      kill -KILL "$pid" 2>/dev/null
    fi
    sleep 1
  done
  [ "$mode" = machine ] && remove_machine_entry
  return 0
}

start_namespace() {
  is_running && return 0
  make_tree
  local mode started=$SECONDS unshare_pid pid=""
  mode=$(choose_mode)
  rm -rf "$run_dir"
  mkdir -p "$jobs"
  touch "$run_dir/last-used"
  local flags=(--mount --pid --fork)
  if [ "$mode" = namespace ]; then
    flags=(--user --map-root-user "${flags[@]}")
  else
    register_machine_wide
  fi
  setsid unshare "${flags[@]}" bash "${BASH_SOURCE[0]}" namespace-init "$mode" \
    </dev/null >"$run_dir/namespace.log" 2>&1 9>&- &
  unshare_pid=$!
  while [ ! -f "$run_dir/ready" ]; do
    kill -0 "$unshare_pid" 2>/dev/null || { cat "$run_dir/namespace.log" >&2; [ "$mode" = namespace ] || remove_machine_entry; fail "the namespace did not start"; }
    sleep 0.05
  done
  while [ -z "$pid" ]; do pid=$(pgrep -P "$unshare_pid" | head -n 1); done
  echo "$pid" > "$run_dir/namespace.pid"
  echo "$mode" > "$run_dir/mode"
  setsid bash "${BASH_SOURCE[0]}" watch "$pid" "$mode" </dev/null >/dev/null 2>&1 9>&- &
  log "tree entered in $(( SECONDS - started )) s ($mode registration of $(qemu_version))"
}

# One start at a time: CTest's fixture and the first test may race to it. The
# lock is never handed to what the start leaves running.
start_locked() {
  mkdir -p "$guest_dir"
  exec 9>"$guest_dir/lock"
  flock 9
  start_namespace
  exec 9>&-
}

# The first process ignores SIGTERM, as every PID 1 does: it is killed, and
# everything in its PID namespace with it.
stop_namespace() {
  local pid mode
  pid=$(namespace_pid); mode=$(cat "$run_dir/mode" 2>/dev/null || true)
  if [ -n "$pid" ]; then
    kill -KILL "$pid" 2>/dev/null || true
    while kill -0 "$pid" 2>/dev/null; do sleep 0.05; done
  fi
  [ "$mode" = machine ] && remove_machine_entry
  rm -rf "$run_dir"
}

# --- Commands in the tree --------------------------------------------------

# Enters the namespace and the tree (the first process's root and folder).
enter() {
  local flags=(--target "$(namespace_pid)" --mount --pid --root --wd)
  [ "$(cat "$run_dir/mode")" = namespace ] && flags+=(--user)
  nsenter "${flags[@]}" -- "$@"
}

# The command runs in a session of its own inside, with its output in a file
# rather than a pipe: a daemon it leaves (Wine's server, Xvfb) would hold a
# pipe open for ever. A caller that is stopped (CTest's time limit) stops it.
run_in_tree() {
  local folder=$PWD environment=()
  while [ $# -gt 0 ]; do
    case $1 in
      --cd) folder=$2; shift 2 ;;
      --env) environment+=("$2"); shift 2 ;;
      --) shift; break ;;
      *) break ;;
    esac
  done
  [ $# -gt 0 ] || { echo "guest.sh run: no command" >&2; return 2; }
  is_running || start_locked >&2 || return 125

  local job; job=$jobs/$(date +%s%N)-$$
  touch "$job.running" "$run_dir/last-used"
  trap 'cancel_job "$job"; exit 124' TERM INT
  local status=0
  enter /usr/bin/env -i PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
      HOME=/root LANG=C.UTF-8 KVE_WINE_ARCH=win32 "${environment[@]}" \
      /usr/bin/setsid /bin/bash -c 'echo $$ > "$1.pid"; cd "$2" || exit 125; shift 2; exec "$@"' \
      job "$job" "$folder" "$@" </dev/null >"$job.out" 2>&1 &
  # Waited for in the background, so that a signal is handled at once.
  wait $! || status=$?
  cat "$job.out"
  rm -f "$job".* ; touch "$run_dir/last-used"
  return "$status"
}

cancel_job() {
  local session; session=$(cat "$1.pid" 2>/dev/null)
  [ -n "$session" ] && enter /bin/kill -KILL -- "-$session" 2>/dev/null
  rm -f "$1".*
}

case ${1:-} in
  tree) make_tree ;;
  start) start_locked ;;
  run) shift; run_in_tree "$@" ;;
  stop) stop_namespace ;;
  namespace-init) namespace_init "$2" ;;
  watch) watch_namespace "$2" "$3" ;;
  *) sed -n '/^# Usage/,/^# KVE_GUEST_DIR/p' "${BASH_SOURCE[0]}" >&2; exit 2 ;;
esac
