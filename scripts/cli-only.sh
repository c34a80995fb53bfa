#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds and tests the command-line-only edition, as a server or a headless
# Raspberry Pi installs it: no window, and of Qt only the Core library (the
# region's decimal separator). Qt's Gui, Widgets, Charts, Svg and Test
# packages are hidden from CMake, so the build proves it needs none of them;
# rtf2text, which needs Qt Gui, is left out here.
#
#   scripts/cli-only.sh [BUILD_DIR] [extra cmake arguments...]
#                                           (default BUILD_DIR: build-cli-only)
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${1:-build-cli-only}
shift || true
hidden=()
for package in Qt6Gui Qt6Widgets Qt6Charts Qt6Svg Qt6Test Qt6PrintSupport Qt6Concurrent; do
  hidden+=("-DCMAKE_DISABLE_FIND_PACKAGE_$package=ON")
done
cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DEH_BUILD_GUI=OFF \
  --no-warn-unused-cli "${hidden[@]}" "$@"
cmake --build "$build_dir" --parallel "$(nproc)"

ctest --test-dir "$build_dir" --parallel "$(nproc)" --timeout 300 --output-on-failure
