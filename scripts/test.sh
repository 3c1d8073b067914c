#!/usr/bin/env bash
# Builds everything twice (plain in build/ with the benchmarks, and with
# AddressSanitizer + UndefinedBehaviorSanitizer in build-asan/) and runs every
# test of both builds. Installs missing Debian packages first. Both builds
# treat warnings as errors and end the program on a caught programming error
# (VORBEL_WERROR, VORBEL_ABORT_ON_BUGS), so that no test passes over one. The
# run command's tree (build-run/) is not touched.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/deps.sh test
export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

jobs=$(nproc)
for kind in plain sanitize; do
  echo "== $kind build"
  settings=(-DVORBEL_WERROR=ON -DVORBEL_ABORT_ON_BUGS=ON)
  dir=build
  if [[ $kind == sanitize ]]; then dir=build-asan; else settings+=(-DVORBEL_BENCH=ON); fi
  scripts/build.sh "$kind" "${settings[@]}"
  echo "== $kind tests"
  ctest --test-dir "$dir" --output-on-failure -j "$jobs"
done
