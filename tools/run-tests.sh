#!/usr/bin/env bash
# Installs what is missing, builds, and runs the whole test suite: the normal build, the
# ASan+UBSan build, and each fuzz target for a bounded time. Starts and stops its own MariaDB.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

bash tools/setup.sh
# Qt wants a private runtime folder; a root shell without a session has none.
export XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-/tmp/runtime-$(id -u)}"
mkdir -p -m 700 "$XDG_RUNTIME_DIR"
jobs=${VEXO_JOBS:-$(nproc)}
fuzz_seconds=${VEXO_FUZZ_SECONDS:-20}

dbdir="$root/build/mariadb"
trap 'bash tools/mariadb-server.sh stop "$dbdir" || true' EXIT
eval "$(bash tools/mariadb-server.sh start "$dbdir" | sed 's/^/export /')"
export VEXO_REQUIRE_MYSQL=1

echo "== normal build"
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVEXO_WERROR=ON >/dev/null
cmake --build build/release -j "$jobs"
ctest --test-dir build/release --output-on-failure -j "$jobs"

echo "== the installed package, used from outside the tree (CMake and pkg-config)"
prefix=$(mktemp -d)
cmake --install build/release --prefix "$prefix" >/dev/null
rm -rf build/consumer
cmake -S examples/consumer -B build/consumer -G Ninja -DCMAKE_PREFIX_PATH="$prefix" >/dev/null
cmake --build build/consumer
build/consumer/consumer build/consumer/consumer.png
# shellcheck disable=SC2046
g++ -fPIC -Wall -Werror examples/consumer/main.cpp -o build/consumer/consumer-pkgconfig \
  $(PKG_CONFIG_PATH="$prefix/lib/pkgconfig" pkg-config --cflags --libs vexocontrols)
build/consumer/consumer-pkgconfig build/consumer/consumer-pkgconfig.png
rm -rf "$prefix"

echo "== real windows under Xvfb"
# The screenshot tests skip on the offscreen platform; here they run against a real X server.
QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1024x768x24" \
  build/release/vexo_tests --gtest_filter='*Xvfb*' --gtest_brief=1
for program in vexo_sample vexo_gallery vexo_edits; do
  QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1024x768x24" build/release/$program --quit-after 500
  echo "$program ran in a real window"
done

echo "== sanitizer build (ASan+UBSan)"
cmake -S . -B build/asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVEXO_WERROR=ON -DVEXO_SANITIZE=ON -DVEXO_BENCH=OFF >/dev/null
cmake --build build/asan -j "$jobs"
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1"
export LSAN_OPTIONS="suppressions=$root/tools/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
ctest --test-dir build/asan --output-on-failure -j "$jobs"

echo "== fuzz targets (${fuzz_seconds} s each)"
CC=clang CXX=clang++ cmake -S . -B build/fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVEXO_FUZZ=ON -DVEXO_BENCH=OFF >/dev/null
fuzzers=$(cd tests/fuzz 2>/dev/null && ls fuzz_*.cpp 2>/dev/null | sed 's/\.cpp$//' || true)
if [ -n "$fuzzers" ]; then
  # shellcheck disable=SC2086
  cmake --build build/fuzz -j "$jobs" --target $fuzzers
  for f in $fuzzers; do
    corpus="build/fuzz/corpus-$f"
    mkdir -p "$corpus"
    [ -d "tests/fuzz/corpus/$f" ] && cp -n tests/fuzz/corpus/"$f"/* "$corpus"/ 2>/dev/null || true
    echo "-- $f"
    if ! "build/fuzz/$f" -max_total_time="$fuzz_seconds" "$corpus" >"build/fuzz/$f.log" 2>&1; then
      tail -n 60 "build/fuzz/$f.log"
      echo "fuzz target $f failed" >&2
      exit 1
    fi
    grep -E '^Done|stat::number_of_executed_units' "build/fuzz/$f.log" | tail -n 1 || true
  done
fi
echo "== all tests passed"
