#!/usr/bin/env bash
# No tray at start: the panel is an ordinary window until a tray appears,
# which then takes the icon in; the popover opens under it. The tray going
# away brings the window back.
source "$(dirname "$0")/e2e.sh"

stop_pid "$tray_pid"
wait_for 5 sh -c '! xwininfo -root -tree | grep -q "(\"panel\" \"trayer\")"' || fail "trayer did not go away"
start_app without-tray
wait_for 15 popover_shown || fail "without a tray the panel is not shown as a window"
[ "$(icon_count)" -eq 0 ] || fail "an icon is docked without a tray"
start_tray || fail "trayer did not start"
wait_for_icon 15 || fail "the icon was not docked when a tray appeared"
wait_for 5 popover_hidden || fail "the window stayed up after the icon was docked"
click_icon
wait_for 5 popover_shown || fail "the popover did not open from the icon docked late"
[ "$pop_y" -ge $((icon_y + icon_h)) ] || fail "the popover is not below the icon docked late"
escape_closes
stop_pid "${pids[-1]}"
wait_for 5 popover_shown || fail "the window did not come back when the tray went away"
no_failures_reported
