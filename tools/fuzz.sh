#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for the given seconds.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_COMPILER=clang++ -DSTAFFEL_BUILD_FUZZ=ON -DSTAFFEL_BUILD_TESTS=OFF
targets=$(find fuzz -maxdepth 1 -name 'fuzz_*.cpp' -printf '%f\n' | sed 's/\.cpp$//' | sort)
for t in $targets; do
  cmake --build build-fuzz --target "$t" -j "$(nproc)"
  corpus=$(mktemp -d)
  echo "== $t for ${seconds}s"
  build-fuzz/fuzz/"$t" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
    "$corpus" "fuzz/corpus/${t#fuzz_}"
  rm -rf "$corpus"
done
