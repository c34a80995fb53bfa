#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the whole project for 64-bit ARM (arm64) on an amd64 Debian 12
# machine, runs its tests under user-mode QEMU (the windows offscreen),
# checks that the arm64 command-line tool reports ordinary designs exactly as
# the amd64 one does, and builds the arm64 Debian package and checks it with
# lintian.
#
#   scripts/cross-arm64.sh       (the "arm64" preset, into build-arm64)
#
# The arm64 libraries come from Debian through multiarch and install beside
# the amd64 ones; as root the script installs what is missing (idempotent:
# nothing is fetched when all is there). The amd64 eh-antenna-cli in "build"
# is the reference for the agreement check; it is built first when missing.
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=build-arm64
host_build=build
started=$(date +%s)

bash scripts/install-deps.sh native arm64
# The reference, unless the caller has built it already (CI, whose stages
# run side by side, builds it once before them).
if [ -z "${EH_REFERENCE_CLI_READY:-}" ]; then
  bash scripts/build.sh default eh-antenna-cli
fi
bash scripts/build.sh arm64
file "$build_dir/cli/antenna/eh-antenna-cli" | grep -q 'ARM aarch64' || {
  echo "cross-arm64: $build_dir/cli/antenna/eh-antenna-cli is not an arm64 program" >&2
  exit 1
}
built=$(date +%s)

# ---------------------------------------------------------------------------
# The tests under QEMU, one process per test program; the "arm64" test
# preset names those left out, and why.
ctest --preset arm64 --parallel "$(nproc)"
# The cases passed: GoogleTest's and QtTest's own counts.
cases=$(grep -hoE '^\[  PASSED  \] [0-9]+ test|^Totals: [0-9]+ passed' "$build_dir/Testing/Temporary/LastTest.log" |
  grep -oE '[0-9]+' | awk '{ n += $1 } END { print n + 0 }')
# Designs near the fault boundaries, where the two formats may part (counted,
# not required to agree; see docs/portability.md).
bash tests/portability/batch-agreement.sh boundary 3000 "$host_build/cli/antenna/eh-antenna-cli" \
  qemu-aarch64 "$build_dir/cli/antenna/eh-antenna-cli"
tested=$(date +%s)

# ---------------------------------------------------------------------------
# The arm64 package: dpkg-shlibdeps takes the dependencies from the arm64
# libraries when it is told the package's architecture.
rm -rf "$build_dir/package"
DEB_HOST_ARCH=arm64 cpack --config "$build_dir/CPackConfig.cmake" -G DEB -B "$build_dir/package"
deb=$(ls "$build_dir"/package/eh-antenna_*_arm64.deb)
dpkg-deb -f "$deb" Package Version Architecture Depends
lintian --fail-on error,warning "$deb"
packaged=$(date +%s)

echo "cross-arm64: built in $((built - started)) s; tested in $((tested - built)) s" \
  "($cases test cases passed); packaged in $((packaged - tested)) s: $(basename "$deb")"
