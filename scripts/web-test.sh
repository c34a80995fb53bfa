#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The WebAssembly build's tests: the core and workflow suites under node, and
# the node eh-antenna-cli against the one built for this machine on 2,000
# ordinary designs (every report text must agree) and 3,000 near the fault
# boundaries (counted; see docs/portability.md).
#
#   scripts/web-test.sh
#
# The machine's eh-antenna-cli in "build" is the reference; it is built
# first when missing.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh native web
# The reference, unless the caller has built it already (CI, whose stages
# run side by side, builds it once before them).
if [ -z "${EH_REFERENCE_CLI_READY:-}" ]; then
  bash scripts/build.sh default eh-antenna-cli
fi
bash scripts/web-build.sh
ctest --preset wasm --parallel "$(nproc)"
bash tests/portability/batch-agreement.sh boundary 3000 build/cli/antenna/eh-antenna-cli \
  node --no-experimental-fetch build-wasm/cli/antenna/eh-antenna-cli.js
