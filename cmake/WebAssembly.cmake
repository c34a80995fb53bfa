# SPDX-License-Identifier: GPL-3.0-or-later
# The WebAssembly build (emscripten): text/, core/ and workflow/, their
# GoogleTest suites run under node, and web/ when it is there. Configure it
# with emcmake (scripts/web-build.sh does).

# The model reports its faults as C++ exceptions; emscripten leaves them out
# unless both the compiler and the linker are told.
add_compile_options(-fexceptions)
add_link_options(-fexceptions -sALLOW_MEMORY_GROWTH=1)

# Node 18 fetches the .wasm through its experimental fetch(), which cannot
# read a file: read it from the file system instead.
find_program(EH_NODE NAMES node nodejs REQUIRED)
set(CMAKE_CROSSCOMPILING_EMULATOR "${EH_NODE};--no-experimental-fetch" CACHE STRING
    "Runs the WebAssembly programs" FORCE)

# {fmt} is header-only: its headers from Debian's libfmt-dev, copied apart so
# that the build machine's other headers stay out of sight.
find_path(EH_FMT_INCLUDE_DIR fmt/format.h PATHS /usr/include NO_CMAKE_FIND_ROOT_PATH REQUIRED)
file(COPY ${EH_FMT_INCLUDE_DIR}/fmt DESTINATION ${CMAKE_BINARY_DIR}/fmt-include)
add_library(fmt::fmt-header-only INTERFACE IMPORTED GLOBAL)
set_target_properties(fmt::fmt-header-only PROPERTIES
  INTERFACE_INCLUDE_DIRECTORIES ${CMAKE_BINARY_DIR}/fmt-include
  # The program never asks {fmt} for a locale's digit grouping; without this
  # {fmt} reaches for std::locale, which pulls every facet of the C++
  # library's locales into the WebAssembly (about 130 KB).
  INTERFACE_COMPILE_DEFINITIONS "FMT_HEADER_ONLY=1;FMT_STATIC_THOUSANDS_SEPARATOR=1")

add_subdirectory(text)
add_subdirectory(core)
add_subdirectory(workflow)
if(EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/web/CMakeLists.txt)
  add_subdirectory(web)
endif()

if(EH_BUILD_TESTS)
  enable_testing()
  add_subdirectory(tests/support)
  add_subdirectory(tests)
endif()
