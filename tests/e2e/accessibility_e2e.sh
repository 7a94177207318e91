#!/usr/bin/env bash
# The panel from the keyboard, as a screen reader sees it over AT-SPI on a
# private session bus: the rows are list items named by their titles that
# say whether they are done; the arrows reach a task, Space ticks it, Delete
# deletes it and Ctrl+Z brings it back, each told and checked in the store.
source "$(dirname "$0")/e2e.sh"

start_session_bus
export DBUS_SESSION_BUS_ADDRESS QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1

open_popover first
add_task "Milk"
add_task "Bread"
xdotool key ctrl+1
/usr/bin/python3 "$(dirname "$0")/atspi_check.py" >"$work/atspi.log" 2>&1 || fail "$(tail -5 "$work/atspi.log")"
