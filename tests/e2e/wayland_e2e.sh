#!/usr/bin/env bash
# Wayland, under a headless weston: with no tray the app starts and opens
# its store for the window it shows; a StatusNotifierItem tray that comes
# then takes its icon, whose Activate opens the popover with no pointer grab
# tried (Wayland refuses it). SIGTERM ends it as "Quit Ordlen" does, the
# store closed and checkpointed.
source "$(dirname "$0")/e2e.sh"

weston --backend=headless-backend.so --socket=ordlen-e2e --idle-time=0 >"$work/weston.log" 2>&1 &
pids+=($!)
wait_for 10 test -S "$XDG_RUNTIME_DIR/ordlen-e2e" || fail "weston did not start"
export WAYLAND_DISPLAY=ordlen-e2e QT_QPA_PLATFORM=wayland ORDLEN_STARTUP_TRACE=1
start_session_bus
start_app wayland
wait_for 15 test -s "$store" || fail "the app did not open its store"
start_sni_tray
wait_for 5 items_registered 1 || fail "the icon did not register with the tray"
item --method org.kde.StatusNotifierItem.Activate 0 0 >/dev/null
wait_for 5 grep -q '^ordlen-trace frame' "$work/app-wayland.log" || fail "Activate did not open the popover"
! grep -i grab "$work/app-wayland.log" || fail "a pointer grab was tried"
kill -TERM "$app_pid"
wait "$app_pid" || fail "the app did not end cleanly at SIGTERM (status $?)"
[ ! -e "$store-wal" ] || fail "the store was not checkpointed at SIGTERM"
no_failures_reported
