#!/usr/bin/env bash
# lint_qml.sh <qmllint> <source root> <build folder>
# Fails on any qmllint warning in a QML file under src/, tests/ or tools/,
# naming each file that has one.
set -uo pipefail

qmllint="$1"
build="$3"
cd "$2" || exit 1

if [ ! -x "$qmllint" ]; then
  echo "lint_qml: qmllint was not found; install qt6-declarative-dev-tools (scripts/install-deps.sh)"
  exit 1
fi

mapfile -d '' files < <(find src tests tools -name '*.qml' -print0 | sort -z)
if [ "${#files[@]}" -eq 0 ]; then
  echo "lint_qml: no QML files found under $PWD"
  exit 1
fi

# (--ignore-settings would be stricter, but in Qt 6.4 it drops the -I paths.)
report="$("$qmllint" -I "$build" "${files[@]}" 2>&1)"
status=$?
warned="$(printf '%s\n' "$report" | sed -n 's/^Warning: \([^:]*\.qml\).*/\1/p' | sort -u)"

if [ "$status" -eq 0 ] && [ -z "$warned" ]; then
  echo "lint_qml: ${#files[@]} files clean"
  exit 0
fi
printf '%s\n' "$report"
if [ -z "$warned" ]; then
  echo "lint_qml: qmllint failed"
  exit 1
fi
while IFS= read -r file; do
  echo "lint_qml: $file has qmllint warnings (above)"
done <<< "$warned"
exit 1
