#!/usr/bin/env bash
# Sets up a fresh Debian 12 machine, builds everything and runs every test:
# the Release build with its tests (the on-screen window tests under their
# own Xvfb), then every test once more under AddressSanitizer and
# UndefinedBehaviorSanitizer, then the engine's tests under
# ThreadSanitizer. Exits non-zero on the first failure.
set -euo pipefail
cd "$(dirname "$0")/.."

"$(dirname "$0")/setup.sh"

jobs=$(nproc)

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release
cmake --build build -j "$jobs"
ctest --test-dir build --output-on-failure -j "$jobs"

cmake -S . -B build-sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug -DORVANDEL_SANITIZE=ON \
    -DORVANDEL_BENCHMARKS=OFF
cmake --build build-sanitize -j "$jobs"
ctest --test-dir build-sanitize --output-on-failure -j "$jobs"

# ThreadSanitizer over the engine tests: the engine is the only code with a
# thread of its own (the helper of the dense elimination phase). Only
# engine_tests is built, so the placeholders CTest registers for the other,
# unbuilt test programs (*_NOT_BUILT) and the on-screen tests are left out. The helper thread's own
# tests then run a few more times, as a race shows in some interleavings only.
cmake -S . -B build-tsan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DORVANDEL_TSAN=ON \
    -DORVANDEL_BENCHMARKS=OFF
cmake --build build-tsan -j "$(nproc)" --target engine_tests
TSAN_OPTIONS=halt_on_error=1 ctest --test-dir build-tsan -E '_NOT_BUILT$|^screen_tests$' \
    --output-on-failure \
    -j "$(nproc)"
TSAN_OPTIONS=halt_on_error=1 build-tsan/tests/engine_tests --gtest_filter='StepWorker.*' \
    --gtest_repeat=10 --gtest_brief=1
