#!/usr/bin/env bash
# Workspaces through the header's menu: one is created in the naming dialog
# and takes a task, is renamed, and is deleted with its task through the
# confirmation; each step is checked in the preferences and the store file.
source "$(dirname "$0")/e2e.sh"

# The naming dialog's field, in the card at the panel's centre.
name_field=(204 233)
# dialog_shown <name>: the dimmed panel with its card has come to rest.
dialog_shown() {
  rm -f "$work/last-panel.png"
  wait_for 5 shows panel "$work/$1.png" "$work/before-menu.png" -ge 3000 || fail "the $1 dialog did not open"
  wait_for 5 settled panel "$work/$1.png" || fail "the $1 dialog did not come to rest"
}
workspace_of() { sql "SELECT workspace FROM TaskItem WHERE title = $(quoted "$1")"; }

open_popover first

# All Workspaces, Personal, New Workspace...; the field takes the keyboard
# on a click.
workspace_menu
keys Down Down Down Return
dialog_shown new-workspace
cp "$work/new-workspace.png" "$out/workspace-new.png"
click_panel "${name_field[@]}"
xdotool type --delay 15 "Garden"
xdotool key Return
wait_for 5 prefers "ordlen_custom_workspaces=Garden" || fail "the new workspace is not in $preferences"

title="Seed potatoes"
add_task "$title"
[ "$(workspace_of "$title")" = Garden ] || fail "the task went to \"$(workspace_of "$title")\", not the selected workspace"

# Personal, then Garden; its submenu: Select, Move Up, Move Down, Rename...
workspace_menu
keys Down Down Down Right Down Down Down Return
dialog_shown rename-workspace
click_panel "${name_field[@]}"
xdotool key ctrl+a
xdotool type --delay 15 "Allotment"
xdotool key Return
wait_for 5 sh -c "[ \"\$(sqlite3 -readonly '$store' \"SELECT workspace FROM TaskItem\")\" = Allotment ]" ||
  fail "the task's workspace is \"$(workspace_of "$title")\" after the rename"
prefers "ordlen_custom_workspaces=Allotment" || fail "the renamed workspace is not in $preferences"

# ... then Delete; the confirmation has Cancel under the keyboard, Delete next.
workspace_menu
keys Down Down Down Right Down Down Down Down Return
dialog_shown delete-workspace
cp "$work/delete-workspace.png" "$out/workspace-delete.png"
keys Tab Return
wait_for 5 sh -c "[ \"\$(sqlite3 -readonly '$store' \"SELECT count(*) FROM TaskItem\")\" = 0 ]" ||
  fail "the deleted workspace's task is still in $store"
! prefers "Allotment" || fail "the deleted workspace is still in $preferences"
no_failures_reported
