#!/usr/bin/env bash
# lint.sh format <clang-format> <source root>
# lint.sh qml <qmllint> <source root> <build folder>
# Fails when a C++ file under src/, tests/, bench/ or tools/ differs from what
# clang-format makes of it, or when qmllint warns about a QML file under src/,
# tests/ or tools/; names each such file. Files are found when it runs.
set -uo pipefail

mode="$1" tool="$2" build="${4:-}"
cd "$3" || exit 1
if [ ! -x "$tool" ]; then
  echo "lint_$mode: the $mode checker was not found; install it (scripts/install-deps.sh)"
  exit 1
fi

if [ "$mode" = format ]; then
  mapfile -d '' files < <(find src tests bench tools \( -name '*.cpp' -o -name '*.h' \) -print0 | sort -z)
else
  mapfile -d '' files < <(find src tests tools -name '*.qml' -print0 | sort -z)
fi
if [ "${#files[@]}" -eq 0 ]; then
  echo "lint_$mode: no files found under $PWD"
  exit 1
fi

if [ "$mode" = format ]; then
  report="$("$tool" --dry-run --Werror "${files[@]}" 2>&1)"
  status=$?
  bad="$(printf '%s\n' "$report" | sed -n 's/^\(.*\):[0-9]*:[0-9]*: error: .*/\1/p' | sort -u)"
  advice='is not clang-format clean; run `make format`'
else
  # (--ignore-settings would be stricter, but in Qt 6.4 it drops the -I paths.)
  report="$("$tool" -I "$build" "${files[@]}" 2>&1)"
  status=$?
  bad="$(printf '%s\n' "$report" | sed -n 's/^Warning: \([^:]*\.qml\).*/\1/p' | sort -u)"
  advice='has qmllint warnings (above)'
  [ -z "$bad" ] || printf '%s\n' "$report"
fi
if [ "$status" -eq 0 ] && [ -z "$bad" ]; then
  echo "lint_$mode: ${#files[@]} files clean"
  exit 0
fi
[ -n "$bad" ] || { printf '%s\n' "$report"; echo "lint_$mode: the checker failed"; exit 1; }
while IFS= read -r file; do echo "lint_$mode: $file $advice"; done <<< "$bad"
exit 1
