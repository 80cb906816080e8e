# What a user does with Tolvane's windows, on top of lib.sh: start it, press
# its buttons, gather files through the open-file dialog, pick a preset,
# choose a folder, answer boxes. Positions are the main dialog's template in
# dialog units (279 x 155), scaled by the window's client size.
# Sourced by a test called as: <test> <Tolvane> <artifact folder>.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

program=$1
artifacts=$2
main=

start_tolvane() {
  LANG=C.UTF-8 QT_QPA_PLATFORM=xcb "$program" &
  app_pid=$!
  await_window main '^Tolvane$'
  read_geometry "$main"
}

# Clicks in the main dialog at dialog units ($1, $2), plus $3 pixels down.
click_du() {
  click_in "$main" $(($1 * WIDTH / 279)) $(($2 * HEIGHT / 155 + ${3:-0}))
}

# The buttons' centres, from the template.
press_button() {
  case $1 in
    select) click_du 249 30 ;;
    remove) click_du 249 55 ;;
    convert) click_du 249 105 ;;
    exit) click_du 249 130 ;;
    *) fail "no button $1" ;;
  esac
}

back_at_main() {
  wait_for 10 no_other_window || fail "a box or dialog stayed up"
  wait_for 5 focused "$main" || fail "the main window did not get the focus back"
}
no_other_window() { ! has_other_window . "$main"; }

gone() { ! xwininfo -id "$1" 2>/dev/null | grep -q IsViewable; }

# Types $2 into the file-name box of the dialog titled $1 and confirms. Tab
# first: it closes the completion list if one is up, so Enter always
# reaches the dialog's default button and never only the list.
fill_name_and_confirm() {
  local dialog
  await_window dialog "$1" "$main"
  [ -n "${3:-}" ] && screenshot "$3"
  press ctrl+a
  type_text "$2"
  press Tab Return
  wait_for 10 gone "$dialog" || fail "the dialog '$1' did not close"
}

# Adds a file through "ファイル選択"; $2 names a screenshot of the dialog.
add_file() {
  press_button select
  fill_name_and_confirm '^開く$' "$1" "${2:-}"
  back_at_main
}

# Chooses the folder $1 in the folder chooser that "変換して保存" opened.
choose_folder() { fill_name_and_confirm '^フォルダの選択$' "$1" "${2:-}"; }

# The preset in row $1 (0 for .txt, 1 for .doc ...): a click on the top row,
# then the arrow keys. Only after the last dialog has closed: an expose of
# the main window refills the list and clears its selection.
select_preset() {
  click_du 195 22 8
  local i
  for ((i = 0; i < $1; i++)); do press Down; done
  wait_for 5 preset_highlighted || fail "no preset shows as selected"
}

# Whether a row of the preset list shows the selection's colour (blue).
preset_highlighted() {
  local x=$((188 * WIDTH / 279)) y=$((23 * HEIGHT / 155)) w=$((26 * WIDTH / 279)) h=$((95 * HEIGHT / 155))
  [ "$(import -window "$main" png:- | convert - -crop "${w}x${h}+${x}+${y}" -fx 'b-r' -format '%[fx:int(255*maxima)]' info:)" -gt 80 ]
}

# Waits for a box titled $1 over the main window, photographs it as $3 when
# given, answers it with the keys $2 and waits for it to go.
answer_box() {
  local box
  await_window box "$1" "$main"
  [ -n "${3:-}" ] && screenshot "$3"
  press $2
  wait_for 10 gone "$box" || fail "the box '$1' did not close on $2"
}

# The warning for a conversion without files or extension.
expect_warning() {
  press_button convert
  answer_box '^Tolvane$' Return "${1:-}"
  back_at_main
}

# Whether the first row of the file list shows any text: its darkest pixel.
first_file_row_darkness() {
  local x=$((9 * WIDTH / 279)) y=$((22 * HEIGHT / 155 + 3)) w=$((150 * WIDTH / 279))
  import -window "$main" -crop "${w}x10+${x}+${y}" -format '%[fx:int(255*minima)]' info:
}
first_file_row_blank() { [ "$(first_file_row_darkness)" -gt 200 ]; }
first_file_row_filled() { [ "$(first_file_row_darkness)" -lt 100 ]; }

# Two source files with random contents, one with a Japanese name, in a
# fresh folder; $dest is where the copies go.
make_sources() {
  src="$e2e_tmp/src"
  dest="$e2e_tmp/dest"
  mkdir "$src" "$dest"
  head -c 3000 /dev/urandom >"$src/報告書.txt"
  head -c 2000 /dev/urandom >"$src/b.data.txt"
  sources_before=$(tree_state "$src")
  keys_for_text "報告書"
}
# A desktop, the sources, and Tolvane started on them.
begin_road() {
  start_desktop
  make_sources
  start_tolvane
}

add_both_sources() {
  add_file "$src/報告書.txt" "$@"
  add_file "$src/b.data.txt"
}

sources_unchanged() { [ "$(tree_state "$src")" = "$sources_before" ] || fail "a source file changed"; }

# The folder $1 holds exactly the files named after it, nothing else.
holds_exactly() {
  local folder=$1 listing
  shift
  listing=$(cd "$folder" && find . -mindepth 1 -printf '%P\n' | sort)
  [ "$listing" = "$(printf '%s\n' "$@" | sort)" ] || fail "$folder holds: $(echo $listing)"
}
same_bytes() { cmp -s "$1" "$2" || fail "$2 differs from $1"; }

# Clicks into the edit box under "指定" and types $1.
type_extension() {
  click_du 202 141
  type_text "$1"
}

# Every file under $1 but the home folder, with its sha256.
tree_state() { (cd "$1" && find . -type f ! -path './home/*' -print0 | sort -z | xargs -0 -r sha256sum); }

quit_tolvane() {
  press_button exit
  exited() { ! kill -0 "$app_pid" 2>/dev/null; }
  wait_for 10 exited || fail "Tolvane did not exit on 終了"
  wait "$app_pid"
  local status=$?
  app_pid=
  [ "$status" -eq 0 ] || fail "Tolvane exited with $status"
}
