#!/usr/bin/env bash
# Runs every benchmark under bench/ and prints its figures.
set -euo pipefail
build="$1"
for b in "$build"/bench/ordlen_bench_*; do
  [ -x "$b" ] || continue
  echo "== $(basename "$b")"
  "$b"
done
