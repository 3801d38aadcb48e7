#!/usr/bin/env bash
# Installs what is missing, builds the sample application and runs it: in a real window where a
# display exists, otherwise it writes a PNG of the window and prints its path.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

bash tools/setup.sh
# Qt wants a private runtime folder; a root shell without a session has none.
export XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-/tmp/runtime-$(id -u)}"
mkdir -p -m 700 "$XDG_RUNTIME_DIR"
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build/release -j "$(nproc)" --target vexo_sample

if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  exec build/release/vexo_sample "$@"
fi
mkdir -p out
png="$root/out/vexo_sample.png"
QT_QPA_PLATFORM=offscreen build/release/vexo_sample --screenshot "$png" >/dev/null
echo "No display: the window was written to $png"
