# Wine settings for running the Windows builds here: sourced by the scripts.
# The prefix lives inside the build tree, never in the user's home.
KVE_ROOT=${KVE_ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}
# CTest's emulator names the prefix beside its build folder in WINEPREFIX_KVE.
KVE_JAPANESE_PREFIX=${WINEPREFIX_KVE:-$KVE_ROOT/build/wine}
export WINEDEBUG=-all
# Wine takes the ANSI code page from the locale: 932 from Japanese. A test of
# another code page names its locale in KVE_WINE_LOCALE (C.UTF-8 gives 1252).
export LC_ALL=${KVE_WINE_LOCALE:-ja_JP.UTF-8}
# Each locale has a prefix of its own, made in that locale, as each Windows is
# installed in its language: its caption and message fonts are those of that
# language, and Wine never rewrites its font settings for another code page.
if [ "$LC_ALL" = ja_JP.UTF-8 ]; then
  export WINEPREFIX=$KVE_JAPANESE_PREFIX
else
  export WINEPREFIX=$KVE_JAPANESE_PREFIX-$LC_ALL
fi
# The x86_64 build runs in a 64-bit prefix here; the test guest runs the
# i686 build in a 32-bit one.
export WINEARCH=${KVE_WINE_ARCH:-win64}
# Keep Wine from asking to install Mono or Gecko.
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree=;mshtml=}

kve_wine() { wine "$@"; }

# What kve_ensure_prefix sets; a prefix made with other settings gets them anew.
KVE_PREFIX_SETTINGS=4

# A REG_MULTI_SZ value of one string, as REGEDIT4 writes its bytes.
kve_reg_multi_sz() { printf '%s\0\0' "$1" | od -An -tx1 -v | tr -s ' \n' ',' | sed 's/^,//; s/,$//'; }

# Makes the prefix once:
# - Wine draws the frames itself (no 2-second wait when a window closes without
#   a window manager);
# - the dialogs' system font and the message boxes' font are UmePlus Gothic. With
#   only IPA Gothic, Wine draws its small embedded bitmaps, whose underscore lies
#   below the line, so edit controls and message boxes lose it ("Q7R DEMO").
#   UmePlus has the metrics of the Japanese system font (8 x 18 pixels: the
#   dialogs keep their sizes) and shows the backslash as a yen sign, as
#   Japanese Windows does;
# - Tahoma, the face of Wine's captions and message boxes, and Microsoft Sans
#   Serif, that of Windows' own, are linked to UmePlus Gothic for the
#   characters they lack, as Windows links them to MS UI Gothic
#   (FontLink\SystemLink): on a system that is not Japanese, a Japanese
#   caption shows in place of empty boxes;
# - a program that crashes ends at once with Wine's one-line report, instead of
#   waiting on a debugger (in the emulated guest winedbg takes many minutes).
kve_ensure_prefix() {
  [ "$(cat "$WINEPREFIX/.kve-ready" 2>/dev/null)" = "$KVE_PREFIX_SETTINGS" ] && return 0
  mkdir -p "$WINEPREFIX"
  [ -f "$WINEPREFIX/system.reg" ] || wineboot -i >/dev/null 2>&1
  local settings="$WINEPREFIX/kve-settings.reg"
  cat > "$settings" <<REG
REGEDIT4

[HKEY_CURRENT_USER\Software\Wine\X11 Driver]
"Managed"="N"

[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]
"System"="UmePlus Gothic"
"MS UI Gothic"="UmePlus Gothic"

[HKEY_LOCAL_MACHINE\Software\Microsoft\Windows NT\CurrentVersion\AeDebug]
"Debugger"="false"

[HKEY_LOCAL_MACHINE\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink]
"Tahoma"=hex(7):$(kve_reg_multi_sz "umeplus-gothic.ttf,UmePlus Gothic")
"Microsoft Sans Serif"=hex(7):$(kve_reg_multi_sz "umeplus-gothic.ttf,UmePlus Gothic")
REG
  wine regedit /S "$settings" >/dev/null 2>&1
  rm -f "$settings"
  wineserver -w
  echo "$KVE_PREFIX_SETTINGS" > "$WINEPREFIX/.kve-ready"
}

# Without a display of the user's, one Xvfb serves every run: its number is
# kept beside the Japanese prefix and it is started again only when it has gone.
kve_ensure_display() {
  [ -n "${DISPLAY:-}" ] && return 0
  local state="$KVE_JAPANESE_PREFIX.display" n
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
  local state="$KVE_JAPANESE_PREFIX.display" n pid
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
