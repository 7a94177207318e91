#!/usr/bin/env bash
# Drives the real program as a person would, on a real X server with a real
# XEmbed tray (Xvfb + trayer): open the popover from the icon, add a task by
# typing, close it by the icon and by clicking elsewhere, start a second copy,
# quit, start again; then start without a tray and let one appear. Every
# wait is bounded; every process started here is stopped by its PID on the
# way out.
#
# usage: tray_e2e.sh <ordlen executable> <output folder>
set -euo pipefail

app="$1"
out="$2"

# The tools come from scripts/install-deps.sh, which make runs before the tests.
missing=()
for tool in Xvfb trayer xdotool xwininfo import compare sqlite3; do
  command -v "$tool" >/dev/null || missing+=("$tool")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "e2e FAILED: missing ${missing[*]}; scripts/install-deps.sh installs them" >&2
  exit 1
fi

mkdir -p "$out"
rm -f "$out/failure.png"
work="$(mktemp -d "$out/run.XXXXXX")"
source "$(dirname "$0")/xsession.sh"

log() { echo "e2e: $*"; }

cleanup() {
  local status=$?
  stop_all
  if [ "$status" -ne 0 ]; then
    for f in "$work"/*.log; do [ -s "$f" ] && { echo "--- $(basename "$f")"; tail -20 "$f"; }; done
  fi
  rm -rf "$work"
  exit "$status"
}
trap cleanup EXIT
trap 'echo "e2e: a command failed at line $LINENO" >&2' ERR

fail() {
  echo "e2e FAILED: $*" >&2
  import -window root "$out/failure.png" 2>/dev/null && echo "screen at failure: $out/failure.png" >&2
  exit 1
}

# --- X server and tray --------------------------------------------------------
start_x || fail "no X server"
start_tray || fail "no tray"
tray_pid="${pids[-1]}"
log "X server on $DISPLAY"
use_private_session
unset QT_QUICK_BACKEND || true
store="$XDG_DATA_HOME/Ordlen/OrdlenStore.sqlite"
title="Buy oat milk"

app_pid=""
start_app() {
  "$app" >"$work/app-$1.log" 2>&1 &
  app_pid=$!
  pids+=("$app_pid")
}

# Our windows in the tree: "0x… "Ordlen": ("ordlen" "Ordlen")  WxH+x+y  +absx+absy".
# The icon sits inside trayer (indented); the popover is a top-level window.
icon_lines() { xwininfo -root -tree | grep '("ordlen" "Ordlen")' | grep -E '^ {6,}' || true; }
icon_count() { icon_lines | wc -l; }
icon_embedded() { [ "$(icon_count)" -eq 1 ]; }
read_icon() {
  read_tree_geometry "$(icon_lines | head -n1)"
  icon_w="$geom_w" icon_h="$geom_h" icon_x="$geom_x" icon_y="$geom_y"
}
click_icon() { xdotool mousemove $((icon_x + icon_w / 2)) $((icon_y + icon_h / 2)) click 1; }

# Sets pop_x pop_y pop_w pop_h when the popover is mapped.
popover_shown() {
  local id info
  for id in $(xwininfo -root -tree | grep '("ordlen" "Ordlen")' | grep -E '^ {5}0x' | awk '{print $1}'); do
    info="$(xwininfo -id "$id" 2>/dev/null)" || continue
    grep -q 'Map State: IsViewable' <<<"$info" || continue
    pop_x="$(awk -F: '/Absolute upper-left X/ {print $2+0}' <<<"$info")"
    pop_y="$(awk -F: '/Absolute upper-left Y/ {print $2+0}' <<<"$info")"
    pop_w="$(awk -F: '/Width/ {print $2+0}' <<<"$info")"
    pop_h="$(awk -F: '/Height/ {print $2+0}' <<<"$info")"
    return 0
  done
  return 1
}
popover_hidden() { ! popover_shown; }

tasks_titled() { sqlite3 -readonly "$store" "SELECT count(*) FROM TaskItem WHERE title = '$title'" 2>/dev/null; }
task_stored() { [ "$(tasks_titled)" = 1 ]; }

# Pixels that differ between two screenshots in a region of the open popover:
# the list (all but the bottom bar, where a text field's caret blinks) or
# the bottom bar.
region_difference() {
  local region
  case "$1" in
    list) region="${pop_w}x$((pop_h - 80))+${pop_x}+${pop_y}" ;;
    bar) region="${pop_w}x60+${pop_x}+$((pop_y + pop_h - 60))" ;;
  esac
  # compare exits with 1 when the images differ: only its count matters.
  { compare -metric AE -fuzz 8% "$2[$region]" "$3[$region]" null: 2>&1 >/dev/null || true; } |
    awk '{print int($1)}'
}
list_difference() { region_difference list "$@"; }

# list_shows <picture> <reference> <-ge|-le> <pixels>: takes a screenshot and
# compares its list with the reference's. The list repaints a moment after
# the store changes, so callers poll this.
list_shows() {
  import -window root "$1" && [ "$(list_difference "$2" "$1")" "$3" "$4" ]
}

# --- first start: icon, popover under it ---------------------------------------
start_app first
wait_for 15 icon_embedded || fail "the tray icon was not embedded"
read_icon
log "icon ${icon_w}x${icon_h} at $icon_x,$icon_y"

click_icon
wait_for 5 popover_shown || fail "a click on the icon did not open the popover"
log "popover ${pop_w}x${pop_h} at $pop_x,$pop_y"
[ "$pop_w" -eq 408 ] && [ "$pop_h" -eq 476 ] || fail "popover is ${pop_w}x${pop_h}, not 408x476"
gap=$((pop_y - (icon_y + icon_h)))
[ "$gap" -ge 0 ] && [ "$gap" -le 10 ] || fail "popover top $pop_y is not just below the icon (bottom $((icon_y + icon_h)))"
centre=$((icon_x + icon_w / 2))
[ "$pop_x" -le "$centre" ] && [ "$centre" -le $((pop_x + pop_w)) ] || fail "popover is not under the icon"
import -window root "$work/empty.png"

# settled <region> <picture>: takes a screenshot; true once the region hardly
# changed since the previous call's, so what moves in it has come to rest.
settled() {
  local last="$work/last-$1.png" moved=100000
  import -window root "$2" || return 1
  [ -f "$last" ] && moved="$(region_difference "$1" "$last" "$2")"
  cp "$2" "$last"
  [ "$moved" -le 20 ]
}

# The add field has come into the bottom bar and stopped moving; by then it
# has the keyboard focus, which it takes as it comes in.
add_field_in_place() {
  settled bar "$work/bar.png" && [ "$(region_difference bar "$work/empty.png" "$work/bar.png")" -ge 200 ]
}

# --- Ctrl+N, then typing goes to the add field without another click ----------
xdotool key ctrl+n
wait_for 5 add_field_in_place || fail "Ctrl+N did not bring up the add field"
xdotool type --delay 15 "$title"
xdotool key Return
wait_for 5 task_stored || fail "the typed task is not in $store (count: $(tasks_titled))"
wait_for 5 list_shows "$out/popover.png" "$work/empty.png" -ge 50 ||
  fail "the new task is not drawn in the list ($(list_difference "$work/empty.png" "$out/popover.png") pixels changed)"
wait_for 5 settled list "$out/popover.png" || fail "the list did not come to rest"
log "the new task changed $(list_difference "$work/empty.png" "$out/popover.png") pixels of the list"
log "screenshot: $out/popover.png"

# --- closing: the icon again, then a click elsewhere ----------------------------
click_icon
wait_for 5 popover_hidden || fail "a second click on the icon did not close the popover"
click_icon
wait_for 5 popover_shown || fail "the popover did not reopen"
xdotool mousemove 200 600 click 1
wait_for 5 popover_hidden || fail "a click elsewhere did not close the popover"

# --- a second copy hands over to the first and leaves -------------------------
started=$(date +%s%N)
"$app" >"$work/app-second.log" 2>&1 &
second=$!
pids+=("$second")
wait_for 5 sh -c "! kill -0 $second 2>/dev/null" || fail "the second instance did not exit"
elapsed_ms=$((($(date +%s%N) - started) / 1000000))
second_status=0
wait "$second" || second_status=$?
log "second instance exited with $second_status after ${elapsed_ms} ms"
[ "$second_status" -eq 0 ] || fail "the second instance exited with $second_status"
[ "$elapsed_ms" -le 1000 ] || fail "the second instance took ${elapsed_ms} ms to exit"
wait_for 5 popover_shown || fail "the first instance did not show its panel for the second launch"
[ "$(icon_count)" -eq 1 ] || fail "there are $(icon_count) tray icons"

# --- quit, start again: the task is still there ---------------------------------
stop_pid "$app_pid"
wait_for 5 sh -c '[ "$(xwininfo -root -tree | grep -c "(\"ordlen\" \"Ordlen\")")" -eq 0 ]' ||
  fail "windows of the first instance are left after quitting"
start_app again
wait_for 15 icon_embedded || fail "the tray icon was not embedded after a restart"
read_icon
click_icon
wait_for 5 popover_shown || fail "the popover did not open after a restart"
task_stored || fail "the task is gone from the store after a restart"
wait_for 5 list_shows "$out/after-restart.png" "$out/popover.png" -le 20 ||
  fail "the list after a restart differs from the one before ($(list_difference "$out/popover.png" "$out/after-restart.png") pixels)"
if grep -q '^Ordlen: ' "$work"/app-*.log; then
  fail "the app reported failures: $(grep -h '^Ordlen: ' "$work"/app-*.log)"
fi

# --- no tray: the panel is an ordinary window until a tray appears -----------
stop_pid "$app_pid"
stop_pid "$tray_pid"
wait_for 5 sh -c '! xwininfo -root -tree | grep -q "(\"panel\" \"trayer\")"' || fail "trayer did not go away"
start_app without-tray
wait_for 15 popover_shown || fail "without a tray the panel is not shown as a window"
log "without a tray: window ${pop_w}x${pop_h} at $pop_x,$pop_y"
[ "$(icon_count)" -eq 0 ] || fail "an icon is docked without a tray"
start_tray || fail "trayer did not start again"
wait_for 15 icon_embedded || fail "the icon was not docked when a tray appeared"
wait_for 5 popover_hidden || fail "the window stayed up after the icon was docked"
read_icon
click_icon
wait_for 5 popover_shown || fail "the popover did not open from the icon docked late"
[ "$pop_y" -ge $((icon_y + icon_h)) ] || fail "the popover is not below the icon docked late"
log "passed"
