#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The WebAssembly build's tests: the core and workflow suites under node, and
# the node eh-antenna-cli against the one built for this machine on 2,000
# ordinary designs (every report text must agree) and 3,000 near the fault
# boundaries (counted; see docs/portability.md).
#
#   scripts/web-test.sh [BUILD_DIR]          (default BUILD_DIR: build-wasm)
#
# The machine's eh-antenna-cli in "build" is the reference; it is configured
# and built when missing.
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${1:-build-wasm}
host_build=build

bash scripts/install-deps.sh
if [ ! -f "$host_build/CMakeCache.txt" ]; then
  cmake -S . -B "$host_build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
fi
cmake --build "$host_build" --target eh-antenna-cli
reference=$PWD/$host_build/cli/antenna/eh-antenna-cli

bash scripts/web-build.sh "$build_dir" -DEH_BUILD_TESTS=ON -DEH_REFERENCE_CLI="$reference"
ctest --test-dir "$build_dir" --output-on-failure --parallel "$(nproc)" --timeout 900
bash tests/portability/batch-agreement.sh boundary 3000 "$reference" \
  node --no-experimental-fetch "$build_dir/cli/antenna/eh-antenna-cli.js"
