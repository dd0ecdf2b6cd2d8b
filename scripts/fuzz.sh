#!/usr/bin/env bash
# Builds the libFuzzer targets with clang under the address and undefined-behaviour
# sanitizers and runs each for the given number of seconds (default 60).
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}

./scripts/install-deps.sh
CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DFONDARA_FUZZ=ON -DFONDARA_GUI=OFF \
  -DFONDARA_SANITIZE=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo -DFONDARA_WERROR="${FONDARA_WERROR:-OFF}"
cmake --build build-fuzz --target fondara_fuzz fondara_fuzz_cli
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# run TARGET SEED_FOLDER: the corpus grows in a copy, never in the repository.
run() {
  mkdir "$work/$1"
  cp "$2"/* "$work/$1/"
  "./build-fuzz/fuzz/$1" -max_total_time="$seconds" -timeout=5 \
    -print_final_stats=1 "$work/$1"
}
run fondara_fuzz fuzz/corpus
run fondara_fuzz_cli fuzz/corpus_cli
