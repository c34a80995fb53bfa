#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the tests with AddressSanitizer and UndefinedBehaviorSanitizer in a
# build folder of their own (build-sanitize) and runs them. Any report fails.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh build-sanitize -DEH_SANITIZE=ON -DEH_BUILD_BENCH=OFF -DCMAKE_BUILD_TYPE=RelWithDebInfo
export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=abort_on_error=1:strict_string_checks=1:detect_stack_use_after_return=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export LSAN_OPTIONS="suppressions=$(pwd)/tests/lsan.supp:print_suppressions=0"
# The packaging tests check the release package, not the instrumented build.
ctest --test-dir build-sanitize --output-on-failure --parallel "$(nproc)" --timeout 600 -LE packaging
