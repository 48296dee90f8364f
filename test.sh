#!/usr/bin/env bash
# Installs what is missing, builds Quorvel and runs the whole test suite headless.
set -euo pipefail
cd "$(dirname "$0")"
scripts/ensure-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j"$(nproc)"
export QT_QPA_PLATFORM=offscreen
ctest --test-dir build --output-on-failure -j"$(nproc)"
