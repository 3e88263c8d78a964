# Wine settings for running the Windows builds here: sourced by the scripts.
# The prefix lives inside the build tree, never in the user's home.
KVE_ROOT=${KVE_ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}
# KVE_BUILD_ROOT names another build folder (default build), with its own prefix.
export WINEPREFIX=${WINEPREFIX_KVE:-$KVE_ROOT/${KVE_BUILD_ROOT:-build}/wine}
export WINEDEBUG=-all
# Wine takes the ANSI code page from the locale: 932 from Japanese. A test of
# another code page names its locale in KVE_WINE_LOCALE (C.UTF-8 gives 1252).
export LC_ALL=${KVE_WINE_LOCALE:-ja_JP.UTF-8}
export WINEARCH=win64
# Keep Wine from asking to install Mono or Gecko.
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree=;mshtml=}

kve_wine() { wine "$@"; }

# Makes the prefix once: Wine draws the frames itself (no 2-second wait when a
# window closes without a window manager).
kve_ensure_prefix() {
  [ -f "$WINEPREFIX/.kve-ready" ] && return 0
  mkdir -p "$WINEPREFIX"
  wineboot -i >/dev/null 2>&1
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
  wineserver -w
  touch "$WINEPREFIX/.kve-ready"
}

# Without a display of the user's, one Xvfb serves every run: its number is
# kept beside the prefix and it is started again only when it has gone.
kve_ensure_display() {
  [ -n "${DISPLAY:-}" ] && return 0
  local state="$WINEPREFIX.display" n
  mkdir -p "$(dirname "$state")"
  if [ -f "$state" ]; then
    read -r n pid < "$state"
    if kill -0 "$pid" 2>/dev/null && [ -e /tmp/.X11-unix/X$n ]; then export DISPLAY=:$n; return 0; fi
  fi
  for n in $(seq 91 130); do
    { [ -e /tmp/.X11-unix/X$n ] || [ -e /tmp/.X$n-lock ]; } && continue
    setsid Xvfb :$n -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 < /dev/null &
    echo "$n $!" > "$state"
    export DISPLAY=:$n
    for _ in $(seq 1 50); do [ -e /tmp/.X11-unix/X$n ] && return 0; sleep 0.1; done
  done
  echo "Xvfb did not start" >&2
  return 1
}

# Stops the Xvfb that kve_ensure_display started, if any.
kve_stop_display() {
  local state="$WINEPREFIX.display" n pid
  [ -f "$state" ] || return 0
  read -r n pid < "$state"
  kill "$pid" 2>/dev/null
  rm -f "$state"
}

# A Wine session for a whole script: the project's own Xvfb (never the user's
# display), the prefix, and one persistent Wine server, so programs start
# quickly; everything is stopped when the script exits. Arguments, if any,
# are a command prefix for the server (taskset, say).
kve_start_session() {
  unset DISPLAY
  kve_ensure_display
  kve_ensure_prefix
  wineserver -k 2>/dev/null || true
  wineserver -w 2>/dev/null || true
  "$@" wineserver -p >/dev/null 2>&1
  trap kve_stop_session EXIT
}

kve_stop_session() {
  wineserver -k 2>/dev/null || true
  kve_stop_display
}
