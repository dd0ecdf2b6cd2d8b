#!/usr/bin/env bash
# Installs what is missing, configures, builds and runs every test.
#   scripts/test.sh              normal build in build/, the benchmarks built but not run
#   scripts/test.sh --sanitize   address and undefined-behaviour sanitizers in build-sanitize/
# FONDARA_WERROR=ON in the environment makes warnings errors (CI does so). The results,
# skipped tests included (without root, for instance), go to ctest-results.xml (JUnit)
# in the build folder.
set -euo pipefail
cd "$(dirname "$0")/.."

build_dir=build
extra=(-DFONDARA_BENCH=ON)
if [ "${1:-}" = "--sanitize" ]; then
  build_dir=build-sanitize
  extra=(-DFONDARA_SANITIZE=ON)
fi

./scripts/install-deps.sh
cmake -S . -B "$build_dir" -G Ninja -DFONDARA_WERROR="${FONDARA_WERROR:-OFF}" "${extra[@]}"
cmake --build "$build_dir"
rm -f "$build_dir/ctest-results.xml"
ctest --test-dir "$build_dir" --output-on-failure -j2 --output-junit "$PWD/$build_dir/ctest-results.xml"
