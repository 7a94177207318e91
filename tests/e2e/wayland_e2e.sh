#!/usr/bin/env bash
# Wayland: under a headless weston, with no tray, the app starts, opens its
# store and builds its panel in the window it shows, answers a second launch
# and ends at SIGTERM. With a StatusNotifierItem tray its popover opens
# without a word about a pointer grab, which Wayland refuses.
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

start_session_bus
start_sni_tray
ORDLEN_STARTUP_TRACE=1 start_app wayland-tray
wait_for 5 items_registered 1 || fail "the icon did not register with the tray"
gdbus call --session --dest "$(head -n1 "$work/sni-items")" --object-path /StatusNotifierItem \
  --method org.kde.StatusNotifierItem.Activate 0 0 >/dev/null
wait_for 5 grep -q '^ordlen-trace frame' "$work/app-wayland-tray.log" || fail "Activate did not open the popover"
! grep -i grab "$work/app-wayland-tray.log" || fail "a pointer grab was tried under Wayland"
no_failures_reported
