#!/usr/bin/env bash
# Builds the program and saves a picture of each window into docs/, under Xvfb: the
# verification window also at 200 %.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build -G Ninja
cmake --build build --target fondara_screenshots
mkdir -p docs
QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1366x768x24 -dpi 96" \
  ./build/docs/fondara_screenshots docs
# The verification window at 200 % on a 1920 x 1080 screen.
QT_QPA_PLATFORM=xcb QT_SCALE_FACTOR=2 xvfb-run -a -s "-screen 0 1920x1080x24 -dpi 96" \
  ./build/docs/fondara_screenshots docs verifica
