#!/usr/bin/env bash
# Time and peak memory of the PDF/A report for long descriptions: the printed report's
# wrapping and drawing, which grow with the description's length.
#   bench/pdf_description.sh [CHARACTERS...]   (default 10000 30000 60000 116000 1000000)
# Each size in its own process (bench/pdf_description.cpp, through the call that
# fondara-calc --pdf makes); where the description fits in one argument (128 KiB) also
# fondara-calc --pdf itself. Prints characters, seconds of the PDF alone, seconds and peak
# resident memory of the process, and of fondara-calc. BENCH_BUILD names the build folder
# (default build-bench, Release).
set -euo pipefail
cd "$(dirname "$0")/.."
bin=${BENCH_BUILD:-build-bench}
[ $# -gt 0 ] || set -- 10000 30000 60000 116000 1000000

if [ -z "${BENCH_BUILD:-}" ]; then
  cmake -S . -B "$bin" -G Ninja -DCMAKE_BUILD_TYPE=Release -DFONDARA_BENCH=ON >/dev/null
fi
cmake --build "$bin" --target fondara_bench_pdf fondara-calc >/dev/null
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

printf '%10s %8s %10s %9s %10s %9s\n' characters pdf_s process_s peak_MiB calc_s calc_MiB
for n in "$@"; do
  /usr/bin/time -f "%e %M" -o "$work/time" "$bin/bench/fondara_bench_pdf" "$n" >"$work/out"
  read -r _ pdf_seconds _ <"$work/out"
  read -r elapsed peak_kb <"$work/time"
  calc_seconds=- calc_mib=-
  if [ "$n" -le 120000 ]; then
    text=$(awk -v n="$n" 'BEGIN { w = "abcdefghijk"
      for (i = 0; length(s) < n; i++) s = s substr(w, 1, 2 + i % 10) " "; printf "%s", substr(s, 1, n) }')
    /usr/bin/time -f "%e %M" -o "$work/time" "$bin/src/cli/fondara-calc" coesivi lunghezza=10 \
      larghezza=2 altezza=1 peso_terreno_rinterro=1800 coesione_non_drenata=0,5 \
      "descrizione=$text" --pdf "$work/x.pdf" >/dev/null
    read -r calc_seconds calc_kb <"$work/time"
    calc_mib=$((calc_kb / 1024))
  fi
  printf '%10d %8s %10s %9d %10s %9s\n' "$n" "$pdf_seconds" "$elapsed" $((peak_kb / 1024)) \
    "$calc_seconds" "$calc_mib"
done
