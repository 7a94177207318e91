#!/usr/bin/env bash
# Wayland, with no tray: under a headless weston the app starts, opens its
# store and builds its panel in the window it shows, answers a second launch
# and ends at SIGTERM.
source "$(dirname "$0")/e2e.sh"

command -v weston >/dev/null || fail "no weston; scripts/install-deps.sh installs it"
weston --backend=headless-backend.so --socket=ordlen-e2e --idle-time=0 >"$work/weston.log" 2>&1 &
pids+=($!)
wait_for 10 test -S "$XDG_RUNTIME_DIR/ordlen-e2e" || fail "weston did not start"
export WAYLAND_DISPLAY=ordlen-e2e QT_QPA_PLATFORM=wayland
start_app wayland
wait_for 15 test -s "$store" || fail "the app did not open its store under Wayland"
timeout 10 "$app" >"$work/app-second.log" 2>&1 || fail "a second launch was not answered"
kill -0 "$app_pid" || fail "the app ended"
kill -TERM "$app_pid"
status=0
wait "$app_pid" || status=$?
[ "$status" -eq 143 ] || fail "the app ended with $status at SIGTERM"
no_failures_reported
