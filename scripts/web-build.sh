#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds text/, core/, workflow/ (and web/ when it is there) for WebAssembly
# with Debian's emscripten, and their test suites, which ctest runs under node.
#
#   scripts/web-build.sh [BUILD_DIR] [extra cmake arguments...]
#                                            (default BUILD_DIR: build-wasm)
#   ctest --test-dir build-wasm
#
# As root it installs what is missing (emscripten, node and acorn, which
# emscripten's optimiser needs, GoogleTest's sources, the header-only
# libraries). Building with ninja directly afterwards needs
# NODE_PATH=/usr/share/nodejs in the environment (see below).
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${1:-build-wasm}
shift || true

packages=(cmake ninja-build emscripten nodejs node-acorn googletest libfmt-dev libcli11-dev nlohmann-json3-dev)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
# A node installed some other way serves as well as Debian's.
if command -v node >/dev/null; then
  missing=("${missing[@]/nodejs/}")
fi
missing=($(printf '%s\n' "${missing[@]}" | grep . || true))
if [ ${#missing[@]} -ne 0 ]; then
  if [ "$(id -u)" -ne 0 ]; then
    echo "web-build: these packages are missing: ${missing[*]}" >&2
    echo "web-build: run this script as root (or with sudo) to install them" >&2
    exit 1
  fi
  export DEBIAN_FRONTEND=noninteractive
  apt-get -o DPkg::Lock::Timeout=600 update
  apt-get -o DPkg::Lock::Timeout=600 install -y --no-install-recommends "${missing[@]}"
fi

# emscripten's optimiser (run at -O2 and above) loads acorn from Debian's
# node modules.
export NODE_PATH=/usr/share/nodejs${NODE_PATH:+:$NODE_PATH}
emcmake cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=Release "$@"
cmake --build "$build_dir" --parallel "$(nproc)"
