#!/usr/bin/env bash
# Keep Window Open: pinned, the popover stays when another window takes the
# keyboard; unpinned, it closes. The pin survives a restart, and "Quit
# Ordlen" ends the app with status 0, its store closed and checkpointed.
source "$(dirname "$0")/e2e.sh"

# Another program's window, to take the keyboard from the popover.
xmessage -geometry +40+600 "another window" >"$work/xmessage.log" 2>&1 &
pids+=($!)
wait_for 10 sh -c 'xdotool search --name "^xmessage$" >/dev/null' || fail "xmessage did not start"
other="$(xdotool search --name '^xmessage$' | head -n1)"
focus_other() { xdotool windowfocus --sync "$other"; }
# A click on the icon just after the popover closed on losing the keyboard
# is taken for the click that closed it: click again until it opens.
reopened() { popover_shown || { click_icon && wait_for 1 popover_shown; }; }
reopen() { wait_for 5 reopened || fail "the popover did not reopen ($1)"; }

open_popover first
focus_other
wait_for 5 popover_hidden || fail "the unpinned popover stayed when another window took the keyboard"

reopen "unpinned"
settings_menu
xdotool key Down Return # Keep Window Open
wait_for 5 grep -qs "isPinned=true" "$XDG_CONFIG_HOME/Ordlen/Ordlen.conf" || fail "Keep Window Open was not written"
focus_other
! wait_for 1 popover_hidden || fail "the pinned popover closed when another window took the keyboard"
click_icon
wait_for 5 popover_hidden || fail "the tray icon did not close the pinned popover"

reopen "pinned"
settings_menu
xdotool key Down Down Down Return # Quit Ordlen
wait_for 10 sh -c "! kill -0 $app_pid 2>/dev/null" || fail "Quit Ordlen did not end the app"
status=0 && wait "$app_pid" || status=$?
[ "$status" -eq 0 ] || fail "Quit Ordlen ended the app with status $status"
[ ! -e "$store-wal" ] || fail "the store's write-ahead log is left after quitting"

# The pin holds from the first showing after a restart; unpinning it is
# tst_app's.
open_popover again
focus_other
! wait_for 1 popover_hidden || fail "after a restart the pinned popover closed when another window took the keyboard"
no_failures_reported
