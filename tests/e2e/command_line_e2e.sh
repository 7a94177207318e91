#!/usr/bin/env bash
# `ordlen add` through the running app (its open panel shows the task);
# `ordlen show` reaches the app without a display; the capture key; a
# restart shows the same panel. Without the app, and the
# channel's refusals: tst_app.
source "$(dirname "$0")/e2e.sh"

cli() { env -u DISPLAY "$app" "$@"; }
open_popover first
wait_for 5 settled panel "$work/at-rest.png" || fail "the panel did not come to rest"
cli add "Sent to the app" || fail "add through the app ended with status $?"
task_stored "Sent to the app" || fail "the running app did not store the task sent to it"
wait_for 5 shows panel "$work/added.png" "$work/at-rest.png" -ge 50 || fail "the open panel did not show the task"

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
