#!/usr/bin/env bash
# Installs what is missing, builds VQ and starts it on the bundled sample list. Without a
# display it says so and prints the list as the window would show it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh
sample=samples/sample.twl
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  exec build/app/vq "$sample"
fi
echo "No display found: printing the sample list as the window shows it."
exec build/tool/vqtool show "$sample"
