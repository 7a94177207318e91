#!/usr/bin/env bash
# Runs every benchmark program under <build>/bench and prints their figures
# as one table, one line per figure:
#   name  value  unit  baseline  ratio
# where the baseline is the floor the figure is compared with, measured in
# the same run ("-" when it has none), and the ratio is value / baseline.
# Progress goes to standard error. A benchmark program that fails or prints
# no figures makes the whole run fail, after the table of what was measured.
#
# The programs print their figures on standard output as lines
#   figure <name> <value> <unit> <baseline or ->
# and anything else on standard error.
set -euo pipefail

build="${1:-build}"
work="$(mktemp -d "${TMPDIR:-/tmp}/ordlen-bench.XXXXXX")"
trap 'rm -rf "$work"' EXIT
: >"$work/figures"

failed=0
found=0
for program in "$build"/bench/ordlen_bench_*; do
  # The folder also holds CMake's ordlen_bench_*_autogen directories.
  [ -f "$program" ] && [ -x "$program" ] || continue
  found=$((found + 1))
  name="$(basename "$program")"
  echo "bench: running $name" >&2
  started=$SECONDS
  status=0
  "$program" >"$work/out" || status=$?
  echo "bench: $name took $((SECONDS - started)) s" >&2
  grep -v '^figure ' "$work/out" >&2 || true
  if [ "$status" -ne 0 ]; then
    echo "bench: FAILED: $name exited with status $status" >&2
    failed=1
  elif ! grep -q '^figure ' "$work/out"; then
    echo "bench: FAILED: $name printed no figures" >&2
    failed=1
  fi
  grep '^figure ' "$work/out" >>"$work/figures" || true
done

if [ "$found" -eq 0 ]; then
  echo "bench: FAILED: no benchmark programs in $build/bench; build with ORDLEN_BUILD_BENCH=ON" >&2
  exit 1
fi

awk '
  function row(name, value, unit, baseline, ratio) {
    printf "%-24s %10s %-4s %10s %6s\n", name, value, unit, baseline, ratio
  }
  BEGIN { row("name", "value", "unit", "baseline", "ratio") }
  { row($2, $3, $4, $5, ($5 == "-" || $5 == 0) ? "-" : sprintf("%.2f", $3 / $5)) }
' "$work/figures"

if [ "$failed" -ne 0 ]; then
  echo "bench: FAILED: see the lines above" >&2
  exit 1
fi
