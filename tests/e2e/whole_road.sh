#!/bin/bash
# The whole road, twice: files gathered, ".doc" picked from the presets, a
# folder chosen, every completion answered; then a second run with "TXT"
# typed, into the same folder, where both names are taken and the overwrite
# question is answered Yes once and No once. Copies are checked byte for
# byte, the sources never change.
# Usage: whole_road.sh <Tolvane> <artifact folder>
source "$(dirname "$0")/tolvane_user.sh"

begin_road
add_both_sources
select_preset 1
screenshot main_with_files_listed
press_button convert
choose_folder "$dest" folder_chooser
answer_box '^Tolvane$' Return completion_box
answer_box '^Tolvane$' Return
back_at_main
holds_exactly "$dest" 報告書.doc b.doc
same_bytes "$src/報告書.txt" "$dest/報告書.doc"
same_bytes "$src/b.data.txt" "$dest/b.doc"
sources_unchanged
# The list was emptied by the run.
expect_warning empty_list_warning
quit_tolvane

head -c 500 /dev/urandom >"$dest/報告書.TXT"
head -c 700 /dev/urandom >"$dest/b.TXT"
cp "$dest/b.TXT" "$e2e_tmp/b.TXT.before"

start_tolvane
type_extension TXT
add_both_sources
press_button convert
choose_folder "$dest"
answer_box '^上書き$' alt+y overwrite_question
answer_box '^Tolvane$' Return
answer_box '^上書き$' alt+n
back_at_main
holds_exactly "$dest" 報告書.doc b.doc 報告書.TXT b.TXT
same_bytes "$src/報告書.txt" "$dest/報告書.TXT"
same_bytes "$e2e_tmp/b.TXT.before" "$dest/b.TXT"
sources_unchanged
# The list is empty again, while the edit box still holds "TXT": a new
# file is copied under it without typing.
expect_warning
mkdir "$e2e_tmp/dest2"
add_file "$src/b.data.txt"
press_button convert
choose_folder "$e2e_tmp/dest2"
answer_box '^Tolvane$' Return
back_at_main
holds_exactly "$e2e_tmp/dest2" b.TXT
same_bytes "$src/b.data.txt" "$e2e_tmp/dest2/b.TXT"
sources_unchanged
quit_tolvane
echo PASS
