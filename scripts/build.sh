#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds one configuration of CMakePresets.json into its folder ("build" for
# the default, build-PRESET for the others), configuring it first when the
# folder has none or CMakePresets.json changed since; after that, building
# configures again by itself only when a CMakeLists.txt changes.
#
#   scripts/build.sh [PRESET [TARGET...]]      (default PRESET: default)
set -euo pipefail
cd "$(dirname "$0")/.."
preset=${1:-default}
shift || true
build_dir=build-$preset
if [ "$preset" = default ]; then
  build_dir=build
fi
if [ ! -f "$build_dir/CMakeCache.txt" ] || [ CMakePresets.json -nt "$build_dir/CMakeCache.txt" ]; then
  cmake --preset "$preset"
fi
if [ $# -gt 0 ]; then
  cmake --build --preset "$preset" --target "$@"
else
  cmake --build --preset "$preset"
fi
