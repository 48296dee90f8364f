#!/usr/bin/env bash
# Installs what is missing, builds Quorvel and starts the wiki.
set -euo pipefail
cd "$(dirname "$0")"
scripts/ensure-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j"$(nproc)"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  hint="xvfb-run -a -s '-screen 0 1024x768x24' ./build/quorvel"
  command -v xvfb-run >/dev/null || hint="apt-get install xvfb, then $hint"
  echo "No display available: start it under a virtual X server with: $hint" >&2
  exit 1
fi
exec ./build/quorvel "$@"
