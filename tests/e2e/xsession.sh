# Sourced by the end-to-end test and the start-up benchmark: a private X
# server with an XEmbed tray, helpers to wait and to stop what was started.
# The caller sets `work` (a scratch folder) before sourcing.

pids=()

# wait_for <seconds> <command...>: true once the command succeeds.
wait_for() {
  local deadline=$(($(date +%s%N) + $1 * 1000000000))
  shift
  until "$@"; do
    [ "$(date +%s%N)" -lt "$deadline" ] || return 1
    sleep 0.05
  done
}

stop_pid() {
  kill -TERM "$1" 2>/dev/null || return 0
  wait_for 2 sh -c "! kill -0 $1 2>/dev/null" || kill -KILL "$1" 2>/dev/null || true
  wait "$1" 2>/dev/null || true
}

stop_all() {
  local i
  for ((i = ${#pids[@]} - 1; i >= 0; i--)); do stop_pid "${pids[i]}"; done
  pids=()
}

# Starts Xvfb on a free display and exports DISPLAY.
start_x() {
  exec 3>"$work/display"
  Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp -noreset >"$work/xvfb.log" 2>&1 &
  pids+=($!)
  exec 3>&-
  wait_for 10 test -s "$work/display" || { echo "Xvfb did not start" >&2; return 1; }
  export DISPLAY=":$(head -n1 "$work/display")"
}

# Starts trayer at the top right of the screen.
start_tray() {
  trayer --edge top --align right --widthtype pixel --width 200 --height 24 >"$work/trayer.log" 2>&1 &
  pids+=($!)
  wait_for 10 sh -c 'xwininfo -root -tree | grep -q "(\"panel\" \"trayer\")"' ||
    { echo "trayer did not start" >&2; return 1; }
}

start_x_with_tray() { start_x && start_tray; }

# Private folders for the app, and no session bus, so that Qt docks its icon
# in the tray above rather than in a desktop's D-Bus tray.
use_private_session() {
  mkdir -p "$work/home" "$work/data" "$work/config" "$work/runtime"
  chmod 700 "$work/runtime"
  export HOME="$work/home" XDG_DATA_HOME="$work/data" XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/runtime"
  export QT_QPA_PLATFORM=xcb DBUS_SESSION_BUS_ADDRESS="unix:path=$work/no-bus"
  unset WAYLAND_DISPLAY QT_QPA_PLATFORMTHEME || true
}

# Reads the size and absolute position from a line of `xwininfo -root -tree`
# ("0x… "name": ("class" "Class")  WxH+x+y  +absx+absy") into geom_w,
# geom_h, geom_x and geom_y.
read_tree_geometry() {
  read -r geom_w geom_h geom_x geom_y < <(awk '{split($(NF-1), size, /[x+]/); split($NF, at, "+"); print size[1], size[2], at[2], at[3]}' <<<"$1")
}
