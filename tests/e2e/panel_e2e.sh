#!/usr/bin/env bash
# The panel as a user meets it, each step checked in the store file: a task
# added with Ctrl+N and ticked under Pending leaves the list; a search
# narrows it; a workspace made in the naming dialog takes a task, is
# renamed, and is deleted with its task through the confirmation. (The
# keyboard alone: the accessibility flow.)
source "$(dirname "$0")/e2e.sh"

open_popover first
wait_for 5 settled panel "$work/empty.png" || fail "the empty panel did not come to rest"
add_task "Water the plants"
click_panel 44 94 # its checkbox
xdotool mousemove 0 0 # no row under the pointer, none highlighted
wait_for 5 task_where "Water the plants" isCompleted || fail "the ticked task is not stored as done"
wait_for 5 shows rows "$work/ticked.png" "$work/empty.png" -le 20 ||
  fail "the ticked task did not leave the Pending list ($(region_difference rows "$work/empty.png" "$work/ticked.png") pixels differ)"

add_task "Buy oat milk"
cp "$work/added.png" "$work/one.png"
add_task "Call the dentist"
cp "$work/added.png" "$work/two.png"
click_panel $((pop_w - 38)) $((pop_h - 31)) # search
xdotool type --delay 15 "OAT"
wait_for 5 shows rows "$work/narrowed.png" "$work/one.png" -le 20 ||
  fail "the query did not narrow the list ($(region_difference rows "$work/one.png" "$work/narrowed.png") pixels differ)"
keys Escape
wait_for 5 shows rows "$work/all.png" "$work/two.png" -le 20 || fail "Escape did not bring every task back"

# The naming dialog's field, in the card at the panel's centre.
name_dialog() {
  rm -f "$work/last-panel.png"
  wait_for 5 shows panel "$work/$1.png" "$work/before-menu.png" -ge 3000 || fail "the $1 dialog did not open"
  wait_for 5 settled panel "$work/$1.png" || fail "the $1 dialog did not come to rest"
  [ "$1" = delete ] || { click_panel 204 233 && keys ctrl+a && xdotool type --delay 15 "$2" && keys Return; }
}
workspace_menu
keys Down Down Down Return # All Workspaces, Personal, New Workspace...
name_dialog new "Garden"
wait_for 5 grep -qs "ordlen_custom_workspaces=Garden" "$XDG_CONFIG_HOME/Ordlen/Ordlen.conf" ||
  fail "the new workspace was not saved"
add_task "Seed potatoes"
task_where "Seed potatoes" "workspace = 'Garden'" || fail "the task did not go to the selected workspace"
workspace_menu
keys Down Down Down Right Down Down Down Return # Garden: Select, Move Up, Move Down, Rename...
name_dialog rename "Allotment"
wait_for 5 task_where "Seed potatoes" "workspace = 'Allotment'" || fail "the rename did not move the task"
workspace_menu
keys Down Down Down Right Down Down Down Down Return # ... Delete
name_dialog delete
keys Tab Return # Cancel has the keyboard, Delete is next
wait_for 5 eval '! task_stored "Seed potatoes"' || fail "the deleted workspace's task is still stored"
task_stored "Call the dentist" || fail "deleting a workspace took another's task"
no_failures_reported
