#!/bin/bash
# Starts the real Tolvane on a virtual X server, checks that its main window
# maps at a plausible size, photographs it and its about box, and closes it
# with Escape. Usage: e2e_main_window.sh <Tolvane> <artifact folder>
program=$1
artifacts=$2
source "$(dirname "$0")/../e2e/lib.sh"

start_desktop
LANG=C.UTF-8 QT_QPA_PLATFORM=xcb "$program" &
app_pid=$!

await_window main '^Tolvane$'
read_geometry "$main"
echo "main window ${WIDTH}x${HEIGHT} at ${X},${Y}"
[ "$WIDTH" -ge 300 ] && [ "$WIDTH" -le 1000 ] && [ "$HEIGHT" -ge 150 ] && [ "$HEIGHT" -le 600 ] &&
  [ "$WIDTH" -gt "$HEIGHT" ] || fail "implausible main window size ${WIDTH}x${HEIGHT}"
screenshot tolvane_main_window

# The about box through the dialog's own system menu.
press alt+space
wait_for 5 has_popup Tolvane || fail "the system menu did not open"
press a
await_window about 'ﾊﾞｰｼﾞｮﾝ情報'
screenshot tolvane_about_box
press Escape
wait_for 10 no_window 'ﾊﾞｰｼﾞｮﾝ情報' || fail "the about box did not close on Escape"

wait_for 5 focused "$main" || fail "the focus did not return to the main window"
press Escape
exited() { ! kill -0 "$app_pid" 2>/dev/null; }
wait_for 5 exited || fail "Tolvane did not exit on Escape"
wait "$app_pid"
status=$?
app_pid=
[ "$status" -eq 0 ] || fail "Tolvane exited with $status"
echo "PASS"
