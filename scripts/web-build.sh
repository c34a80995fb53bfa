#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds text/, core/, workflow/ and web/ for WebAssembly with Debian's
# emscripten, and their test suites, which ctest runs under node: the "wasm"
# preset, into build-wasm.
#
#   scripts/web-build.sh [TARGET...]       (default: everything)
#   ctest --preset wasm
#
# Installs what is missing (as root): emscripten, node and acorn, which
# emscripten's optimiser needs, GoogleTest's sources, the header-only
# libraries. The preset gives the build NODE_PATH=/usr/share/nodejs for
# acorn; building with ninja directly needs it in the environment.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh web
bash scripts/build.sh wasm "$@"
