#!/usr/bin/env bash
# Installs what is missing, builds everything, and runs every test: unit, platform and end-to-end
# tests, the unit and platform tests again under AddressSanitizer and UndefinedBehaviorSanitizer,
# and a short run of every fuzz target.
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=$(nproc)
fuzz_seconds=${VESPERINE_FUZZ_SECONDS:-15}

bash scripts/install-deps.sh --tests

echo "== build"
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j"$jobs"

echo "== unit, platform and end-to-end tests, side by side (tests/CMakeLists.txt says which must be alone)"
(cd build && ctest --output-on-failure --timeout 900 -j"$jobs")

echo "== unit and platform tests under AddressSanitizer and UndefinedBehaviorSanitizer"
cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DVESPERINE_SANITIZE=ON -DVESPERINE_GAME=ON
cmake --build build-asan -j"$jobs" --target vesperine_services_tests vesperine_display_tests vesperine_game_tests \
  vesperine_platform_tests
(cd build-asan && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 ctest --output-on-failure -L unit -j"$jobs")
# Without the leak check: GLib and the GL driver leave small blocks whose stacks end in libraries
# without frame pointers or already unloaded (the soak test checks the whole game's leaks). The
# picture decoding ahead and the sound stream are left out: at -O0 their pictures and minutes of
# sound take a minute. The scaled desktop's tests want a screen of 2560x1440, as ctest gives them.
ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1 bash tests/platform/run-with-x.sh \
  build-asan/tests/vesperine_platform_tests --gtest_filter='-FullScreen.PicturesDecodedAhead*:OggStream.*:ScaledDesktop.*'
ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1 bash tests/platform/run-with-x.sh --screen 2560x1440x24 \
  build-asan/tests/vesperine_platform_tests --gtest_filter='ScaledDesktop.*'

echo "== fuzz targets, ${fuzz_seconds} s each"
CC=clang CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVESPERINE_FUZZ=ON -DVESPERINE_GAME=OFF
cmake --build build-fuzz -j"$jobs" --target fuzz_targets
bash fuzz/run-smoke.sh build-fuzz "$fuzz_seconds"

echo "== all tests passed"
