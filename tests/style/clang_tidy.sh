#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs clang-tidy with the project's .clang-tidy (names and a few fault
# checks) over every source file of src/, as built in BUILD_DIR; any warning
# fails, and so does a machine without clang-tidy.
#   clang_tidy.sh BUILD_DIR SOURCE_DIR            the whole of src/
#   clang_tidy.sh --expect-failure FILE           one file that must be refused
set -uo pipefail
tidy="$(command -v clang-tidy || command -v clang-tidy-14 || true)"
if [ -z "$tidy" ]; then
  echo "clang-tidy is not installed (scripts/setup installs it): the style check cannot run" >&2
  exit 1
fi
if [ "${1:-}" = "--expect-failure" ]; then
  # A file outside the build: its own flags, the project's configuration.
  out="$("$tidy" --quiet "$2" -- -std=c++20 2>&1)"
  status=$?
  echo "$out"
  if [ $status -eq 0 ] || ! grep -q 'readability-identifier-naming' <<<"$out"; then
    echo "clang-tidy accepted $2, which breaks the naming rules" >&2
    exit 1
  fi
  exit 0
fi
build="$1"; source="$2"
runner="$(command -v run-clang-tidy || command -v run-clang-tidy-14 || true)"
if [ -z "$runner" ]; then
  echo "run-clang-tidy is not installed (it comes with clang-tidy)" >&2
  exit 1
fi
log="$(mktemp)"
trap 'rm -f "$log"' EXIT
"$runner" -clang-tidy-binary "$tidy" -p "$build" -j "$(nproc)" -quiet "^$source/src/.*\\.cpp\$" >"$log" 2>&1
status=$?
if [ $status -ne 0 ] || grep -qE '(warning|error):' "$log"; then
  grep -E -A3 '(warning|error):' "$log" | sed 's/\x1b\[[0-9;]*m//g' | head -200
  echo "clang-tidy found problems in src/ (see docs/CONTRIBUTING.md)" >&2
  exit 1
fi
echo "clang-tidy: src/ is clean"
