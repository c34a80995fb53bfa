#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds every libFuzzer target with clang (the "fuzz" preset, into
# build-fuzz) and runs them one after another within a fixed total time.
#
#   scripts/fuzz.sh [SECONDS [NAME]]
#
# SECONDS is the time of the whole run (default 180), shared equally by the
# fuzzers, so that adding one does not lengthen CI; NAME, when given, builds
# and runs that fuzzer only (rtf_reader_fuzzer, say) for all of it. The
# corpus each fuzzer grows and the inputs that made it fail stay in the build
# folder (fuzz-corpus/NAME, fuzz-artifacts/). Exits non-zero when a fuzzer
# finds a crash, a leak, a sanitizer report or a timeout.
set -euo pipefail

seconds=${1:-180}
only=${2:-}
if ! [[ "$seconds" =~ ^[1-9][0-9]*$ ]] || [ $# -gt 2 ]; then
  echo "usage: scripts/fuzz.sh [SECONDS [NAME]]" >&2
  exit 2
fi

root=$(cd "$(dirname "$0")/.." && pwd)
build=$root/build-fuzz
bash "$root/scripts/install-deps.sh"
# Every library is instrumented for coverage and the sanitizers; the fuzzer
# executables add libFuzzer itself.
bash "$root/scripts/build.sh" fuzz ${only:+"$only"}

export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
# Leaks of system libraries that the fuzzers cannot avoid are listed here.
# Quoted, since the clone's path may hold a blank.
export LSAN_OPTIONS="suppressions=\"$root/tests/lsan.supp\"${LSAN_OPTIONS:+:$LSAN_OPTIONS}"
status=0
# Unquoted, so that without a NAME it is a pattern for every fuzzer.
pattern=${only:-*}
descriptions=("$build"/fuzzers/$pattern.txt)
each=$((seconds / ${#descriptions[@]}))
if [ "$each" -eq 0 ]; then
  echo "fuzz: $seconds s is less than a second for each of ${#descriptions[@]} fuzzers" >&2
  exit 2
fi
for description in "${descriptions[@]}"; do
  IFS=$'\t' read -r name executable seeds dictionary < "$description"
  corpus="$build/fuzz-corpus/$name"
  artifacts="$build/fuzz-artifacts"
  mkdir -p "$corpus" "$artifacts"
  options=(-max_total_time="$each" -timeout=20 -rss_limit_mb=2048 -print_final_stats=1
           -artifact_prefix="$artifacts/$name-")
  if [ -n "$dictionary" ]; then
    options+=(-dict="$dictionary")
  fi
  echo "fuzz: running $name for $each s"
  if "$executable" "${options[@]}" "$corpus" "$seeds"; then
    echo "fuzz: $name found nothing"
  else
    echo "fuzz: $name FAILED; the input is in $artifacts" >&2
    status=1
  fi
done
exit "$status"
