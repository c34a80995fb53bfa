#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs the windows under a virtual X server, calculates the first example
# (14.2 MHz, 50 mm cylinders, L/D 3, 1 mm wire, 2 mm pitch, 50 mm turns) and
# writes docs/screenshot-{main,help,about,explorer,save,...}.png on an
# unscaled screen and docs/screenshot-{...}-200.png on a screen scaled to
# 200 %: the explorer also with six, twelve and all outputs, with three pinned designs, with
# its band coverage table, with a solve for a target, and its build sheet's
# first page, and the measurement view of a sweep of the built antenna (and
# its points as a table) and
# that sweep over the explorer's frequency chart.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh >/dev/null
mkdir -p docs
root=$(pwd)
# The help document is found in the working folder; a Russian locale gives
# the decimal comma a Russian user sees.
shoot() { # scale, file name suffix
  (cd build/ui && xvfb-run -a -s "-screen 0 2560x2048x24" \
    env QT_QPA_PLATFORM=xcb QT_SCALE_FACTOR="$1" LANG=ru_RU.UTF-8 \
    "$root/build/tests/gui/screenshot-tool" "$root/docs" "$2")
}
shoot 1 ""
shoot 2 "-200"
# The main window, Help, the measurement view and the explorer (and its
# search over the cylinder diameter) in English with the lengths in inches:
# an American desktop, the first example typed in inches.
shoot_english() { # scale, file name suffix
  local shots
  shots=$(mktemp -d)
  (cd build/ui && xvfb-run -a -s "-screen 0 2560x2048x24" \
    env QT_QPA_PLATFORM=xcb QT_SCALE_FACTOR="$1" LANG=en_US.UTF-8 LC_ALL=en_US.UTF-8 \
    "$root/build/tests/gui/screenshot-tool" "$shots" "$2" --inches)
  for window in main help measurement explorer explorer-solve; do
    mv "$shots/screenshot-$window$2.png" docs/
  done
  rm -r "$shots"
}
shoot_english 1 "-en-inches"
shoot_english 2 "-en-inches-200"
# The build sheet's first page at screen resolution and twice that.
pdftoppm -png -singlefile -r 96 docs/buildsheet.pdf docs/screenshot-buildsheet
pdftoppm -png -singlefile -r 192 docs/buildsheet-200.pdf docs/screenshot-buildsheet-200
rm docs/buildsheet.pdf docs/buildsheet-200.pdf
echo "wrote docs/screenshot-{main,help,about,save,explorer,explorer-six,explorer-twelve,explorer-all,explorer-pinned,explorer-bands,explorer-solve,buildsheet,measurement,points,explorer-measured}{,-200}.png"
echo "wrote docs/screenshot-{main,help,measurement,explorer,explorer-solve}-en-inches{,-200}.png"
