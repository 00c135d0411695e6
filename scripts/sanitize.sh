#!/usr/bin/env bash
# Builds VQ, its tests and its fuzz targets with clang under AddressSanitizer and
# UndefinedBehaviorSanitizer (leak checking on) in build-fuzz/ (or $VQ_FUZZ_BUILD_DIR), runs every
# test there, then runs each fuzz target for a short time on its corpus ($1 seconds, default 30).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh clang libclang-rt-14-dev
dir=${VQ_FUZZ_BUILD_DIR:-build-fuzz}
CC=clang CXX=clang++ cmake -S . -B "$dir" -DVQ_FUZZ=ON -DVQ_BUILD_BENCH=OFF >/dev/null
cmake --build "$dir" -j "$(nproc)"
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=0 UBSAN_OPTIONS=print_stacktrace=1
(cd "$dir" && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$(nproc)")
VQ_FUZZ_BUILD_DIR=$dir scripts/fuzz.sh "${1:-30}"
