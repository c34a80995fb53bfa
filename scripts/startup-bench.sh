#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Start-up of the window program against a bare Qt Widgets window, both from
# starting the process to the main window mapped, under one virtual X server:
# PAIRS runs of each, alternating; the medians of the wall-clock time and of
# the processor time the program used until then, and their ratios. With
# PREVIOUS (another build's eh-antenna, copied into build/ui under another
# name so that it finds the help document), that build runs in the same
# rounds as a third column.
# Usage: scripts/startup-bench.sh [PAIRS [PREVIOUS]]   (PAIRS defaults to 15)
set -euo pipefail
cd "$(dirname "$0")/.."
pairs=${1:-15}
previous=${2:-}
bash scripts/install-deps.sh
bash scripts/build.sh >/dev/null
cmake --build build --target eh-antenna bare-window startup-timer >/dev/null
export QT_QPA_PLATFORM=xcb
# The window program finds its help document in the working folder.
cd build/ui
xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
  timer=../bench/startup-timer
  # One warm-up run of each fills the page cache and the font caches.
  $timer ./eh-antenna >/dev/null; $timer ../bench/bare-window >/dev/null
  previous='"${previous@Q}"'
  [[ -z $previous ]] || $timer "$previous" >/dev/null
  for ((i = 0; i < '"$pairs"'; i++)); do
    echo "program $($timer ./eh-antenna)"
    echo "bare $($timer ../bench/bare-window)"
    [[ -z $previous ]] || echo "previous $($timer "$previous")"
  done' 2>/dev/null | awk '
  { n = ++count[$1]; wall[$1, n] = $2; cpu[$1, n] = $3 }
  function median(times, kind,   n, i, j, t, a) {
    n = count[kind]
    for (i = 1; i <= n; i++) a[i] = times[kind, i]
    for (i = 2; i <= n; i++) { t = a[i]; for (j = i - 1; j >= 1 && a[j] > t; j--) a[j + 1] = a[j]; a[j + 1] = t }
    return n % 2 ? a[(n + 1) / 2] : (a[n / 2] + a[n / 2 + 1]) / 2
  }
  END {
    pw = median(wall, "program"); bw = median(wall, "bare")
    pc = median(cpu, "program"); bc = median(cpu, "bare")
    printf "medians of %d runs each   wall-clock   processor\n", count["program"]
    printf "window program            %7.1f ms   %7.1f ms\n", pw, pc
    printf "bare Qt window            %7.1f ms   %7.1f ms\n", bw, bc
    printf "ratio                     %7.2f      %7.2f\n", pw / bw, pc / bc
    if (count["previous"]) {
      vw = median(wall, "previous"); vc = median(cpu, "previous")
      printf "previous build            %7.1f ms   %7.1f ms\n", vw, vc
      printf "its ratio                 %7.2f      %7.2f\n", vw / bw, vc / bc
    }
  }'
