#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds and tests the command-line-only edition, as a server or a headless
# Raspberry Pi installs it: no window, and of Qt only the Core library (the
# region's decimal separator). The "cli-only" preset hides Qt's Gui, Widgets,
# Charts, Svg and Test packages from CMake, so the build proves it needs none
# of them; rtf2text, which needs Qt Gui, is left out here. Into build-cli-only.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh cli-only
ctest --preset cli-only --parallel "$(nproc)"
