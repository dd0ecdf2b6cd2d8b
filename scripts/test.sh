#!/usr/bin/env bash
# Installs what is missing, configures, builds and runs every test.
#   scripts/test.sh              normal build in build/
#   scripts/test.sh --sanitize   address and undefined-behaviour sanitizers in build-sanitize/
# FONDARA_WERROR=ON in the environment makes warnings errors (CI does so).
set -euo pipefail
cd "$(dirname "$0")/.."

build_dir=build
extra=()
if [ "${1:-}" = "--sanitize" ]; then
  build_dir=build-sanitize
  extra=(-DFONDARA_SANITIZE=ON)
fi

./scripts/install-deps.sh
cmake -S . -B "$build_dir" -G Ninja -DFONDARA_WERROR="${FONDARA_WERROR:-OFF}" "${extra[@]}"
cmake --build "$build_dir"
ctest --test-dir "$build_dir" --output-on-failure -j2
