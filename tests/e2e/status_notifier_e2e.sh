#!/usr/bin/env bash
# A StatusNotifierItem tray (no XEmbed one) that comes up after the app, as
# at a login: the app waits as a window, then registers its icon, by name;
# the tray's Activate opens the popover by the pointer, on the screen. The
# tray going away brings the window back, and its return takes it in again.
source "$(dirname "$0")/e2e.sh"

stop_pid "$tray_pid"
start_session_bus
start_app sni
wait_for 15 popover_shown || fail "without a tray the panel is not shown as a window"
start_sni_tray
wait_for 2 items_registered 1 || fail "the icon did not register with the tray within 2 s"
wait_for 5 popover_hidden || fail "the window stayed up after the icon registered"
[[ "$(item --method org.freedesktop.DBus.Properties.Get org.kde.StatusNotifierItem IconName)" == \
  *"'io.github.ordlen.Ordlen'"* ]] || fail "the icon has not the app id as its name"
xdotool mousemove 1200 790
item --method org.kde.StatusNotifierItem.Activate 1200 790 >/dev/null
wait_for 5 popover_shown || fail "Activate on the item did not open the popover"
[ "$pop_x" -le 1200 ] && [ 1200 -le $((pop_x + pop_w)) ] && [ $((pop_x + pop_w)) -le 1280 ] &&
  [ $((790 - pop_y - pop_h)) -le 10 ] || fail "the popover (${pop_w}x${pop_h}+$pop_x+$pop_y) is not by the pointer"
escape_closes
stop_pid "$sni_pid"
wait_for 5 popover_shown || fail "the window did not come back when the tray went away"
start_sni_tray
wait_for 5 items_registered 2 || fail "the icon did not register with the tray that came back"
wait_for 5 popover_hidden || fail "the window stayed up when the tray came back"
no_failures_reported
