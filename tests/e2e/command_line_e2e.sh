#!/usr/bin/env bash
# `ordlen add` without the app and through it (its open panel shows the task);
# messages that are not requests change nothing; `ordlen show` reaches the
# app without a display; the capture key.
source "$(dirname "$0")/e2e.sh"

cli() { env -u DISPLAY "$app" "$@"; }
cli add "Written alone" || fail "add without the app ended with status $?"
task_stored "Written alone" || fail "add without the app left no task in $store"

open_popover first
wait_for 5 settled panel "$work/at-rest.png" || fail "the panel did not come to rest"
cli add "Sent to the app" || fail "add through the app ended with status $?"
task_stored "Sent to the app" || fail "the running app did not store the task sent to it"
wait_for 5 shows panel "$work/added.png" "$work/at-rest.png" -ge 50 || fail "the open panel did not show the task"
status=0 && cli add " " 2>"$work/blank.err" || status=$?
[ "$status" -eq 1 ] && grep -q blank "$work/blank.err" || fail "a blank title sent to the app gave status $status"

socket="$(echo "$XDG_RUNTIME_DIR"/ordlen-*.socket)"
stored() { cat "$store" "$store-wal" 2>/dev/null | sha256sum; }
before="$(stored)"
python3 - "$socket" <<'PY' || fail "a message was not refused"
import socket, struct, sys
for message in (b'\0\0\0\4show', struct.pack('>I', 1 << 30) + b'{' * 4096, b'\0\0\0\x30{"command":"add"'):
    client = socket.socket(socket.AF_UNIX); client.connect(sys.argv[1])
    client.sendall(message)
    client.shutdown(socket.SHUT_WR)
    assert b'refused' in client.recv(4096) or message.endswith(b'"add"'), message[:8]
PY
wait_for 5 test "$(grep -c 'ordlen.instance: refused' "$work/app-first.log")" -eq 3 ||
  fail "not one line per refused message: $(grep 'ordlen.instance' "$work/app-first.log")"
[ "$(stored)" = "$before" ] || fail "the refused messages changed the store"

xdotool key Escape
wait_for 5 popover_hidden || fail "Escape did not close the popover"
# Shown again at once, the popover must not take the end of the last
# showing for its own.
cli show || fail "show through the app, without a display, ended with status $?"
wait_for 5 popover_shown || fail "show did not open the popover"
xdotool key Escape
wait_for 5 popover_hidden || fail "Escape did not close the popover"
xdotool key ctrl+alt+space
wait_for 5 popover_shown || fail "the capture key did not open the popover"
rm -f "$work/last-bar.png"
wait_for 5 add_field_in_place || fail "the capture key did not bring up the add field"
xdotool type --delay 15 "Captured"
xdotool key Return
wait_for 5 task_stored "Captured" || fail "the task typed after the capture key is not in the store"
no_failures_reported
