#!/usr/bin/env bash
# Start-up time (start to the start window mapped) and peak memory of fondara against a
# minimal Qt Widgets window, both under the same Xvfb server in the same run. The two
# programs alternate run by run, so a change in the machine's load falls on both alike.
#   bench/startup.sh [RUNS]     (builds in build-bench with -DFONDARA_BENCH=ON)
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-21}
bin=${FONDARA_BENCH_DIR:-build-bench}

if [ "${2:-}" != "--under-x" ]; then
  cmake -S . -B "$bin" -G Ninja -DFONDARA_BENCH=ON -DCMAKE_BUILD_TYPE=Release >/dev/null
  cmake --build "$bin" --target fondara fondara_first_window fondara_minimal_window >/dev/null
  runtime=$(mktemp -d)  # a private runtime folder, so neither program warns about it
  trap 'rm -rf "$runtime"' EXIT
  XDG_RUNTIME_DIR=$runtime xvfb-run -a -s "-screen 0 1280x1024x24" \
    env QT_QPA_PLATFORM=xcb "$0" "$runs" --under-x
  exit
fi

first_window() {  # title program -> "ms peak_kb"
  "$bin/bench/fondara_first_window" "$@"
}

# One warm-up run of each fills the file cache; then minimal, fondara, minimal, ...
# A pair counts only when both programs mapped their window.
first_window "Finestra minima" "$bin/bench/fondara_minimal_window" >/dev/null || true
first_window "Fondara Ver.3.0" "$bin/src/app/fondara" >/dev/null || true
pairs=0
for _ in $(seq $((2 * runs))); do
  minimal=$(first_window "Finestra minima" "$bin/bench/fondara_minimal_window") || continue
  fondara=$(first_window "Fondara Ver.3.0" "$bin/src/app/fondara") || continue
  echo "minima $minimal"
  echo "fondara $fondara"
  pairs=$((pairs + 1))
  [ "$pairs" -lt "$runs" ] || break
done | awk '
  function median(values, n,    i, j, t) {
    for (i = 2; i <= n; i++)
      for (j = i; j > 1 && values[j - 1] > values[j]; j--) {
        t = values[j]; values[j] = values[j - 1]; values[j - 1] = t
      }
    return n % 2 ? values[(n + 1) / 2] : (values[n / 2] + values[n / 2 + 1]) / 2
  }
  $1 == "minima"  { n++; min_ms[n] = $2; min_kb[n] = $3 }
  $1 == "fondara" { m++; fon_ms[m] = $2; fon_kb[m] = $3; ratio[m] = $2 / min_ms[m] }
  END {
    a = median(min_ms, n); b = median(fon_ms, m); c = median(min_kb, n); d = median(fon_kb, m)
    printf "finestra minima: %.1f ms, picco %d kB (mediane di %d avvii)\n", a, c, n
    printf "fondara:         %.1f ms, picco %d kB (mediane di %d avvii)\n", b, d, m
    printf "rapporto tempo %.3f (mediana per coppia %.3f), memoria %.3f\n", b / a, median(ratio, m), d / c
    printf "obiettivi: tempo <= 1,1, memoria <= 1,15\n"
  }'
