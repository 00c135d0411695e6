#!/usr/bin/env bash
# The whole-process figures of BENCHMARKS.md: vqtool convert and show of a 200,000-point GPX
# track against gpsbabel on the same file, in turn, RUNS pairs (default 7) after a warm-up.
# Prints each command's median wall time, CPU time (user + system) and peak memory, and the
# load average. Installs gpsbabel (the peer) and GNU time through install-deps.sh.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh gpsbabel time >/dev/null
dir=${VQ_BUILD_DIR:-build}
[ -x "$dir/tool/vqtool" ] && [ -x "$dir/bench/bench_gpx" ] || bash scripts/build.sh
runs=${RUNS:-7}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$dir/bench/bench_gpx" --make "$work/track.gpx"

declare -A cmds=(
  [vq_convert]="$dir/tool/vqtool convert $work/track.gpx $work/vq.csv"
  [vq_show]="$dir/tool/vqtool show $work/track.gpx"
  [gpsbabel]="gpsbabel -t -i gpx -f $work/track.gpx -o unicsv -F $work/babel.csv"
)
order=(vq_convert vq_show gpsbabel)
for name in "${order[@]}"; do ${cmds[$name]} >/dev/null; done  # warm-up
for ((i = 0; i < runs; i++)); do
  for name in "${order[@]}"; do
    /usr/bin/time -a -o "$work/$name.times" -f "%e %U %S %M" ${cmds[$name]} >/dev/null
  done
done
median() { sort -g | awk '{v[NR] = $1} END {print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2}'; }
printf '%-11s %9s %9s %9s\n' command wall_s cpu_s peak_MiB
for name in "${order[@]}"; do
  f="$work/$name.times"
  printf '%-11s %9s %9s %9.1f\n' "$name" "$(awk '{print $1}' "$f" | median)" \
    "$(awk '{print $2 + $3}' "$f" | median)" "$(awk '{print $4}' "$f" | median | awk '{print $1 / 1024}')"
done
echo "runs: $runs; load average: $(cut -d' ' -f1-3 /proc/loadavg); $(nproc) cores"
