#!/usr/bin/env bash
# Builds the program and saves a picture of each window into docs/, under Xvfb.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build -G Ninja
cmake --build build --target fondara_screenshots
mkdir -p docs
QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1024x768x24 -dpi 96" \
  ./build/docs/fondara_screenshots docs
