#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# bench/plot_cpu.sh [BUILD]: the plot window's CPU over 10 s with nothing to
# do, auto-rotation off and on (bench_plot_cpu), under Xvfb on Mesa's
# software renderer (llvmpipe), as a share of one core. BUILD defaults to
# build/release.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${1:-$here/build/release}"
export LIBGL_ALWAYS_SOFTWARE=1 GALLIUM_DRIVER=llvmpipe
exec xvfb-run -a -s "-screen 0 1280x1024x24" "$build/bin/bench_plot_cpu" --benchmark_counters_tabular=true
