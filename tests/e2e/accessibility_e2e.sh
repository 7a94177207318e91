#!/usr/bin/env bash
# The panel as a screen reader sees it, over AT-SPI on a private session
# bus: the rows are list items named by their titles that say whether they
# are done, and a tick, a delete and an undo from the keyboard are told.
source "$(dirname "$0")/e2e.sh"

start_session_bus
export DBUS_SESSION_BUS_ADDRESS QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1

open_popover first
add_task "Milk"
add_task "Bread"
xdotool key ctrl+1
/usr/bin/python3 "$(dirname "$0")/atspi_check.py" >"$work/atspi.log" 2>&1 || fail "$(tail -5 "$work/atspi.log")"
task_stored "Milk" || fail "the undo did not bring Milk back"
