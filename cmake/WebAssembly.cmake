# SPDX-License-Identifier: GPL-3.0-or-later
# The WebAssembly build (emscripten): text/, core/ and workflow/, their
# GoogleTest suites run under node, eh-antenna-cli for node, and web/ when it
# is there. Configure it through the "wasm" preset (scripts/web-build.sh does).

# The model reports its faults as C++ exceptions; emscripten leaves them out
# unless both the compiler and the linker are told.
add_compile_options(-fexceptions)
add_link_options(-fexceptions -sALLOW_MEMORY_GROWTH=1)

# Node 18 fetches the .wasm through its experimental fetch(), which cannot
# read a file: read it from the file system instead.
find_program(EH_NODE NAMES node nodejs REQUIRED)
set(CMAKE_CROSSCOMPILING_EMULATOR "${EH_NODE};--no-experimental-fetch" CACHE STRING
    "Runs the WebAssembly programs" FORCE)

# The header-only libraries come from Debian's packages, their folders copied
# apart so that the build machine's other headers stay out of sight.
function(eh_header_only_library target folder)
  find_path(eh_${folder}_include_dir ${folder} PATHS /usr/include NO_CMAKE_FIND_ROOT_PATH NO_DEFAULT_PATH REQUIRED)
  file(COPY ${eh_${folder}_include_dir}/${folder} DESTINATION ${CMAKE_BINARY_DIR}/header-only)
  add_library(${target} INTERFACE IMPORTED GLOBAL)
  set_target_properties(${target} PROPERTIES INTERFACE_INCLUDE_DIRECTORIES ${CMAKE_BINARY_DIR}/header-only
                                             INTERFACE_COMPILE_DEFINITIONS "${ARGN}")
endfunction()
# The program never asks {fmt} for a locale's digit grouping; without
# FMT_STATIC_THOUSANDS_SEPARATOR {fmt} reaches for std::locale, which pulls
# every facet of the C++ library's locales into the WebAssembly (about 130 KB).
eh_header_only_library(fmt::fmt-header-only fmt FMT_HEADER_ONLY=1 FMT_STATIC_THOUSANDS_SEPARATOR=1)
eh_header_only_library(CLI11::CLI11 CLI)
eh_header_only_library(nlohmann_json::nlohmann_json nlohmann)

add_subdirectory(text)
add_subdirectory(core)
add_subdirectory(workflow)
# eh-antenna-cli for node, from the tool's own code: its contract (options,
# formats, batches) under WebAssembly.
set(EH_BUILD_GUI OFF) # no Qt: platform/ gives the report file and separator only
add_subdirectory(platform)
add_subdirectory(cli/antenna)
# Files and standard streams are node's own; the exit status is the tool's.
target_link_options(eh-antenna-cli PRIVATE -sNODERAWFS=1 -sEXIT_RUNTIME=1)
if(EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/web/CMakeLists.txt)
  add_subdirectory(web)
endif()

if(EH_BUILD_TESTS)
  enable_testing()
  add_subdirectory(tests/support)
  add_subdirectory(tests)
endif()
