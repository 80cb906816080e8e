#!/bin/bash
# Cancelling the folder chooser changes nothing: no file anywhere, no box,
# the files stay listed; converting again opens the chooser again.
# Usage: cancel_chooser.sh <Tolvane> <artifact folder>
source "$(dirname "$0")/tolvane_user.sh"

begin_road
add_both_sources
before=$(tree_state "$e2e_tmp")

cancel_conversion() {
  # The chooser closing exposes the main window, which refills the presets:
  # the selection is made again each time.
  select_preset 1
  press_button convert
  local chooser
  await_window chooser '^フォルダの選択$' "$main"
  press Escape
  wait_for 10 gone "$chooser" || fail "the folder chooser did not close on Escape"
  back_at_main
  [ "$(tree_state "$e2e_tmp")" = "$before" ] || fail "cancelling the chooser changed files"
  first_file_row_filled || fail "cancelling the chooser emptied the list"
}
cancel_conversion
cancel_conversion
holds_exactly "$dest"
quit_tolvane
echo PASS
