# SPDX-License-Identifier: GPL-3.0-or-later
# Cross-compiles for 64-bit ARM Linux (arm64) on a Debian machine whose arm64
# libraries are installed through multiarch beside its own (see
# scripts/cross-arm64.sh): the cross compiler and CMake then find them under
# /usr/lib/aarch64-linux-gnu without a separate system root.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR aarch64)
set(CMAKE_LIBRARY_ARCHITECTURE aarch64-linux-gnu)

set(CMAKE_C_COMPILER aarch64-linux-gnu-gcc)
set(CMAKE_CXX_COMPILER aarch64-linux-gnu-g++)

# Tests and test discovery run the arm64 programs through user-mode QEMU; the
# arm64 dynamic loader and libraries come from the multiarch folders.
find_program(EH_QEMU_AARCH64 qemu-aarch64 REQUIRED)
set(CMAKE_CROSSCOMPILING_EMULATOR "${EH_QEMU_AARCH64}")

# Qt runs its code generators (moc, rcc, uic) on the build machine: the
# amd64 tools of qt6-base-dev-tools and their CMake packages.
if(NOT DEFINED QT_HOST_PATH)
  set(QT_HOST_PATH /usr CACHE PATH "Prefix of the build machine's Qt")
endif()
if(NOT DEFINED QT_HOST_PATH_CMAKE_DIR)
  execute_process(COMMAND dpkg-architecture -qDEB_BUILD_MULTIARCH
                  OUTPUT_VARIABLE eh_build_multiarch OUTPUT_STRIP_TRAILING_WHITESPACE)
  set(QT_HOST_PATH_CMAKE_DIR "/usr/lib/${eh_build_multiarch}/cmake" CACHE PATH "CMake packages of the build machine's Qt")
endif()

# The package describes arm64 and takes its library dependencies from the
# arm64 libraries.
set(CPACK_DEBIAN_PACKAGE_ARCHITECTURE arm64)
