#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the project and runs every benchmark, printing one table.
# Usage: scripts/bench.sh [extra Google Benchmark arguments...]
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh >/dev/null
export QT_QPA_PLATFORM=offscreen
for bench in core_bench cli_batch_bench measured_bench gui_bench explorer_bench; do
  ./build/bench/$bench --benchmark_repetitions=3 --benchmark_report_aggregates_only=true "$@"
done 2>/dev/null | grep -E '^(Benchmark|BM_|-{10})' | awk '!/^Benchmark/ || !seen++'
