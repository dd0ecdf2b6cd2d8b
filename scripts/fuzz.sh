#!/usr/bin/env bash
# Builds the libFuzzer target with clang under the address and undefined-behaviour
# sanitizers and runs it for the given number of seconds (default 60).
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}

./scripts/install-deps.sh
CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DFONDARA_FUZZ=ON -DFONDARA_GUI=OFF \
  -DFONDARA_SANITIZE=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo -DFONDARA_WERROR="${FONDARA_WERROR:-OFF}"
cmake --build build-fuzz --target fondara_fuzz
corpus=$(mktemp -d)
trap 'rm -rf "$corpus"' EXIT
cp fuzz/corpus/* "$corpus/"
./build-fuzz/fuzz/fondara_fuzz -max_total_time="$seconds" -timeout=5 -print_final_stats=1 "$corpus"
