#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Timings of the Python module beside the program's: `import returnplot` in
# a fresh python3 (the import alone, timed inside the interpreter; it must
# stay under 100 ms; NumPy, which the first array imports, beside it), and read() of a large performance against
# `returnplot --export-events FILE > /dev/null` on the same file (the load
# benchmark's 1,000,000 lines, and a Vienna 4x22 match file when the shared
# data is there). Medians of REPEATS runs (default 9); measure on a quiet
# machine: the load average is printed with the figures.
# Usage: bench/python_module.sh [BUILD_DIR] [REPEATS]   (default build/release)
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${1:-$here/build/release}"
repeats="${2:-9}"
program="$build/bin/returnplot"
export PYTHONPATH="$build/lib/python3/dist-packages"
for f in "$program" "$build/bin/bench_performance_file"; do
  [ -x "$f" ] || { echo "no $f: build returnplot, returnplot_python and bench_performance_file first" >&2; exit 1; }
done
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
file="$work/performance.txt"
"$build/bin/bench_performance_file" "$file"
files=("$file")
match="$here/../shared/data/vienna4x22/match/Chopin_op10_no3_p01.match"
[ -f "$match" ] && files+=("$match")

/usr/bin/python3 - "$program" "$repeats" "${files[@]}" <<'EOF'
import os, statistics, subprocess, sys, time
program, repeats, files = sys.argv[1], int(sys.argv[2]), sys.argv[3:]

def median_ms(run):
    run()  # warms the page cache
    return statistics.median(run() for _ in range(repeats))

def import_ms(modules="returnplot"):
    code = f"import time; t = time.perf_counter(); import {modules}; print((time.perf_counter() - t) * 1e3)"
    return float(subprocess.run([sys.executable, "-c", code], capture_output=True, text=True, check=True).stdout)

def export_ms(path):
    t = time.perf_counter()
    subprocess.run([program, "--export-events", path], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    return (time.perf_counter() - t) * 1e3

import returnplot
def read_ms(path):
    t = time.perf_counter()
    returnplot.read(path).events
    return (time.perf_counter() - t) * 1e3

print(f"load average {os.getloadavg()[0]:.2f}, {repeats} runs each, medians")
print(f"import returnplot: {median_ms(import_ms):.1f} ms (limit 100 ms)")
# NumPy is imported by the first array the module makes.
print(f"import numpy, returnplot: {median_ms(lambda: import_ms('numpy, returnplot')):.1f} ms")
for path in files:
    events = len(returnplot.read(path))
    r, e = median_ms(lambda: read_ms(path)), median_ms(lambda: export_ms(path))
    print(f"{os.path.basename(path)} ({events} events): read().events {r:.1f} ms, "
          f"--export-events {e:.1f} ms, ratio {r / e:.2f}")
if len(files) > 1:
    print("Data: Vienna 4x22 Piano Corpus, W. Goebl (1999), doi:10.21939/4X22, CC BY 4.0")
EOF
