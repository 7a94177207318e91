#!/usr/bin/env bash
# The popover and the tray icon: the popover opens under the icon at its
# size, closes by the icon and by a click elsewhere, and a second copy of
# the app hands over to the first and leaves.
source "$(dirname "$0")/e2e.sh"

open_popover first
[ "$pop_w" -eq 408 ] && [ "$pop_h" -eq 476 ] || fail "popover is ${pop_w}x${pop_h}, not 408x476"
gap=$((pop_y - (icon_y + icon_h)))
[ "$gap" -ge 0 ] && [ "$gap" -le 10 ] || fail "popover top $pop_y is not just below the icon (bottom $((icon_y + icon_h)))"
centre=$((icon_x + icon_w / 2))
[ "$pop_x" -le "$centre" ] && [ "$centre" -le $((pop_x + pop_w)) ] || fail "popover is not under the icon"

click_icon
wait_for 5 popover_hidden || fail "a second click on the icon did not close the popover"
click_icon
wait_for 5 popover_shown || fail "the popover did not reopen"
xdotool mousemove 200 600 click 1
wait_for 5 popover_hidden || fail "a click elsewhere did not close the popover"

# A second copy hands over to the first (which shows its panel) and leaves
# within a second.
status=0 && timeout 1 "$app" >"$work/app-second.log" 2>&1 || status=$?
[ "$status" -eq 0 ] || fail "the second instance exited with $status (124: not within a second)"
wait_for 5 popover_shown || fail "the first instance did not show its panel for the second launch"
[ "$(icon_count)" -eq 1 ] || fail "there are $(icon_count) tray icons"

stop_pid "$app_pid"
wait_for 5 sh -c '[ "$(xwininfo -root -tree | grep -c "(\"ordlen\" \"Ordlen\")")" -eq 0 ]' ||
  fail "windows of the app are left after quitting"
no_failures_reported
