#!/usr/bin/env bash
# Runs every fuzz target (or those named after the time) for SECONDS each on its seed corpus:
#   scripts/fuzz.sh [SECONDS] [fuzz_twl fuzz_gpx fuzz_codecs fuzz_receive fuzz_transfer fuzz_devicexml]
# The targets come from build-fuzz/ (or $VQ_FUZZ_BUILD_DIR), built by scripts/sanitize.sh. Each
# starts from its seeds (fuzz/corpus/: the test files, and packets and scripts made from the
# sample list) and from the inputs that once made it fail
# (fuzz/regressions/, kept by hand). New inputs go to fuzz/work/ (not committed); an input that
# crashes a target is kept in fuzz/artifacts/ and the script fails.
set -euo pipefail
cd "$(dirname "$0")/.."
dir=${VQ_FUZZ_BUILD_DIR:-build-fuzz}
seconds=${1:-30}
shift || true
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(fuzz_twl fuzz_gpx fuzz_codecs fuzz_receive fuzz_transfer fuzz_devicexml)
cmake --build "$dir" --target "${targets[@]}" >/dev/null
mkdir -p fuzz/artifacts
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1}
failed=0
for t in "${targets[@]}"; do
  corpus=(fuzz/corpus/${t#fuzz_})
  if [ -d "fuzz/regressions/${t#fuzz_}" ]; then corpus+=("fuzz/regressions/${t#fuzz_}"); fi
  work=fuzz/work/${t#fuzz_}
  mkdir -p "$work"
  log=$(mktemp)
  if "$dir/fuzz/$t" -max_total_time="$seconds" -max_len=8192 -rss_limit_mb=4096 \
      -timeout=10 -print_final_stats=1 -artifact_prefix=fuzz/artifacts/"$t"- \
      "$work" "${corpus[@]}" >"$log" 2>&1; then
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
    cov=$(grep -o 'cov: [0-9]*' "$log" | tail -1)
    echo "$t: ${seconds} s, ${runs} runs, ${cov}, no failure"
  else
    echo "$t: FAILED"
    grep -E 'ERROR|runtime error|invariant|SUMMARY|Test unit written' "$log" | head -20
    failed=1
  fi
  rm -f "$log"
done
exit $failed
