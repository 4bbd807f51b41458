#!/usr/bin/env bash
# A complete calibration played on a virtual X display with real input events:
#   run 1: select the wheel, include the pedals, wait for Apply, press Apply -> store manual
#   run 2: the wheel shows Manual; press Reset, answer Yes -> store automatic
#   run 3: the wheel shows Automatic
# Saves a PNG of every stage in OUTDIR, prints each stage's outcome and the store, and exits
# 0 only when every stage showed what it should. Uses a fresh store, never the user's.
# Usage: scripts/walkthrough.sh BINARY OUTDIR
set -uo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
binary="$(realpath "$1")"
out="$(mkdir -p "$2" && cd "$2" && pwd)"
fleet="$here/examples/walkthrough-fleet.json"
work="$(mktemp -d)"
store="$work/calibration.json"
failures=0
xvfb_pid=""
app_pid=""

cleanup() {
  [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

stage() { printf '%-52s %s\n' "$1" "$2"; [ "$2" = ok ] || failures=$((failures + 1)); }

# A display of our own.
exec 5<> "$work/display"
Xvfb -displayfd 5 -screen 0 1280x1024x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
for _ in $(seq 100); do
  display="$(head -n1 "$work/display" 2>/dev/null)"
  [ -n "$display" ] && break
  sleep 0.1
done
[ -n "${display:-}" ] || { echo "Xvfb did not start"; cat "$work/xvfb.log"; exit 1; }
export DISPLAY=":$display"
export XDG_RUNTIME_DIR="$work/runtime"; mkdir -m 700 -p "$XDG_RUNTIME_DIR"
unset QT_QPA_PLATFORM

log="$work/trace.log"
# Waits until a trace line matching PATTERN appears after line FROM of the log.
wait_for() {
  local pattern="$1" from="$2" limit="${3:-30}"
  for _ in $(seq $((limit * 20))); do
    tail -n +"$((from + 1))" "$log" 2>/dev/null | grep -q -- "$pattern" && return 0
    kill -0 "$app_pid" 2>/dev/null || return 1
    sleep 0.05
  done
  return 1
}
lines() { wc -l < "$log"; }

start_tool() {
  : > "$log"
  QUORVEL_TRACE=1 QUORVEL_CONTROLLERS="$fleet" QUORVEL_CALIBRATION_STORE="$store" LC_ALL=C \
    "$binary" 2>"$log" &
  app_pid=$!
  wait_for "dialog 102 shown" 0 20 || return 1
  window="$(xdotool search --sync --onlyvisible --name '^Quorvel Calibration Tool$' | head -n1)"
  read -r wx wy < <(xdotool getwindowgeometry --shell "$window" | awk -F= '/^X=/{x=$2} /^Y=/{y=$2} END{print x, y}')
}
click() { xdotool mousemove --sync $((wx + $1)) $((wy + $2)) click 1; }
shot() { import -window "$window" "$out/$1.png" 2>/dev/null; }
stop_tool() {
  click 500 468  # Close
  for _ in $(seq 100); do kill -0 "$app_pid" 2>/dev/null || break; sleep 0.05; done
  if kill -0 "$app_pid" 2>/dev/null; then kill "$app_pid"; stage "the tool ends on Close" failed; fi
  wait "$app_pid" 2>/dev/null
  app_pid=""
}
store_axis() { jq -c ".controllers[\"wheel-1\"].axes[$1]" "$store" 2>/dev/null; }

# ---- run 1: calibrate
if start_tool; then stage "run 1: dialog opens" ok; else stage "run 1: dialog opens" failed; exit 1; fi
if wait_for "control 1000 item Quorvel GT Wheel" 0 10; then stage "run 1: wheel listed" ok; else stage "run 1: wheel listed" failed; fi
# Select the wheel: open the list, first entry, Enter.
click 250 44; sleep 0.3; xdotool key --delay 80 Home Return
click 41 239   # include the pedals
sleep 0.3
shot "1-wheel-selected"
# The selection enabled Apply and the next poll disabled it; from here on only the
# tracking enables it.
mark=$(lines)
if wait_for "control 1003 enabled" "$mark" 20; then stage "run 1: Apply enabled after the sweep" ok; else stage "run 1: Apply enabled after the sweep" failed; fi
sleep 0.8  # let the wheel settle at its resting position
shot "2-ready-to-apply"
mark=$(lines)
click 478 269  # Apply
if wait_for "control 1010 checked" "$mark" 5; then stage "run 1: Apply shows Manual" ok; else stage "run 1: Apply shows Manual" failed; fi
sleep 0.2
shot "3-applied"
stop_tool
cp "$store" "$out/store-after-apply.json" 2>/dev/null
echo "store after Apply:"; cat "$store" 2>/dev/null || echo "(none)"
axis0="$(store_axis 0)"; axis1="$(store_axis 1)"
if [ -n "$axis0" ] && [ "$axis0" != "null" ] && [ "$axis0" != "[0,32768,65535]" ] && [ "$axis1" != "null" ] && [ -n "$axis1" ]; then
  stage "store: manual calibration of wheel and pedals" ok
else
  stage "store: manual calibration of wheel and pedals" failed
fi

# ---- run 2: the calibration is still there; reset it
start_tool || { stage "run 2: dialog opens" failed; exit 1; }
if wait_for "control 1010 checked" 0 10; then stage "run 2: shows Manual after a restart" ok; else stage "run 2: shows Manual after a restart" failed; fi
sleep 0.3
shot "4-restarted-manual"
mark=$(lines)
click 455 44   # Reset
if wait_for "message box shown" "$mark" 5; then stage "run 2: Reset asks" ok; else stage "run 2: Reset asks" failed; fi
sleep 1
box="$(xdotool search --onlyvisible --name '^Quorvel Calibration Tool$' | tail -n1)"
import -window root "$out/5-reset-question.png" 2>/dev/null
xdotool windowfocus --sync "$box" 2>/dev/null; xdotool key Return
if wait_for "control 1011 checked" "$mark" 5; then stage "run 2: Yes shows Automatic" ok; else stage "run 2: Yes shows Automatic" failed; fi
sleep 0.2
shot "6-reset"
stop_tool
cp "$store" "$out/store-after-reset.json" 2>/dev/null
echo "store after Reset:"; cat "$store" 2>/dev/null || echo "(none)"
if [ "$(jq -c '.controllers["wheel-1"].axes' "$store" 2>/dev/null)" = "[[0,32768,65535],[0,32768,65535],[0,32768,65535],[0,32768,65535]]" ]; then
  stage "store: automatic calibration written back" ok
else
  stage "store: automatic calibration written back" failed
fi

# ---- run 3: automatic again
start_tool || { stage "run 3: dialog opens" failed; exit 1; }
if wait_for "control 1011 checked" 0 10 && ! grep -q "control 1010 checked" "$log"; then
  stage "run 3: shows Automatic after a restart" ok
else
  stage "run 3: shows Automatic after a restart" failed
fi
sleep 0.3
shot "7-restarted-automatic"
stop_tool

echo "pictures and stores: $out"
if [ "$failures" -eq 0 ]; then echo "walkthrough: every stage passed"; exit 0; fi
echo "walkthrough: $failures stage(s) failed"
exit 1
