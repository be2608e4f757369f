#!/usr/bin/env bash
# Builds and starts the program; without a display it runs on a virtual X display and saves a screenshot.
set -euo pipefail
cd "$(dirname "$0")/.."
export CCACHE_DIR="${CCACHE_DIR:-$PWD/.ccache}"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j "$(nproc)" --target r9vq-tn
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  exec build/r9vq-tn "$@"
fi
echo "No display: starting on a virtual X display; the screenshot goes to build/screenshot.png"
R9_SCREENSHOT="$PWD/build/screenshot.png" R9_QUIT_AFTER_MS=4000 \
  xvfb-run -a -s "-screen 0 1400x800x24" build/r9vq-tn "$@"
echo "Screenshot: build/screenshot.png"
