#!/usr/bin/env bash
# The panel without the mouse: two tasks added with Ctrl+N, the second
# reached with the arrows, ticked with Space, deleted with Delete and brought
# back with Ctrl+Z, a subtask added through the task's menu, each step
# checked in the store file.
source "$(dirname "$0")/e2e.sh"

open_popover first
add_task "First"
add_task "Second"
# All tasks, so a ticked one stays in the list; then the second row.
keys ctrl+1 Down Down space
wait_for 5 task_done "Second" || fail "Space did not tick the ringed task"
task_done "First" && fail "Space ticked the first task too"
keys Delete
wait_for 5 sh -c "[ \"\$(sqlite3 -readonly '$store' \"SELECT count(*) FROM TaskItem WHERE title = 'Second'\")\" = 0 ]" ||
  fail "Delete did not remove the ringed task"
keys ctrl+z
wait_for 5 task_stored "Second" || fail "Ctrl+Z did not bring the deleted task back"
task_done "Second" || fail "the task came back unticked"
# A subtask through the task's menu: Shift+F10, the second item, a title.
keys Home shift+F10
rm -f "$work/last-panel.png"
wait_for 5 settled panel "$work/menu.png" || fail "the task's menu did not come to rest"
keys Down Down Return
wait_for 5 settled panel "$work/field.png" || fail "the subtask field did not come to rest"
xdotool type --delay 15 "Step"
keys Return
subtask_stored() { [ "$(sql "SELECT count(*) FROM SubTaskItem WHERE title = $(quoted "$1")")" = 1 ]; }
wait_for 5 subtask_stored "Step" || fail "no subtask added from the keyboard"
no_failures_reported
