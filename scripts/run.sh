#!/usr/bin/env bash
# Installs what is missing, builds and starts the calculator.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
cmake -S . -B build -G Ninja
cmake --build build --target fondara
exec ./build/src/app/fondara "$@"
