#!/usr/bin/env bash
# Searching: a query narrows the list to the matching task, and Escape
# brings every task back.
source "$(dirname "$0")/e2e.sh"

open_popover first
add_task "Buy oat milk"
cp "$work/added.png" "$work/one.png"
add_task "Call the dentist"
cp "$work/added.png" "$work/two.png"

search_button
xdotool type --delay 15 "OAT"
wait_for 5 shows rows "$work/narrowed.png" "$work/one.png" -le 20 ||
  fail "the query did not narrow the list to the matching task ($(region_difference rows "$work/one.png" "$work/narrowed.png") pixels differ)"
xdotool key Escape
wait_for 5 shows rows "$work/all.png" "$work/two.png" -le 20 ||
  fail "Escape did not bring every task back ($(region_difference rows "$work/two.png" "$work/all.png") pixels differ)"
no_failures_reported
