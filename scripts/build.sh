#!/usr/bin/env bash
# Configures and builds one build tree.
#   scripts/build.sh run       -> build-run/    (g++, optimised, the programs and their data only)
#   scripts/build.sh plain     -> build/        (g++, optimised, with the tests)
#   scripts/build.sh sanitize  -> build-asan/   (clang, ASan + UBSan, with the tests and fuzz targets)
# Further arguments are CMake settings (-DNAME=VALUE) for the tree; they stay
# in its cache for later builds. The run command builds build-run/ and the
# test command build/ and build-asan/, so neither rebuilds the other's tree.
set -euo pipefail
cd "$(dirname "$0")/.."

kind=${1:-plain}
shift || true
case "$kind" in
  run)
    dir=build-run
    args=(-DCMAKE_BUILD_TYPE=RelWithDebInfo -DVORBEL_TESTS=OFF -DVORBEL_BENCH=OFF) ;;
  plain)
    dir=build
    args=(-DCMAKE_BUILD_TYPE=RelWithDebInfo) ;;
  sanitize)
    dir=build-asan
    args=(-DCMAKE_BUILD_TYPE=Debug -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++
          -DVORBEL_SANITIZE=ON -DVORBEL_FUZZ=ON -DVORBEL_BENCH=OFF) ;;
  *) echo "usage: $0 [run|plain|sanitize] [-DNAME=VALUE...]" >&2; exit 2 ;;
esac

if [[ ! -f $dir/build.ninja ]]; then
  cmake -S . -B "$dir" -G Ninja "${args[@]}" "$@" >/dev/null
elif [[ $# -gt 0 ]]; then
  cmake -S . -B "$dir" "$@" >/dev/null
fi
cmake --build "$dir"
