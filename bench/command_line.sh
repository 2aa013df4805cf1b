#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Whole-process timings of the command line on a big file, side by side with
# `wc -l` on the same file in one run: `returnplot --report FILE`,
# `returnplot --export-events FILE > /dev/null` and `returnplot --help`, each
# REPEATS times in turn (default 15), medians of the wall time, and the
# ratios to `wc -l`. The file is the load benchmark's 1,000,000 lines.
# Measure on a quiet machine: the load average is printed with the figures.
# Usage: bench/command_line.sh [BUILD_DIR] [REPEATS]   (default build/release)
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${1:-$here/build/release}"
repeats="${2:-15}"
program="$build/bin/returnplot"
[ -x "$program" ] || { echo "no $program: build first (scripts/build Release)" >&2; exit 1; }
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
file="$work/performance.txt"
"$build/bin/bench_performance_file" "$file"

# Microseconds of one run of "$@", output dropped; bash's own clock, so no
# helper process is timed with it.
run_us() {
  local start=$EPOCHREALTIME
  "$@" > /dev/null 2>&1 || true
  local end=$EPOCHREALTIME
  echo $(( (${end/./} - ${start/./}) ))
}

names=(wc report export help)
declare -A samples
for name in "${names[@]}"; do samples[$name]=""; done
# A first round warms the page cache and the programs' pages.
wc -l "$file" > /dev/null; "$program" --report "$file" > /dev/null; "$program" --export-events "$file" > /dev/null
for ((i = 0; i < repeats; ++i)); do
  samples[wc]+="$(run_us wc -l "$file") "
  samples[report]+="$(run_us "$program" --report "$file") "
  samples[export]+="$(run_us "$program" --export-events "$file") "
  samples[help]+="$(run_us "$program" --help) "
done

median() { tr ' ' '\n' <<<"$1" | grep . | sort -n | awk '{v[NR] = $1} END {print v[int((NR + 1) / 2)]}'; }
declare -A med
for name in "${names[@]}"; do med[$name]=$(median "${samples[$name]}"); done
ms() { awk -v us="$1" 'BEGIN {printf "%.1f", us / 1000}'; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN {printf "%.1f", a / b}'; }

echo "file: $(wc -l < "$file") lines, $(( $(stat -c %s "$file") / 1000000 )) MB; $repeats runs each; load average: $(cut -d' ' -f1-3 /proc/loadavg)"
printf '%-40s %8s ms\n' "wc -l" "$(ms "${med[wc]}")"
printf '%-40s %8s ms  %5sx wc -l\n' "returnplot --report" "$(ms "${med[report]}")" "$(ratio "${med[report]}" "${med[wc]}")"
printf '%-40s %8s ms  %5sx wc -l\n' "returnplot --export-events > /dev/null" "$(ms "${med[export]}")" "$(ratio "${med[export]}" "${med[wc]}")"
printf '%-40s %8s ms\n' "returnplot --help" "$(ms "${med[help]}")"
