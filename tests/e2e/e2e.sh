# Sourced by every end-to-end flow (<flow>.sh <ordlen executable> <output
# folder>): a private X server with a real XEmbed tray, the app on private
# folders, and helpers that find its icon and popover and compare
# screenshots. Every wait is bounded; whatever is started is stopped on exit.
set -euo pipefail
app="$1" out="$2" flow="$(basename "$0" .sh)"

# The tools come from scripts/install-deps.sh, which make runs before the tests.
for tool in Xvfb trayer xdotool xwininfo import compare sqlite3 dbus-daemon gdbus weston python3; do
  command -v "$tool" >/dev/null || { echo "$flow FAILED: no $tool; scripts/install-deps.sh installs it" >&2; exit 1; }
done
mkdir -p "$out"
rm -f "$out/$flow-failure.png"
work="$(mktemp -d "$out/$flow.XXXXXX")"
source "$(dirname "${BASH_SOURCE[0]}")/xsession.sh"

cleanup() {
  local status=$?
  stop_all
  [ "$status" -eq 0 ] || for f in "$work"/*.log; do [ -s "$f" ] && { echo "--- $(basename "$f")"; tail -20 "$f"; }; done
  rm -rf "$work"
  exit "$status"
}
trap cleanup EXIT
fail() {
  echo "$flow FAILED: $*" >&2
  import -window root "$out/$flow-failure.png" 2>/dev/null && echo "screen at failure: $out/$flow-failure.png" >&2
  exit 1
}

start_x || fail "no X server"
start_tray || fail "no tray"
tray_pid="${pids[-1]}"
use_private_session
unset QT_QUICK_BACKEND || true
store="$XDG_DATA_HOME/Ordlen/OrdlenStore.sqlite"

start_app() {
  "$app" >"$work/app-$1.log" 2>&1 &
  app_pid=$!
  pids+=("$app_pid")
}
# A private session bus, for the flows with a D-Bus tray (the others have none).
start_session_bus() {
  dbus-daemon --session --nofork --print-address=3 3>"$work/bus" >"$work/bus.log" 2>&1 &
  pids+=($!)
  wait_for 5 test -s "$work/bus" || fail "dbus-daemon did not start"
  DBUS_SESSION_BUS_ADDRESS="$(head -n1 "$work/bus")"
}
# A StatusNotifierItem tray (sni_watcher.py): items_registered <n> is true
# once n items registered with it since the flow began; item <gdbus call
# arguments> calls the first.
start_sni_tray() {
  /usr/bin/python3 "$(dirname "${BASH_SOURCE[0]}")/sni_watcher.py" >>"$work/sni-items" 2>"$work/sni-tray.log" &
  sni_pid=$!
  pids+=("$sni_pid")
}
items_registered() { [ "$(cat "$work/sni-items" 2>/dev/null | wc -l)" -ge "$1" ]; }
item() { gdbus call --session --dest "$(head -n1 "$work/sni-items")" --object-path /StatusNotifierItem "$@"; }
no_failures_reported() {
  ! grep -q '^Ordlen: ' "$work"/app-*.log || fail "the app reported failures: $(grep -h '^Ordlen: ' "$work"/app-*.log)"
}

# Our windows in `xwininfo -root -tree`: the icon sits inside trayer
# (indented), the popover is a top-level window.
icon_lines() { xwininfo -root -tree | grep '("ordlen" "Ordlen")' | grep -E '^ {6,}' || true; }
icon_count() { icon_lines | wc -l; }
icon_embedded() { [ "$(icon_count)" -eq 1 ]; }
# The tray lays a docked icon out a moment after taking it in: a click
# before then lands where the icon no longer is. True once two reads agree.
icon_in_place() {
  local before="${icon_w:-}x${icon_h:-}+${icon_x:-}+${icon_y:-}"
  read_tree_geometry "$(icon_lines | head -n1)"
  icon_w="$geom_w" icon_h="$geom_h" icon_x="$geom_x" icon_y="$geom_y"
  [ "$icon_w" -gt 1 ] && [ "${icon_w}x${icon_h}+${icon_x}+${icon_y}" = "$before" ]
}
wait_for_icon() { wait_for "$1" icon_embedded && icon_w="" && wait_for 5 icon_in_place; }
click_icon() { xdotool mousemove $((icon_x + icon_w / 2)) $((icon_y + icon_h / 2)) click 1; }

# Sets pop_x pop_y pop_w pop_h when the popover is mapped.
popover_shown() {
  local id info
  for id in $(xwininfo -root -tree | grep '("ordlen" "Ordlen")' | grep -E '^ {5}0x' | awk '{print $1}'); do
    info="$(xwininfo -id "$id" 2>/dev/null)" || continue
    grep -q 'Map State: IsViewable' <<<"$info" || continue
    read -r pop_x pop_y pop_w pop_h < <(awk -F: '/Absolute upper-left X/ {x=$2+0} /Absolute upper-left Y/ {y=$2+0}
      /Width/ {w=$2+0} /Height/ {h=$2+0} END {print x, y, w, h}' <<<"$info")
    return 0
  done
  return 1
}
popover_hidden() { ! popover_shown; }
open_popover() {
  start_app "$1"
  wait_for_icon 15 || fail "the tray icon was not docked ($1)"
  click_icon
  wait_for 5 popover_shown || fail "a click on the icon did not open the popover ($1)"
}

# Clicks a point of the panel, from its top left corner.
click_panel() { xdotool mousemove $((pop_x + $1)) $((pop_y + $2)) click 1; }
escape_closes() { xdotool key Escape && wait_for 5 popover_hidden || fail "Escape did not close the popover"; }

# Pixels that differ between two screenshots in a region of the popover:
# "panel" is all but the bottom bar, where a caret blinks; "rows" leaves out
# the header too, whose counts change with every tick; "bar" is the bottom bar.
region_difference() {
  local top=0 height=$((pop_h - 80))
  case "$1" in
    rows) top=50 height=$((pop_h - 130)) ;;
    bar) top=$((pop_h - 60)) height=60 ;;
  esac
  local region="${pop_w}x${height}+${pop_x}+$((pop_y + top))"
  # compare exits with 1 when the images differ: only its count matters.
  { compare -metric AE -fuzz 8% "$2[$region]" "$3[$region]" null: 2>&1 >/dev/null || true; } | awk '{print int($1)}'
}
# shows <region> <picture> <reference> <-ge|-le> <pixels>: a screenshot whose
# region compares so with the reference's. The panel repaints a moment
# after the store changes, so callers poll this.
shows() { import -window root "$2" && [ "$(region_difference "$1" "$3" "$2")" "$4" "$5" ]; }
# settled <region> <picture>: a screenshot; true once the region hardly
# changed since the previous one, so what moves in it has come to rest.
settled() {
  local last="$work/last-$1.png" moved=100000
  import -window root "$2" || return 1
  [ -f "$last" ] && moved="$(region_difference "$1" "$last" "$2")"
  cp "$2" "$last"
  [ "$moved" -le 20 ]
}

# The header's menus, opened by a click and waited for until drawn; the keys
# then move through them as the arrows do.
open_menu() {
  import -window root "$work/before-menu.png"
  click_panel "$1" 24
  wait_for 5 shows panel "$work/menu.png" "$work/before-menu.png" -ge 300 || fail "the menu at $1 did not open"
  # Keys pressed while it still fades in are lost.
  rm -f "$work/last-panel.png"
  wait_for 5 settled panel "$work/menu.png" || fail "the menu at $1 did not come to rest"
}
workspace_menu() { open_menu 54; }
settings_menu() { open_menu $((pop_w - 54)); }
keys() { for key in "$@"; do xdotool key "$key"; done; }

sql() { sqlite3 -readonly "$store" "$1" 2>/dev/null; }
# task_where <title> <condition>: the store file holds one task of that
# title, and the condition holds for it.
task_where() { [ "$(sql "SELECT count(*) FROM TaskItem WHERE title = '${1//\'/\'\'}' AND ($2)")" = 1 ]; }
task_stored() { task_where "$1" 1; }

# The add field has come into the bottom bar and stopped moving; by then it
# has the keyboard focus, which it takes as it comes in.
add_field_in_place() {
  settled bar "$work/bar.png" && [ "$(region_difference bar "$work/at-rest.png" "$work/bar.png")" -ge 200 ]
}
# add_task <title> [key]: the key (Ctrl+N), the title typed, Return; waits for
# the task in the store and on screen, and for the panel to come to rest.
add_task() {
  local key="${2:-ctrl+n}"
  rm -f "$work/last-bar.png" "$work/last-panel.png"
  wait_for 5 settled bar "$work/at-rest.png" || fail "the bottom bar did not come to rest"
  xdotool key "$key"
  wait_for 5 add_field_in_place || fail "$key did not bring up the add field"
  xdotool type --delay 15 "$1"
  xdotool key Return
  wait_for 5 task_stored "$1" || fail "the typed task \"$1\" is not in $store"
  wait_for 5 shows panel "$work/added.png" "$work/at-rest.png" -ge 50 || fail "the new task \"$1\" is not drawn"
  wait_for 5 settled panel "$work/added.png" || fail "the panel did not come to rest"
}
