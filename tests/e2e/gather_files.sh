#!/bin/bash
# Gathering files: "ファイル選択", a Japanese file name typed into the open-file
# dialog, the entry in the list; "取り消し" takes it out again, so converting
# warns and a later run copies only what is listed then.
# Usage: gather_files.sh <Tolvane> <artifact folder>
source "$(dirname "$0")/tolvane_user.sh"

begin_road
first_file_row_blank || fail "the file list does not start empty"

add_file "$src/報告書.txt" open_file_dialog
wait_for 5 first_file_row_filled || fail "the chosen file did not show in the list"
screenshot main_with_japanese_file

click_du 60 22 8
press_button remove
wait_for 5 first_file_row_blank || fail "取り消し left the entry in the list"
select_preset 0
expect_warning

# The removed entry is really gone: a conversion now copies only the file
# added after it.
add_file "$src/b.data.txt"
select_preset 1
press_button convert
choose_folder "$dest"
answer_box '^Tolvane$' Return
back_at_main
holds_exactly "$dest" b.doc
same_bytes "$src/b.data.txt" "$dest/b.doc"
sources_unchanged
quit_tolvane
echo PASS
