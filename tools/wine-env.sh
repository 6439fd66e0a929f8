# Sourced by the scripts that start Windows programs: one Wine prefix under build/,
# prepared once, and one shared virtual display when none is set.
tvn_root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
export WINEPREFIX="${TVN_WINEPREFIX:-$tvn_root/build/wine}"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export LC_ALL="${LC_ALL:-de_DE.UTF-8}"

tvn_prepare_prefix() {
  mkdir -p "$WINEPREFIX"
  [ -f "$WINEPREFIX/.tvn-ready" ] && return 0
  (
    flock 9
    [ -f "$WINEPREFIX/.tvn-ready" ] && exit 0
    # Children must not inherit the lock (9>&-): a lasting wineserver would hold it for good.
    wineboot -i >/dev/null 2>&1 9>&-
    local reg='C:\windows\system32\reg.exe'
    # A crashing test would otherwise open the debugger dialog and hang.
    wine "$reg" add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1 9>&-
    local fonts="$WINEPREFIX/drive_c/windows/Fonts"
    mkdir -p "$fonts"
    for f in $(dpkg -L fonts-wine fonts-liberation 2>/dev/null | grep -i '\.ttf$'); do
      ln -sf "$f" "$fonts/$(basename "$f")"
    done
    local key='HKCU\Software\Wine\Fonts\Replacements'
    wine "$reg" add "$key" /v Arial /t REG_SZ /d 'Liberation Sans' /f >/dev/null 2>&1 9>&-
    wine "$reg" add "$key" /v 'Times New Roman' /t REG_SZ /d 'Liberation Serif' /f >/dev/null 2>&1 9>&-
    wine "$reg" add "$key" /v 'Courier New' /t REG_SZ /d 'Liberation Mono' /f >/dev/null 2>&1 9>&-
    wineserver -w 9>&-
    touch "$WINEPREFIX/.tvn-ready"
  ) 9>"$WINEPREFIX.lock"
}

# The shared Xvfb is remembered as "pid display" in $WINEPREFIX.xvfb; a display number
# whose server will not start (taken by another server) is skipped.
tvn_ensure_display() {
  [ -n "${DISPLAY:-}" ] && return 0
  local state="$WINEPREFIX.xvfb"
  (
    flock 8
    local pid="" num=""
    read -r pid num <"$state" 2>/dev/null || true
    if [ -n "$pid" ] && [ -n "$num" ] && kill -0 "$pid" 2>/dev/null; then exit 0; fi
    for num in $(seq "${TVN_XVFB_DISPLAY:-97}" 130); do
      [ -e "/tmp/.X$num-lock" ] && continue
      setsid Xvfb ":$num" -screen 0 1920x1080x24 -nolisten tcp >/dev/null 2>&1 </dev/null 8>&- &
      pid=$!
      for _ in $(seq 100); do
        [ -S "/tmp/.X11-unix/X$num" ] && break
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.05
      done
      if kill -0 "$pid" 2>/dev/null && [ -S "/tmp/.X11-unix/X$num" ]; then
        echo "$pid $num" >"$state"
        exit 0
      fi
      kill "$pid" 2>/dev/null
    done
    exit 1
  ) 8>"$state.lock" || return 1
  local _pid num
  read -r _pid num <"$state"
  export DISPLAY=":$num"
}

# A wineserver ends about 3 s after its last client; a Wine program that connects just then
# fails with "recvmsg: Connection reset by peer". Scripts that start many Wine programs keep
# one server for their whole run and stop it when they end.
tvn_keep_wineserver() {
  wineserver -p
  trap tvn_stop_wineserver EXIT
  # The first program of a session starts Wine's services; let that happen here, outside
  # the first test's time limit.
  wine 'C:\windows\system32\cmd.exe' /c exit </dev/null >/dev/null 2>&1 || true
}

tvn_stop_wineserver() {
  wineserver -k 2>/dev/null || true
  wineserver -w 2>/dev/null || true
}

# Wine ends its desktop process a few seconds after the last window is gone; a test that
# makes its first window just then fails. A hidden window of one program keeps the desktop
# until the server stops.
tvn_keep_desktop() {
  local program="$1"
  [ -f "$program" ] || { echo "missing $program" >&2; return 1; }
  wine "$program" </dev/null >/dev/null 2>&1 &
}
