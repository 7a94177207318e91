#!/usr/bin/env bash
# `ordlen add` without the app and through it (its open panel shows the
# task); messages that are not requests change nothing; `ordlen show`
# reaches the app without a display; the capture key; a restart shows the
# same panel.
source "$(dirname "$0")/e2e.sh"

cli() { env -u DISPLAY "$app" "$@"; }
cli add "Written alone" || fail "add without the app ended with status $?"
task_stored "Written alone" || fail "add without the app left no task in $store"

open_popover first
wait_for 5 settled panel "$work/at-rest.png" || fail "the panel did not come to rest"
cli add "Sent to the app" || fail "add through the app ended with status $?"
task_stored "Sent to the app" || fail "the running app did not store the task sent to it"
wait_for 5 shows panel "$work/added.png" "$work/at-rest.png" -ge 50 || fail "the open panel did not show the task"

# A malformed and an oversized message are refused; the app runs on, its
# store as it was.
stored() { cat "$store" "$store-wal" 2>/dev/null | sha256sum; }
before="$(stored)"
python3 - "$XDG_RUNTIME_DIR"/ordlen-*.socket <<'PY' || fail "a message was not refused"
import socket, struct, sys
for message in (b'\0\0\0\4show', struct.pack('>I', 1 << 30) + b'{' * 4096):
    client = socket.socket(socket.AF_UNIX)
    client.connect(sys.argv[1])
    client.sendall(message)
    client.shutdown(socket.SHUT_WR)
    assert b'refused' in client.recv(4096), message[:8]
PY
[ "$(stored)" = "$before" ] && kill -0 "$app_pid" || fail "the refused messages changed the store or ended the app"
escape_closes
# Shown again at once, the popover must not take the end of the last
# showing for its own.
cli show || fail "show through the app, without a display, ended with status $?"
wait_for 5 popover_shown || fail "show did not open the popover"
escape_closes
add_task "Captured" ctrl+alt+space

stop_pid "$app_pid"
open_popover again
wait_for 5 shows panel "$work/again.png" "$work/added.png" -le 20 ||
  fail "the panel after a restart differs from the one before ($(region_difference panel "$work/added.png" "$work/again.png") pixels)"
no_failures_reported
