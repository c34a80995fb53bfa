#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs every Debian package the project needs to build, test and run.
# Idempotent: packages already present are left alone, and the package lists
# are refreshed only when something is missing (scripts/ensure-packages.sh).
set -euo pipefail

packages=(
  # toolchain
  g++ cmake ninja-build pkg-config make
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
  # packaging: cpack's .deb (dpkg-shlibdeps, file) and the packaging tests
  dpkg-dev file desktop-file-utils appstream groff-base xdotool lintian
  # the tool's manual page, written from its --help at build time
  help2man
)

bash "$(dirname "$0")/ensure-packages.sh" install-deps "${packages[@]}"
