# The harness every end-to-end test sources: a private X server with a window
# manager on it, bounded waits, and windows, focus, keys, clicks and
# screenshots as a user at that desktop has them. Nothing here knows Tolvane.
#
# A test sets `artifacts` (where screenshots go) before calling start_desktop,
# and may set `app_pid` to the program it started; the exit trap ends both
# and removes `e2e_tmp`.
set -u
export LC_ALL=C.UTF-8

xvfb_pid=
wm_pid=
app_pid=
e2e_tmp=

e2e_cleanup() {
  # The program first: it must not see its display vanish while it still runs.
  local pid
  for pid in "$app_pid" "$wm_pid" "$xvfb_pid"; do
    [ -n "$pid" ] && kill "$pid" 2>/dev/null
  done
  wait 2>/dev/null
  [ -n "$e2e_tmp" ] && rm -rf "$e2e_tmp"
}
trap e2e_cleanup EXIT

fail() {
  echo "FAIL: $*" >&2
  local i
  for ((i = 1; i < ${#FUNCNAME[@]}; i++)); do
    echo "  in ${FUNCNAME[i]} at $(basename "${BASH_SOURCE[i]}"):${BASH_LINENO[i - 1]}" >&2
  done
  [ -n "${DISPLAY:-}" ] && [ -n "${artifacts:-}" ] &&
    import -window root "$artifacts/$(basename "$0" .sh)_failure.png" 2>/dev/null
  exit 1
}

# Polls "$@" every 0.1 s for up to $1 seconds.
wait_for() {
  local tries=$(($1 * 10)) i
  shift
  for ((i = 0; i < tries; i++)); do
    "$@" && return 0
    sleep 0.1
  done
  return 1
}

# A scratch folder for the test, removed on exit; also the home of the
# program and the window manager, so nothing they remember leaks out.
make_scratch() {
  e2e_tmp=$(mktemp -d)
  mkdir "$e2e_tmp/home"
  export HOME="$e2e_tmp/home" XDG_CONFIG_HOME="$e2e_tmp/home/.config" XDG_CACHE_HOME="$e2e_tmp/home/.cache"
  export XDG_RUNTIME_DIR="$e2e_tmp/home/run"
  mkdir -m 700 "$XDG_RUNTIME_DIR"
}

wm_up_or_gone() { wm_manages || ! kill -0 "$wm_pid" 2>/dev/null; }
wm_manages() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; }

# Xvfb picks a free display number itself and tells it on a descriptor once
# it takes clients, so tests running side by side never race for one.
start_desktop() {
  [ -n "$e2e_tmp" ] || make_scratch
  rm -f "$artifacts"/*.png
  local number_file="$e2e_tmp/display"
  : >"$number_file"
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$number_file" >/dev/null 2>&1 &
  xvfb_pid=$!
  has_display_number() { grep -q '^[0-9][0-9]*$' "$number_file"; }
  wait_for 10 has_display_number || fail "Xvfb did not start"
  export DISPLAY=":$(head -1 "$number_file")"
  wait_for 10 xdotool getmouselocation >/dev/null 2>&1 || fail "Xvfb did not take clients"
  # A window manager, so windows get captions, icons and the focus as on a
  # desktop. Now and then, with tests starting side by side, it cannot open a
  # display that answers everyone else; it gives up at once, so another try.
  local try
  for try in 1 2 3; do
    openbox --sm-disable --config-file "$(dirname "${BASH_SOURCE[0]}")/openbox_rc.xml" >"$e2e_tmp/openbox.log" 2>&1 &
    wm_pid=$!
    wait_for 10 wm_up_or_gone
    wm_manages && return 0
    wait "$wm_pid" 2>/dev/null
    wm_pid=
    echo "openbox could not open $DISPLAY: $(cat "$e2e_tmp/openbox.log")" >&2
  done
  fail "openbox did not start managing on $DISPLAY: $(cat "$e2e_tmp/openbox.log")"
}

# Menus and completion lists are override-redirect windows and carry the
# application's name as their title; a user does not count them as windows.
is_popup() { xwininfo -id "$1" 2>/dev/null | grep -q 'Override Redirect State: yes'; }
visible_windows() {
  local id
  for id in $(xdotool search --onlyvisible --name "$1" 2>/dev/null); do
    is_popup "$id" || echo "$id"
  done
}
# A popup of the program with class $1 is up, e.g. a menu or a completion list.
has_popup() {
  local id
  for id in $(xdotool search --onlyvisible --class "$1" 2>/dev/null); do
    is_popup "$id" && return 0
  done
  return 1
}
visible_window() { visible_windows "$1" | head -1; }
has_window() { [ -n "$(visible_window "$1")" ]; }
no_window() { ! has_window "$1"; }

# A visible window titled by pattern $1 other than the window $2: a box can
# carry the same caption as its owner.
other_window() { visible_windows "$1" | grep -vx "$2" | head -1; }
has_other_window() { [ -n "$(other_window "$1" "$2")" ]; }

focused() { [ "$(xdotool getwindowfocus 2>/dev/null)" = "$1" ]; }

# Waits for a window titled $2 (other than $3, if given) to map and take the
# focus, and stores its id in the variable named $1.
await_window() {
  local -n into=$1
  local title=$2 except=${3:-none}
  wait_for 15 has_other_window "$title" "$except" || fail "no window '$title' appeared"
  into=$(other_window "$title" "$except")
  wait_for 5 focused "$into" || fail "window '$title' did not take the focus"
}

# Keys go in as from a keyboard (XTEST) to the window with the focus: a key
# sent to a named window arrives in a form Qt may hand on once more after
# the window has gone.
press() { xdotool key --clearmodifiers "$@"; }
type_text() { xdotool type --clearmodifiers --delay 20 "$1"; }

# Gives each non-ASCII character of $1 a key of its own before the program
# starts. Otherwise xdotool binds a spare key for each such character and
# unbinds it at once, and the program may look the key up after the unbind
# and get nothing.
keys_for_text() {
  local text=$1 i ch spare
  spare=($(xmodmap -pke | awk 'NF == 3 && $2 > 200 {print $2}'))
  for ((i = 0; i < ${#text}; i++)); do
    ch=${text:i:1}
    [[ $ch == [[:ascii:]] ]] && continue
    [ ${#spare[@]} -gt 0 ] || fail "no spare key left for $ch"
    local sym
    sym=$(printf 'U%04X' "'$ch")
    xmodmap -e "keycode ${spare[0]} = $sym $sym" || fail "could not bind $ch"
    spare=("${spare[@]:1}")
  done
}

click_in() {
  xdotool mousemove --window "$1" "$2" "$3" click 1
}

# Window geometry into WIDTH, HEIGHT, X, Y.
read_geometry() { eval "$(xdotool getwindowgeometry --shell "$1")"; }

# A screenshot once the screen has stopped changing, so it shows the
# windows painted, not half way.
screenshot() {
  local name=$1 previous="$e2e_tmp/shot_a.rgb" current="$e2e_tmp/shot_b.rgb" i
  import -window root -depth 8 "rgb:$previous" 2>/dev/null
  for ((i = 0; i < 30; i++)); do
    sleep 0.1
    import -window root -depth 8 "rgb:$current" 2>/dev/null
    cmp -s "$previous" "$current" && break
    mv "$current" "$previous"
  done
  convert -size 1024x768 -depth 8 "rgb:$current" "$artifacts/$name.png" || fail "no screenshot $name"
}
