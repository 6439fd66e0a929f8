#!/usr/bin/env bash
# Installs what is missing, builds both builds and runs every test suite.
# TVN_BUILD=folder puts the builds elsewhere than build/ (parallel work in one checkout).
set -euo pipefail
cd "$(dirname "$0")"
source tools/packages.sh
tvn_install_packages

out="${TVN_BUILD:-build}"
jobs="$(nproc)"

cmake -S . -B "$out/native" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTVN_SANITIZE=ON -DTVN_BENCH=ON >/dev/null
cmake --build "$out/native" -j "$jobs"

cmake -S . -B "$out/win64" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-posix.cmake >/dev/null
cmake --build "$out/win64" -j "$jobs"

cmake -S . -B "$out/fuzz" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTVN_TESTS=OFF -DTVN_FUZZ=ON \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ >/dev/null
cmake --build "$out/fuzz" -j "$jobs"

status=0
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
ctest --test-dir "$out/native" --output-on-failure -j "$jobs" || status=1
(
  source tools/wine-env.sh
  source tools/printer.sh
  tvn_ensure_pdf_printer
  tvn_prepare_prefix
  tvn_ensure_display
  tvn_keep_wineserver
  tvn_keep_desktop "$out/win64/winui/tvn-keep-desktop.exe"
  ctest --test-dir "$out/win64" --output-on-failure -j "$jobs" --timeout 300
) || status=1
TVN_FUZZ_SECONDS="${TVN_FUZZ_SECONDS:-20}" fuzz/run.sh "$out/fuzz" || status=1

[ "$status" -eq 0 ] && echo "All tests passed." || echo "Some tests FAILED."
exit "$status"
