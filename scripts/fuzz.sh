#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds every libFuzzer target with clang and runs each for a bounded time.
#
#   scripts/fuzz.sh [SECONDS [NAME]]
#
# SECONDS is the run time of each fuzzer (default 60); NAME, when given,
# builds and runs that fuzzer only (rtf_reader_fuzzer, say). The build folder is
# build-fuzz in the work tree, or $EH_FUZZ_BUILD_DIR; the corpus each fuzzer
# grows and the inputs that made it fail stay there (fuzz-corpus/NAME,
# fuzz-artifacts/). Exits non-zero when a fuzzer finds a crash, a leak, a
# sanitizer report or a timeout.
set -euo pipefail

seconds=${1:-60}
only=${2:-}
if ! [[ "$seconds" =~ ^[1-9][0-9]*$ ]] || [ $# -gt 2 ]; then
  echo "usage: scripts/fuzz.sh [SECONDS [NAME]]" >&2
  exit 2
fi

root=$(cd "$(dirname "$0")/.." && pwd)
build=${EH_FUZZ_BUILD_DIR:-$root/build-fuzz}

# Every library is instrumented for coverage and the sanitizers; the fuzzer
# executables add libFuzzer itself.
sanitizers=address,undefined
CC=clang CXX=clang++ cmake -S "$root" -B "$build" -G Ninja \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DEH_FUZZ=ON -DEH_BUILD_TESTS=OFF -DEH_BUILD_BENCH=OFF \
  "-DCMAKE_CXX_FLAGS=-fsanitize=fuzzer-no-link,$sanitizers -fno-sanitize-recover=undefined -fno-omit-frame-pointer" \
  "-DCMAKE_EXE_LINKER_FLAGS=-fsanitize=$sanitizers"
ninja -C "$build" -j2 "${only:-eh_fuzzers}"

export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
# Leaks of system libraries that the fuzzers cannot avoid are listed here.
export LSAN_OPTIONS="suppressions=$root/tests/lsan.supp${LSAN_OPTIONS:+:$LSAN_OPTIONS}"
status=0
# Unquoted, so that without a NAME it is a pattern for every fuzzer.
pattern=${only:-*}
for description in "$build"/fuzzers/$pattern.txt; do
  IFS=$'\t' read -r name executable seeds dictionary < "$description"
  corpus="$build/fuzz-corpus/$name"
  artifacts="$build/fuzz-artifacts"
  mkdir -p "$corpus" "$artifacts"
  options=(-max_total_time="$seconds" -timeout=20 -rss_limit_mb=2048 -print_final_stats=1
           -artifact_prefix="$artifacts/$name-")
  if [ -n "$dictionary" ]; then
    options+=(-dict="$dictionary")
  fi
  echo "fuzz: running $name for $seconds s"
  if "$executable" "${options[@]}" "$corpus" "$seeds"; then
    echo "fuzz: $name found nothing"
  else
    echo "fuzz: $name FAILED; the input is in $artifacts" >&2
    status=1
  fi
done
exit "$status"
