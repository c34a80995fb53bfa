#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing, builds everything and runs every test: the native
# build's suites, then the browser edition's page in headless Chromium.
#
#   scripts/test.sh [native]      the native suites only (CI runs the page apart)
set -euo pipefail
cd "$(dirname "$0")/.."
if [ $# -gt 1 ] || { [ $# -eq 1 ] && [ "$1" != native ]; }; then
  echo "usage: scripts/test.sh [native]" >&2
  exit 2
fi
bash scripts/install-deps.sh
bash scripts/build.sh
ctest --preset default --parallel "$(nproc)"
if [ $# -eq 0 ]; then
  # Its WebAssembly, its site and the page; the saved bytes are compared with
  # those of the native tool built above.
  bash scripts/web.sh test
fi
