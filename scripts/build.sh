#!/usr/bin/env bash
# Configures and builds one build tree: scripts/build.sh [release|asan] [target]
# (without a target, everything: the program, the tests and the benchmarks)
set -euo pipefail
cd "$(dirname "$0")/.."
kind=${1:-release}
target=${2:-}
case "$kind" in
  release) dir=build; flags=(-DMIRAVELA_BENCHMARKS=ON) ;;
  asan)    dir=build-asan; flags=(-DMIRAVELA_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug) ;;
  *) echo "usage: $0 [release|asan]" >&2; exit 2 ;;
esac
# A compiler cache, where the machine has one, makes rebuilds of other trees cheap.
if command -v ccache >/dev/null; then
  flags+=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  export CCACHE_BASEDIR=${CCACHE_BASEDIR:-$PWD}
fi
cmake -S . -B "$dir" -G Ninja "${flags[@]}" >/dev/null
cmake --build "$dir" -j "${MIRAVELA_JOBS:-2}" ${target:+--target "$target"}
