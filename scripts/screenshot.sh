#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs the windows under a virtual X server, calculates the first example
# (14.2 MHz, 50 mm cylinders, L/D 3, 1 mm wire, 2 mm pitch, 50 mm turns) and
# writes docs/screenshot-main.png, docs/screenshot-help.png,
# docs/screenshot-about.png and docs/screenshot-explorer.png.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh build >/dev/null
mkdir -p docs
root=$(pwd)
# The help document is found in the working folder; a Russian locale gives
# the decimal comma a Russian user sees.
(cd build/ui && xvfb-run -a -s "-screen 0 1280x1024x24 -dpi 96" \
  env QT_QPA_PLATFORM=xcb LANG=ru_RU.UTF-8 "$root/build/tests/gui/screenshot-tool" "$root/docs")
echo "wrote docs/screenshot-main.png, docs/screenshot-help.png, docs/screenshot-about.png, docs/screenshot-explorer.png"
