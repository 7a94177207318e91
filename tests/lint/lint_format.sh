#!/usr/bin/env bash
# lint_format.sh <clang-format> <source root>
# Fails when a C++ file under src/, tests/, bench/ or tools/ differs from
# what clang-format makes of it with the repository's .clang-format.
set -uo pipefail

clang_format="$1"
cd "$2" || exit 1

if [ ! -x "$clang_format" ]; then
  echo "lint_format: clang-format was not found; install it (scripts/install-deps.sh)"
  exit 1
fi

mapfile -d '' files < <(find src tests bench tools \( -name '*.cpp' -o -name '*.h' \) -print0 | sort -z)
if [ "${#files[@]}" -eq 0 ]; then
  echo "lint_format: no C++ files found under $PWD"
  exit 1
fi

# One clang-format run for every file; it names each file it would change.
report="$("$clang_format" --dry-run --Werror "${files[@]}" 2>&1)"
status=$?
dirty="$(printf '%s\n' "$report" | sed -n 's/^\(.*\):[0-9]*:[0-9]*: error: .*/\1/p' | sort -u)"

if [ "$status" -eq 0 ] && [ -z "$dirty" ]; then
  echo "lint_format: ${#files[@]} files clean"
  exit 0
fi
if [ -z "$dirty" ]; then
  printf '%s\n' "$report"
  echo "lint_format: clang-format failed"
  exit 1
fi
while IFS= read -r file; do
  echo "lint_format: $file is not clang-format clean; run \`make format\`"
done <<< "$dirty"
exit 1
