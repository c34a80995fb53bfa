#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the Debian packages the project needs, by group:
#
#   scripts/install-deps.sh [GROUP...]
#
#   native    (the default) build, test and run the program and the tool
#   web       the WebAssembly build and the page's site (emscripten, node)
#   browser   headless Chromium, for the page's tests, figures and pictures
#   arm64     the cross build for 64-bit ARM and its tests under QEMU
#
# Idempotent: packages already present are left alone, and the package lists
# are refreshed only when something is missing (scripts/ensure-packages.sh).
set -euo pipefail

native=(
  # toolchain, and a compiler cache that the build uses when it is there
  g++ cmake ninja-build pkg-config make ccache
  # libraries
  qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins libgl-dev
  qt6-charts-dev qt6-svg-dev qt6-translations-l10n
  # Qt Charts finds its OpenGL module through this package's CMake files
  libqt6opengl6-dev
  libcli11-dev nlohmann-json3-dev libfmt-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  # fuzzing and sanitizers
  clang libclang-rt-dev
  # fonts: the metric-compatible "MS Sans Serif" and Tahoma, a general fallback
  fonts-wine fonts-dejavu-core
  # running the window without a display (screenshots), and the build
  # sheet's first page rendered for them
  xvfb xauth poppler-utils
  # the screen-reader test: the accessibility bus (at-spi-bus-launcher and
  # the registry), a private session bus for it, and the Python client that
  # reads the tree as Orca does
  at-spi2-core dbus-daemon python3-pyatspi
  # packaging: cpack's .deb (dpkg-shlibdeps, file) and the packaging tests
  dpkg-dev file desktop-file-utils appstream groff-base xdotool lintian
  # the tool's manual page, written from its --help at build time
  help2man
)
web=(
  cmake ninja-build emscripten
  # emscripten's optimiser (run at -O2 and above) loads acorn from Debian's
  # node modules
  node-acorn
  # GoogleTest built from its sources for WebAssembly; the header-only libraries
  googletest libfmt-dev libcli11-dev nlohmann-json3-dev
)
# A node and npm installed some other way serve as well as Debian's.
command -v node >/dev/null || web+=(nodejs)
command -v npm >/dev/null || web+=(npm)
browser=(chromium)
arm64=(g++-aarch64-linux-gnu binutils-aarch64-linux-gnu qemu-user)
# The libraries of the arm64 build, through multiarch beside the amd64 ones
# (libqt6opengl6-dev: Debian's Qt6Charts CMake files ask for Qt6OpenGL's;
# libfmt-dev: header-only, but its CMake files are the architecture's own).
for p in qt6-base-dev qt6-qpa-plugins libgl-dev qt6-charts-dev qt6-svg-dev libqt6opengl6-dev \
         libgtest-dev libgmock-dev libbenchmark-dev libfmt-dev; do
  arm64+=("$p:arm64")
done

packages=()
for group in "${@:-native}"; do
  case $group in
    native) packages+=("${native[@]}") ;;
    web) packages+=("${web[@]}") ;;
    browser) packages+=("${browser[@]}") ;;
    arm64) packages+=("${arm64[@]}") ;;
    *) echo "usage: scripts/install-deps.sh [native|web|browser|arm64]..." >&2; exit 2 ;;
  esac
done

bash "$(dirname "$0")/ensure-packages.sh" install-deps "${packages[@]}"
