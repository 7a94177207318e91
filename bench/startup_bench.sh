#!/usr/bin/env bash
# Start-up figures of Ordlen beside a floor, in one run on the same X server:
# the floor is startup_probe, a tray icon plus a hidden, preloaded 408 × 476
# QML window and nothing else. Both run on Xvfb with trayer and the software
# Qt Quick renderer and write time marks (ORDLEN_STARTUP_TRACE) that this
# script reads. Figures are medians over the runs, taken alternately; start-up
# times swing with the machine's load, so compare the ratios of one run.
# Prints "figure" lines for scripts/bench.sh; everything else goes to stderr.
#
# usage: startup_bench.sh <ordlen> <startup_probe> <source folder> [runs]
# (runs: by default $ORDLEN_BENCH_RUNS, or 3 to keep `make bench` short)
set -euo pipefail

app="$1"
probe="$2"
source_dir="$3"
runs="${4:-${ORDLEN_BENCH_RUNS:-3}}"
idle_seconds=5

# scripts/install-deps.sh (run by make) installs these.
for tool in Xvfb trayer xdotool xwininfo; do
  command -v "$tool" >/dev/null || {
    echo "startup bench: $tool is missing; scripts/install-deps.sh installs it" >&2
    exit 1
  }
done

work="$(mktemp -d "${TMPDIR:-/tmp}/ordlen-startup.XXXXXX")"
source "$source_dir/tests/e2e/xsession.sh"
trap 'stop_all; rm -rf "$work"' EXIT

start_x_with_tray
use_private_session
export QT_QUICK_BACKEND=software ORDLEN_STARTUP_TRACE=1

now_us() { echo "${EPOCHREALTIME/./}"; }
# A window of a program docked in trayer: nested in its panel, with a class.
icon_line() { xwininfo -root -tree | grep -E '^ {6,}0x[0-9a-f]+ "[^"]*": \("' | head -n1; }
icon_docked() { [ -n "$(icon_line)" ]; }
click_icon() {
  read_tree_geometry "$(icon_line)"
  xdotool mousemove $((geom_x + geom_w / 2)) $((geom_y + geom_h / 2)) click 1
}

# measure <program> <label>: appends "startup_us open_us reopen_us rss_kb".
measure() {
  local program="$1" label="$2" log="$work/$2.log" t0 pid
  : >"$log"
  t0="$(now_us)"
  "$program" >/dev/null 2>"$log" &
  pid=$!
  pids+=("$pid")
  wait_for 15 grep -q '^ordlen-trace tray-painted ' "$log" || { echo "$label: icon never painted" >&2; return 1; }
  wait_for 5 icon_docked || { echo "$label: icon not docked" >&2; return 1; }
  sleep 0.5
  click_icon
  wait_for 5 sh -c "[ \$(grep -c '^ordlen-trace frame ' '$log') -ge 1 ]" || { echo "$label: popover not drawn" >&2; return 1; }
  sleep 0.3
  click_icon
  sleep 0.3
  click_icon
  wait_for 5 sh -c "[ \$(grep -c '^ordlen-trace frame ' '$log') -ge 2 ]" || { echo "$label: popover not redrawn" >&2; return 1; }
  sleep 0.3
  click_icon
  sleep "$idle_seconds"
  local rss
  rss="$(awk '/^VmRSS:/ {print $2}' "/proc/$pid/status")"
  stop_pid "$pid"
  pids=("${pids[@]/$pid/}")
  wait_for 5 sh -c '! xwininfo -root -tree | grep -qE "^ {6,}0x[0-9a-f]+ \"[^\"]*\": \(\""' || true
  # Each frame belongs to the click before it.
  awk -v t0="$t0" -v rss="$rss" '
    $2 == "tray-painted" { painted = $3 }
    $2 == "click" { click = $3 }
    $2 == "frame" { frames[++n] = $3 - click }
    END { printf "%d %d %d %d\n", painted - t0, frames[1], frames[2], rss }' "$log" >>"$work/$label.results"
}

# A first run of each, not counted, creates Ordlen's store (a typical start
# opens an existing one) and brings both programs into the page cache.
measure "$app" ordlen
measure "$probe" probe
rm -f "$work/ordlen.results" "$work/probe.results"

for ((run = 1; run <= runs; run++)); do
  measure "$app" ordlen
  measure "$probe" probe
done

median() { # <file> <column>
  sort -n -k"$2" "$1" | awk -v c="$2" '{ v[NR] = $c } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

# Figures for scripts/bench.sh, each beside the floor's. Targets: the icon
# within 1.2 x the floor, re-opening under 16 ms, memory within 1.3 x.
figure() { # <name> <column> <divisor> <unit>
  local ours floor
  ours="$(median "$work/ordlen.results" "$2")"
  floor="$(median "$work/probe.results" "$2")"
  awk -v n="$1" -v a="$ours" -v p="$floor" -v d="$3" -v u="$4" \
    'BEGIN { printf "figure %s %.2f %s %.2f\n", n, a / d, u, p / d }'
}
figure startup.tray_icon 1 1000 ms
figure startup.first_open 2 1000 ms
figure startup.reopen 3 1000 ms
figure startup.idle_memory 4 1024 MB
# The first open beside our own re-open: target at most 16 ms more.
awk -v a="$(median "$work/ordlen.results" 2)" -v p="$(median "$work/ordlen.results" 3)" \
  'BEGIN { printf "figure startup.first_open_vs_reopen %.2f ms %.2f\n", a / 1000, p / 1000 }'
{
  echo "start-up on Xvfb + trayer, software Qt Quick; medians of $runs runs, memory after ${idle_seconds} s idle"
  echo "runs (exec->icon us, first open us, re-open us, RSS kB):"
  paste -d' ' <(sed 's/^/  Ordlen /' "$work/ordlen.results") <(sed 's/^/ | floor /' "$work/probe.results")
} >&2
