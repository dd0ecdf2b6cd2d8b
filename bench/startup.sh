#!/usr/bin/env bash
# Start-up time (start to the start window mapped) and peak memory of fondara against a
# minimal Qt Widgets window, both under the same Xvfb server in the same run.
#   bench/startup.sh [RUNS]     (builds in build-bench with -DFONDARA_BENCH=ON)
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-20}
bin=build-bench

measure() {  # title program -> "median_ms peak_kb"
  local title=$1 program=$2
  for _ in $(seq "$runs"); do
    "$bin/bench/fondara_first_window" "$title" "$program"
  done | sort -n | awk '{ t[NR] = $1; if ($2 > m) m = $2 } END { printf "%.1f %d\n", t[int((NR + 1) / 2)], m }'
}

if [ "${2:-}" != "--under-x" ]; then
  cmake -S . -B "$bin" -G Ninja -DFONDARA_BENCH=ON -DCMAKE_BUILD_TYPE=Release >/dev/null
  cmake --build "$bin" --target fondara fondara_first_window fondara_minimal_window >/dev/null
  exec xvfb-run -a -s "-screen 0 1280x1024x24" env QT_QPA_PLATFORM=xcb "$0" "$runs" --under-x
fi

read -r min_ms min_kb < <(measure "Finestra minima" "$bin/bench/fondara_minimal_window")
read -r fon_ms fon_kb < <(measure "Fondara Ver.3.0" "$bin/src/app/fondara")
echo "finestra minima: $min_ms ms, picco $min_kb kB"
echo "fondara:         $fon_ms ms, picco $fon_kb kB"
awk -v a="$fon_ms" -v b="$min_ms" -v c="$fon_kb" -v d="$min_kb" \
  'BEGIN { printf "rapporto tempo %.2f (obiettivo <= 1,3), memoria %.2f (obiettivo < 1,2)\n", a / b, c / d }'
