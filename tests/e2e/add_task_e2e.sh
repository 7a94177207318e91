#!/usr/bin/env bash
# Adding a task from the keyboard: Ctrl+N opens the add field with the
# focus in it, the typed title and Return put the task in the store file and
# on screen, and a restart shows the same list.
source "$(dirname "$0")/e2e.sh"

title="Buy oat milk"
open_popover first
add_task "$title"
cp "$work/added.png" "$out/add-task.png"
log "screenshot: $out/add-task.png"

stop_pid "$app_pid"
open_popover again
task_stored "$title" || fail "the task is gone from the store after a restart"
wait_for 5 shows panel "$work/after-restart.png" "$out/add-task.png" -le 20 ||
  fail "the panel after a restart differs from the one before ($(region_difference panel "$out/add-task.png" "$work/after-restart.png") pixels)"
no_failures_reported
