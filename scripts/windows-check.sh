#!/usr/bin/env bash
# Cross-builds the Windows program with mingw-w64 and runs it under Wine on a virtual display:
# its dialog must open with its message strings, have the template's size and group-box
# frames, and end on a real click on Close. Leaves the picture in build/windows/dialog.png.
set -euo pipefail
cd "$(dirname "$0")/.."

need=()
for p in g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix wine64 xvfb xdotool imagemagick; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || need+=("$p")
done
if [ ${#need[@]} -gt 0 ]; then
  sudo_cmd=(); [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
  "${sudo_cmd[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${need[@]}" >/dev/null
fi

cmake --preset windows >/dev/null
cmake --build --preset windows -j "$(nproc)" 2>&1 | grep -E 'error|warning' || true
exe="$PWD/build/windows/bin/Calibration.exe"
[ -f "$exe" ] || { echo "windows: the cross build made no Calibration.exe"; exit 1; }
echo "windows: cross build ok ($(du -h "$exe" | cut -f1), imports: $(x86_64-w64-mingw32-objdump -p "$exe" | awk '/DLL Name/{printf "%s ", $3}'))"
# The 32-bit program with the x86 manifest builds too; this machine's Wine runs 64-bit only.
cmake --preset windows-x86 >/dev/null
cmake --build --preset windows-x86 -j "$(nproc)" 2>&1 | grep -E 'error|warning' || true
[ -f build/windows-x86/bin/Calibration.exe ] || { echo "windows: the 32-bit build made no Calibration.exe"; exit 1; }
echo "windows: 32-bit build ok ($(i686-w64-mingw32-objdump -f build/windows-x86/bin/Calibration.exe | awk '/file format/{print $4}'))"

work="$(mktemp -d)"
xvfb_pid=""; app_pid=""
cleanup() {
  [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
  WINEPREFIX="$work/prefix" /usr/lib/wine/wineserver -k 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
export WINEPREFIX="$work/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
wine=/usr/lib/wine/wine64

exec 5<> "$work/display"
Xvfb -displayfd 5 -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
for _ in $(seq 100); do display="$(head -n1 "$work/display" 2>/dev/null)"; [ -n "$display" ] && break; sleep 0.1; done
export DISPLAY=":$display"

start=$(date +%s)
timeout 300 "$wine" wineboot -i >/dev/null 2>&1 || true
msgs="$(winepath_dir="$PWD/lxstrlib/messages"; echo "Z:${winepath_dir//\//\\}")"

# The logic, dialog and real-GDI tests of the Windows build.
status=0
if QUORVEL_MESSAGES_DIR="$msgs" timeout 300 "$wine" build/windows/bin/quorvel_win_tests.exe --gtest_brief=1 \
     >"$work/tests.log" 2>&1; then
  echo "windows: tests under Wine: $(grep -E 'PASSED' "$work/tests.log" | tail -n1)"
else
  echo "windows: tests under Wine failed:"; cat "$work/tests.log"; status=1
fi

"$wine" reg add 'HKCU\Software\Quorvel\Quorvel Calibration Tool' /v msgPath /d "$msgs" /f >/dev/null 2>&1
"$wine" "$exe" >/dev/null 2>&1 &
app_pid=$!
window=""
for _ in $(seq 300); do
  window="$(xdotool search --onlyvisible --name '^Quorvel Calibration Tool$' 2>/dev/null | head -n1 || true)"
  [ -n "$window" ] && break
  kill -0 "$app_pid" 2>/dev/null || break
  sleep 0.1
done
[ -n "$window" ] || { echo "windows: the dialog did not open under Wine"; exit 1; }
sleep 1
eval "$(xdotool getwindowgeometry --shell "$window")"
import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage build/windows/dialog.png 2>/dev/null
echo "windows: dialog open under Wine, client ${WIDTH}x${HEIGHT}"

# 372 dialog units wide at a base unit of 6 is 558 pixels; the height follows the font the
# system gives "MS Shell Dlg" (13 units of 8 here, Wine's face may give 12).
if [ "$WIDTH" -ne 558 ] || [ "$HEIGHT" -lt 450 ] || [ "$HEIGHT" -gt 495 ]; then
  echo "windows: unexpected dialog size ${WIDTH}x${HEIGHT}"; status=1
fi
# The two group boxes' left edge at x = 11: a line down most of the dialog's height.
frame_rows=$(convert build/windows/dialog.png -crop 1x"$HEIGHT"+11+0 -colorspace gray -depth 8 txt:- |
             awk -F'[(),]' 'NR>1 && $3+0 < 200 {n++} END {print n+0}')
if [ "$frame_rows" -lt $((HEIGHT / 2)) ]; then
  echo "windows: no group-box frames found ($frame_rows dark rows at x = 11)"; status=1
else
  echo "windows: group-box frames found ($frame_rows rows)"
fi
# Close, at dialog units (333.5, 288), clicked for real.
xdotool mousemove --sync $((X + 3335 * WIDTH / 3720)) $((Y + 288 * HEIGHT / 302)) click 1
for _ in $(seq 100); do kill -0 "$app_pid" 2>/dev/null || break; sleep 0.1; done
if kill -0 "$app_pid" 2>/dev/null; then
  echo "windows: the program did not end on Close"; status=1
else
  wait "$app_pid" || true
  app_pid=""
  echo "windows: Close ended the program"
fi
echo "windows: Wine part took $(( $(date +%s) - start )) s; picture in build/windows/dialog.png"
exit $status
