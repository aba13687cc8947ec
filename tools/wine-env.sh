# Shared by the scripts that run Wine: a quiet, repeatable environment, the build's own prefix
# joined to one 1920 x 1080 virtual desktop, and a private Xvfb when there is no display.

fg_wine_env() {
  export WINEPREFIX=$1
  export WINEARCH=win64
  export WINEDEBUG=-all
  export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
}

# What a ready prefix holds; a new value makes existing prefixes take the current settings once.
FG_PREFIX_MARKER=.fg-ready-2-taskbar

# Creates the prefix once (serialised by a lock) and makes the virtual desktop its default, with a
# taskbar so that the program's tray icon has a notification area to show in. With an argument,
# the desktop's DPI is that many pixels per inch (LogPixels; Wine's default is 96): a prefix keeps
# the DPI it was made with, so give each DPI a prefix of its own.
fg_ensure_prefix() {
  local dpi=${1:-96}
  mkdir -p "$(dirname "$WINEPREFIX")"
  (
    flock 9
    [ -f "$WINEPREFIX/$FG_PREFIX_MARKER" ] && exit 0
    wineboot -i >/dev/null 2>&1 || exit 1
    local reg="$WINEPREFIX/fg-desktop.reg"
    cat >"$reg" <<'REG'
REGEDIT4

[HKEY_CURRENT_USER\Software\Wine\Explorer]
"Desktop"="Default"

[HKEY_CURRENT_USER\Software\Wine\Explorer\Desktops]
"Default"="1920x1080"
"EnableShell"=dword:00000001

[HKEY_CURRENT_USER\Software\Wine\WineDbg]
"ShowCrashDialog"=dword:00000000

[HKEY_LOCAL_MACHINE\Software\Microsoft\Windows NT\CurrentVersion\AeDebug]
"Auto"="0"
"Debugger"=""
REG
    [ "$dpi" = 96 ] || printf '\n[HKEY_CURRENT_USER\\Control Panel\\Desktop]\n"LogPixels"=dword:%08x\n' \
      "$dpi" >>"$reg"
    wine regedit "$reg" >/dev/null 2>&1 || exit 1
    wineserver -w
    rm -f "$WINEPREFIX"/.fg-ready*
    touch "$WINEPREFIX/$FG_PREFIX_MARKER"
  ) 9>"$WINEPREFIX.lock"
}

# Starts Xvfb on the first free display number and exports DISPLAY; FG_XVFB_PID holds its pid.
fg_start_xvfb() {
  local n
  for n in $(seq 90 140); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
    Xvfb ":$n" -screen 0 1920x1080x24 -nolisten tcp >/dev/null 2>&1 &
    FG_XVFB_PID=$!
    local i
    for i in $(seq 1 50); do
      if [ -e "/tmp/.X11-unix/X$n" ]; then
        export DISPLAY=":$n"
        return 0
      fi
      kill -0 "$FG_XVFB_PID" 2>/dev/null || break
      sleep 0.1
    done
    kill "$FG_XVFB_PID" 2>/dev/null
  done
  return 1
}

fg_stop_xvfb() {
  [ -n "${FG_XVFB_PID:-}" ] && kill "$FG_XVFB_PID" 2>/dev/null && wait "$FG_XVFB_PID" 2>/dev/null
  FG_XVFB_PID=
}
