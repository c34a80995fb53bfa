#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs the windows under a virtual X server, calculates the first example
# (14.2 MHz, 50 mm cylinders, L/D 3, 1 mm wire, 2 mm pitch, 50 mm turns) and
# writes docs/screenshot-{main,help,about,explorer,save}.png on an unscaled screen
# and docs/screenshot-{main,help,about,explorer,save}-200.png on a screen scaled to
# 200 %.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh build >/dev/null
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
echo "wrote docs/screenshot-{main,help,about,explorer,save}.png and docs/screenshot-{main,help,about,explorer,save}-200.png"
