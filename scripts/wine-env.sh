# Sourced by the run, test and benchmark scripts: a Wine prefix of the build tree's own,
# code page 932, a display (Xvfb when there is none) and one wineserver kept up until exit.
# Usage: qd_wine_env PREFIX_DIR

WINE64=/usr/lib/wine/wine64
[ -x "$WINE64" ] || WINE64=$(command -v wine64 || command -v wine)
export WINE64

qd_cleanup() {
  [ -n "${WINEPREFIX:-}" ] && wineserver -k 2>/dev/null || true
  [ -n "${QD_XVFB_PID:-}" ] && kill "$QD_XVFB_PID" 2>/dev/null || true
}

# As large as a 150 % laptop's screen: at 144 DPI the program opens wide enough for every column.
qd_start_xvfb() {
  local n=99
  while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
  Xvfb ":$n" -screen 0 1920x1080x24 -nolisten tcp >/dev/null 2>&1 &
  QD_XVFB_PID=$!
  export DISPLAY=":$n"
  for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$n" ] && return 0; sleep 0.1; done
  echo "wine-env: Xvfb did not start" >&2
  return 1
}

qd_wine_env() {
  local home=$1
  mkdir -p "$home/xdg"
  export WINEPREFIX="$home/prefix" XDG_DATA_HOME="$home/xdg"
  # Code page 932, and Japanese file names that reach the host's file system.
  "$(dirname "${BASH_SOURCE[0]}")/make-locale.sh" "$home/locale"
  export LOCPATH="$home/locale"
  { export LC_ALL=ja_JP.UTF-8; } 2>/dev/null
  # No Mono or Gecko prompts, and no desktop-menu builder run for every shortcut saved.
  export WINEDLLOVERRIDES="winemenubuilder.exe,mscoree,mshtml=" WINEDEBUG=-all WINEARCH=win64
  # The tests that write the shell folders run only in a prefix made here.
  export QD_WINE_ENV=1
  trap qd_cleanup EXIT
  [ -n "${DISPLAY:-}" ] || qd_start_xvfb
  mkdir -p "$WINEPREFIX"
  # One server for the whole run, started before anything else can start a short-lived one.
  wineserver -p 2>/dev/null || true
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    "$WINE64" wineboot -i </dev/null >/dev/null 2>&1 || true
    # A crashing test must fail, not wait for someone to close winedbg's dialog.
    "$WINE64" reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f </dev/null >/dev/null 2>&1 || true
  fi
  # R: is an optical drive, for the tests of targets that must never be probed. The drive
  # types are read when the server starts, so it starts again once they are set.
  if [ ! -e "$WINEPREFIX/dosdevices/r:" ]; then
    mkdir -p "$home/optical"
    ln -sfn "$home/optical" "$WINEPREFIX/dosdevices/r:"
    "$WINE64" reg add 'HKLM\Software\Wine\Drives' /v r: /d cdrom /f </dev/null >/dev/null 2>&1 || true
    wineserver -k 2>/dev/null || true
    wineserver -w 2>/dev/null || true
    wineserver -p 2>/dev/null || true
  fi
  # Start Wine's services now, detached from our output: started by the first test instead,
  # they would hold its output pipe open and keep ctest waiting on them.
  "$WINE64" wineboot </dev/null >/dev/null 2>&1 || true
}
