#!/usr/bin/env bash
# Installs what is missing, builds the benchmarks optimised and runs them; arguments go to
# Google Benchmark (for example --benchmark_filter=BM_Grid).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
bash tools/setup.sh
export XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-/tmp/runtime-$(id -u)}"
mkdir -p -m 700 "$XDG_RUNTIME_DIR"
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build/release -j "$(nproc)" --target vexo_bench
exec build/release/vexo_bench "$@"
