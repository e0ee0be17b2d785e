#!/usr/bin/env bash
# Builds the program and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKORVANE_BENCH=OFF >/dev/null
cmake --build build -j"$(nproc)" --target korvaneawg korvaneawg-cli
exec ./build/bin/korvaneawg "$@"
