#!/bin/bash
# Starts the real Tolvane on a virtual X server, checks that its main window
# maps at a plausible size, photographs it and its about box, and closes it
# with Escape. Usage: e2e_main_window.sh <Tolvane> <artifact folder>
set -u
program=$1
artifacts=$2
xvfb_pid=
app_pid=

cleanup() {
  [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
  wait 2>/dev/null
}
trap cleanup EXIT

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# Polls "$@" every 0.1 s for up to $1 seconds.
wait_for() {
  local tries=$(($1 * 10))
  shift
  for ((i = 0; i < tries; i++)); do
    "$@" && return 0
    sleep 0.1
  done
  return 1
}

display=
for n in $(seq 91 140); do
  if [ ! -e "/tmp/.X11-unix/X$n" ] && [ ! -e "/tmp/.X$n-lock" ]; then display=$n; break; fi
done
[ -n "$display" ] || fail "no free display number"
Xvfb ":$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
export DISPLAY=":$display"
wait_for 10 xdotool getmouselocation >/dev/null 2>&1 || fail "Xvfb did not start"

LANG=C.UTF-8 QT_QPA_PLATFORM=xcb "$program" &
app_pid=$!

visible_window() { xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1; }
has_window() { [ -n "$(visible_window "$1")" ]; }

wait_for 15 has_window '^Tolvane$' || fail "the main window did not map"
main=$(visible_window '^Tolvane$')
eval "$(xdotool getwindowgeometry --shell "$main")"
echo "main window ${WIDTH}x${HEIGHT} at ${X},${Y}"
[ "$WIDTH" -ge 300 ] && [ "$WIDTH" -le 1000 ] && [ "$HEIGHT" -ge 150 ] && [ "$HEIGHT" -le 600 ] &&
  [ "$WIDTH" -gt "$HEIGHT" ] || fail "implausible main window size ${WIDTH}x${HEIGHT}"
sleep 0.5
import -window root "$artifacts/tolvane_main_window.png" || fail "no screenshot"

# Keys go in as from a keyboard (XTEST) to the window with the focus: a key
# sent to a named window arrives in a form Qt may hand on once more after
# the window has gone.
focused() { [ "$(xdotool getwindowfocus 2>/dev/null)" = "$1" ]; }
xdotool windowfocus "$main" 2>/dev/null
wait_for 5 focused "$main" || fail "the main window did not take the focus"

# The about box through the dialog's own system menu.
xdotool key alt+space
sleep 0.5
xdotool key a
wait_for 10 has_window 'ﾊﾞｰｼﾞｮﾝ情報' || fail "the about box did not open"
about=$(visible_window 'ﾊﾞｰｼﾞｮﾝ情報')
sleep 0.5
import -window root "$artifacts/tolvane_about_box.png" || fail "no screenshot of the about box"
wait_for 5 focused "$about" || fail "the about box did not take the focus"
xdotool key Escape
gone() { ! has_window 'ﾊﾞｰｼﾞｮﾝ情報'; }
wait_for 10 gone || fail "the about box did not close on Escape"

wait_for 5 focused "$main" || fail "the focus did not return to the main window"
xdotool key Escape
exited() { ! kill -0 "$app_pid" 2>/dev/null; }
wait_for 5 exited || fail "Tolvane did not exit on Escape"
wait "$app_pid"
status=$?
app_pid=
[ "$status" -eq 0 ] || fail "Tolvane exited with $status"
echo "PASS"
