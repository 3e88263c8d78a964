#!/bin/bash
# The guest's work loop (started by the image's /sbin/kve-boot): runs each job
# that tools/guest/guest.sh writes into the shared jobs folder, each in a
# session of its own, and writes its output and exit status beside it. Ends
# the guest on a stop file or after kve_idle seconds without a job.
set -u
export PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin
export HOME=/root LANG=C.UTF-8
# The guest runs the 32-bit Windows build: its Wine prefix is a 32-bit one.
export KVE_WINE_ARCH=win32
hostname kve-guest
mount -t tmpfs tmp /run

# The build folder named by kve_mirror is copied to the guest's disk and
# mounted over its shared self: Wine maps the programs it runs into memory,
# and the guest's 9p client gives it zeroed pages for programs of the shared
# folder (their bytes read back right through read(), but they crash when run).
if [ -n "${kve_mirror:-}" ] && [ -d "$kve_mirror" ]; then
  copy=/root/kve/mirror
  mkdir -p "$copy"
  cp -a "$kve_mirror/." "$copy/"
  mount --bind "$copy" "$kve_mirror"
fi

jobs=$kve_jobs
declare -A running=() cancelled=()

start_job() {
  local id=$1
  mv "$jobs/$id.job" "$jobs/$id.started"
  ( setsid bash "$jobs/$id.started" > "$jobs/$id.out" 2>&1 < /dev/null
    echo $? > "$jobs/$id.rc.tmp"
    mv "$jobs/$id.rc.tmp" "$jobs/$id.rc" ) &
  running[$id]=$!
}

# A job whose caller gave up (a time limit) is stopped with all it started,
# and nobody reads what it leaves.
cancel_job() {
  local id=$1 session
  session=$(pgrep -P "${running[$id]}" | head -n 1)
  [ -n "$session" ] && kill -KILL -- "-$session" 2>/dev/null
  cancelled[$id]=1
  rm -f "$jobs/$id.cancel"
}

shut_down() {
  sync
  echo o > /proc/sysrq-trigger
  exit 0
}

echo "$(uname -r) $(nproc) CPUs" > "$jobs/ready"
idle_since=$SECONDS
while :; do
  for file in "$jobs"/*.job; do
    [ -e "$file" ] || continue
    id=$(basename "$file" .job)
    start_job "$id"
  done
  for id in "${!running[@]}"; do
    [ -e "$jobs/$id.cancel" ] && cancel_job "$id"
    if ! kill -0 "${running[$id]}" 2>/dev/null; then
      wait "${running[$id]}" 2>/dev/null
      unset "running[$id]"
      [ -n "${cancelled[$id]:-}" ] && rm -f "$jobs/$id".* && unset "cancelled[$id]"
      idle_since=$SECONDS
    fi
  done
  [ -e "$jobs/stop" ] && shut_down
  [ ${#running[@]} -eq 0 ] && [ $(( SECONDS - idle_since )) -gt "$kve_idle" ] && shut_down
  sleep 0.1
done
