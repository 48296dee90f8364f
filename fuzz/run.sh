#!/usr/bin/env bash
# Builds the markup engine's libFuzzer target with clang and the address and
# undefined-behaviour sanitizers in build-fuzz/, then either fuzzes for a
# number of seconds (default 600) or replays the committed regression inputs.
#
#   fuzz/run.sh [SECONDS] [more libFuzzer options]
#   fuzz/run.sh --regressions
#
# The working corpus lives in fuzz/corpus/ (not committed), seeded from
# fuzz/seeds/; crash, leak and timeout inputs are written to fuzz/.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${FUZZ_BUILD_DIR:-$root/build-fuzz}"

"$root/scripts/ensure-deps.sh" clang libclang-rt-14-dev

flags="-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer"
cmake -S "$root" -B "$build" -DQUORVEL_FUZZ=ON \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_C_FLAGS="$flags" -DCMAKE_CXX_FLAGS="$flags" >/dev/null
cmake --build "$build" --target quorvel_markup_fuzz -j "$(nproc)"
fuzzer="$build/fuzz/quorvel_markup_fuzz"

if [ "${1:-}" = "--regressions" ]; then
  shopt -s nullglob
  inputs=()
  for f in "$root"/fuzz/regressions/*; do
    [ "${f##*.}" = md ] || inputs+=("$f")
  done
  [ ${#inputs[@]} -eq 0 ] && { echo "no regression inputs"; exit 0; }
  exec "$fuzzer" "${inputs[@]}"
fi

seconds="${1:-600}"
shift || true
mkdir -p "$root/fuzz/corpus"
exec "$fuzzer" "$root/fuzz/corpus" "$root/fuzz/seeds" \
  -dict="$root/fuzz/creole.dict" -max_len=4096 -timeout=10 \
  -max_total_time="$seconds" -print_final_stats=1 \
  -artifact_prefix="$root/fuzz/" "$@"
