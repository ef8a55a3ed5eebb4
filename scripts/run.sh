#!/usr/bin/env bash
# Builds Quiverdesk and runs it under Wine in a prefix of its own. With no display it runs in
# Xvfb, saves a screenshot and prints where it is. QD_DPI=144 runs it at 144 DPI (150 %): the
# prefix's LogPixels is set before the start.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
QD_TARGETS=Quiverdesk "$root/scripts/build.sh" x86_64

headless=0
[ -n "${DISPLAY:-}" ] || headless=1
. "$root/scripts/wine-env.sh"
qd_wine_env "$root/build/wine-run"

# A new prefix has an empty Send To folder; give it a few shortcuts to show.
sendto=$(echo "$WINEPREFIX"/drive_c/users/*/AppData/Roaming/Microsoft/Windows/SendTo)
if [ -d "$sendto" ] && [ -z "$(ls -A "$sendto")" ]; then
  for sample in 26-japanese-cp932-local 06-ansi-stringdata-desc-args 25-local-desc-quoted-args-space \
                10-folder-downloads-pathsuffix 23-long-description-args-trailing-spaces; do
    cp "$root/tests/data/lnk/$sample.lnk" "$sendto/" 2>/dev/null || true
  done
fi

dpi=${QD_DPI:-96}
"$WINE64" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f </dev/null >/dev/null 2>&1 || true

exe="$root/build/bin/Quiverdesk.exe"
if [ "$headless" -eq 0 ]; then
  "$WINE64" "$exe"
  exit 0
fi

shot="${QD_SCREENSHOT:-$root/build/quiverdesk-screenshot.png}"
# The window is 600 x 300 at 96 DPI and grows with the DPI; the desktop leaves it room.
width=$((600 * dpi / 96)); height=$((300 * dpi / 96))
"$WINE64" explorer /desktop=quiverdesk,$((width + 40))x$((height + 60)) "$exe" &
app=$!
for _ in $(seq 100); do
  xdotool search --name '^Quiverdesk$' >/dev/null 2>&1 && break
  sleep 0.2
done
sleep 2
import -window root -crop "${width}x${height}+0+0" "$shot"
kill "$app" 2>/dev/null || true
echo "Quiverdesk ran under Xvfb; screenshot: $shot"
