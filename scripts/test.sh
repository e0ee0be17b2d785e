#!/usr/bin/env bash
# Builds everything and runs every test: the formatting check, the whole suite, a Release build of
# the program and the headless tool, then the engine, its sound card and the remote layer again
# under ThreadSanitizer. Warnings are errors here (KORVANE_WERROR), unlike in a user's build.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
bash scripts/check_format.sh
jobs=$(nproc)

cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKORVANE_WERROR=ON >/dev/null
cmake --build build -j"$jobs"
(cd build && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"$jobs")

# The optimiser warns about things the debug-info build never sees.
cmake -S . -B build-release -DCMAKE_BUILD_TYPE=Release -DKORVANE_WERROR=ON -DKORVANE_BENCH=OFF \
    >/dev/null
cmake --build build-release -j"$jobs" --target korvaneawg korvaneawg-cli

cmake -S . -B build-tsan -DKORVANE_TSAN=ON -DKORVANE_WERROR=ON >/dev/null
cmake --build build-tsan -j"$jobs" --target test_engine test_remote test_sound
(cd build-tsan && TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1" \
    ctest --output-on-failure -j"$jobs")
