#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the tests with AddressSanitizer and UndefinedBehaviorSanitizer in a
# build folder of their own (build-sanitize) and runs them. Any report fails.
# The sanitizers' settings are the "sanitize" test preset's.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh sanitize
ctest --preset sanitize --parallel "$(nproc)"
