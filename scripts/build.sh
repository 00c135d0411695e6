#!/usr/bin/env bash
# Configures and builds VQ in build/ (or $VQ_BUILD_DIR), with any extra CMake options given.
set -euo pipefail
cd "$(dirname "$0")/.."
dir=${VQ_BUILD_DIR:-build}
cmake -S . -B "$dir" "$@" >/dev/null
cmake --build "$dir" -j "$(nproc)"
