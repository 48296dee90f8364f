#!/usr/bin/env bash
# Builds the markup benchmark in Release (build-bench/) and runs it.
# Installs md4c, the peer it is compared with, when missing.
# Usage: bench/run.sh [--quick]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${BENCH_BUILD_DIR:-$root/build-bench}"

"$root/scripts/ensure-deps.sh" libmd4c-html0-dev libmd4c-dev

cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" --target quorvel_markup_bench -j "$(nproc)"
exec "$build/bench/quorvel_markup_bench" "$@"
