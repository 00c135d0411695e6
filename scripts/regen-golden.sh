#!/usr/bin/env bash
# Makes the sample list, the tests' .twl files and their golden outputs again, from the
# generator and vqtool of the build in build/ (or $VQ_BUILD_DIR). Review the diff before
# committing: a changed golden file is a changed behaviour and its commit says why.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${VQ_BUILD_DIR:-build}
cmake --build "$build" --target vqgen vqtool >/dev/null
"$build/tests/gen/vqgen" samples tests/data
for twl in samples/sample.twl tests/data/*.twl; do
  base=tests/data/$(basename "${twl%.twl}")
  "$build/tool/vqtool" convert "$twl" "$base.txt" 2>/dev/null || true
  "$build/tool/vqtool" convert "$twl" "$base.csv" 2>/dev/null || true
  "$build/tool/vqtool" show "$twl" >"$base.show" 2>/dev/null || true
  "$build/tool/vqtool" show --latlon "$twl" >"$base.latlon" 2>/dev/null || true
done
