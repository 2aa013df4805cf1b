# shellcheck shell=bash
# SPDX-License-Identifier: GPL-3.0-or-later
# What scripts/run and scripts/test share, sourced by both: each step is said
# before it is done, so that a first run that takes minutes never looks hung.

# say TEXT...: one line on standard error, after the script's name.
say() { echo "scripts/$(basename "$0"): $*" >&2; }

# configure DIR WHAT CMAKE-OPTIONS...: configures the build folder DIR (its
# own for each script, so that neither rebuilds what the other built).
configure() {
  local dir="$1" what="$2"
  shift 2
  say "configuring $what in ${dir#"$here"/}"
  cmake -S "$here" -B "$dir" -G Ninja "$@" >/dev/null
}

# build_steps DIR [TARGET...]: how many build steps (compiles, links,
# generated files) are left to make TARGETs (default: everything) in DIR.
# Ninja's dry run on build.ninja itself would stop at the check of the globbed
# folders; a manifest that only includes it has no such rule.
build_steps() {
  local dir="$1"
  shift
  (cd "$dir" && ninja -f <(echo "include build.ninja") -n "$@" | grep -c '^\[') || true
}

# build DIR WHAT [TARGET...]: builds TARGETs (default: everything) in DIR,
# saying first how many steps that takes.
build() {
  local dir="$1" what="$2"
  shift 2
  local steps jobs
  steps="$(build_steps "$dir" "$@")"
  jobs="$(nproc)"
  if [ "$steps" -eq 0 ]; then
    say "$what: already built"
  else
    say "building $what: $steps steps, $jobs at a time (a first build takes minutes)"
  fi
  if [ $# -eq 0 ]; then
    cmake --build "$dir" -j "$jobs"
  else
    cmake --build "$dir" -j "$jobs" --target "$@"
  fi
}
