#!/usr/bin/env bash
# Ticking a task under the Pending filter: it is stored as done and, after
# a moment's grace, leaves the list, which shows the empty state again.
source "$(dirname "$0")/e2e.sh"

title="Water the plants"
open_popover first
wait_for 5 settled panel "$work/empty.png" || fail "the empty panel did not come to rest"
add_task "$title"
click_panel "${first_checkbox[@]}"
wait_for 5 task_done "$title" || fail "the ticked task is not stored as done"
wait_for 5 shows rows "$work/ticked.png" "$work/empty.png" -le 20 ||
  fail "the ticked task did not leave the Pending list ($(region_difference rows "$work/empty.png" "$work/ticked.png") pixels differ from the empty list)"
no_failures_reported
