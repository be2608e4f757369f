#!/usr/bin/env bash
# Builds and starts the program.
#   scripts/run.sh [ARGS...]       with a display: the program (USB first, then the network path).
#                                  Without one: the device emulator on a free loopback port, the
#                                  program on a virtual X display connected to it over TCP, and a
#                                  screenshot of the main view online in build/screenshot.png.
#   scripts/run.sh --demo [ARGS...]  the emulator and the program connected to it, on the display.
set -euo pipefail
cd "$(dirname "$0")/.."
export CCACHE_DIR="${CCACHE_DIR:-$PWD/.ccache}"
demo=0
if [ "${1:-}" = "--demo" ]; then
  demo=1
  shift
fi
has_display=0
[ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ] && has_display=1
if [ "$demo" = 1 ] && [ "$has_display" = 0 ]; then
  echo "make demo needs a display; make run works without one" >&2
  exit 1
fi
# The frameless window places itself absolutely: under Wayland it runs through XWayland.
if [ -n "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  export QT_QPA_PLATFORM=xcb
fi

targets=(r9vq-tn)
if [ "$demo" = 1 ] || [ "$has_display" = 0 ]; then
  targets+=(devsim)
fi
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$(nproc)" --target "${targets[@]}"

if [ "$demo" = 0 ] && [ "$has_display" = 1 ]; then
  exec build/r9vq-tn "$@"
fi

# The emulator on a port the system chooses; its first line names it.
out="$(mktemp)"
build/devsim/devsim --port 0 >"$out" 2>&1 &
devsim=$!
trap 'kill "$devsim" 2>/dev/null || true; wait "$devsim" 2>/dev/null || true; rm -f "$out"' EXIT
port=""
for _ in $(seq 50); do
  port="$(sed -n 's/^devsim listening on 127\.0\.0\.1:\([0-9]*\)$/\1/p' "$out")"
  [ -n "$port" ] && break
  kill -0 "$devsim" 2>/dev/null || break
  sleep 0.1
done
if [ -z "$port" ]; then
  cat "$out" >&2
  echo "the device emulator did not start" >&2
  exit 1
fi
echo "Device emulator on 127.0.0.1:$port"

if [ "$demo" = 1 ]; then
  R9_NET="127.0.0.1:$port" build/r9vq-tn "$@"
  exit
fi
echo "No display: running on a virtual X display; the screenshot goes to build/screenshot.png"
rm -f build/screenshot.png
R9_NET="127.0.0.1:$port" R9_SCREENSHOT="$PWD/build/screenshot.png" R9_QUIT_AFTER_MS=20000 \
  xvfb-run -a -s "-screen 0 1400x800x24" build/r9vq-tn "$@"
if [ -f build/screenshot.png ]; then
  echo "Screenshot: build/screenshot.png"
else
  echo "no screenshot was saved" >&2
  exit 1
fi
