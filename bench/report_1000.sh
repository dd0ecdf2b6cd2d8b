#!/usr/bin/env bash
# Time and peak memory of the verification's typeset report for a footing of 1,000 checks
# (500 typed combinations, static and seismic, in both conditions): fondara-calc --apri F
# --pdf r.pdf, then --odt r.odt, each on one core. Prints format, checks, pages, elapsed
# seconds, processor seconds (user and system: the elapsed time counts other programs on a
# shared machine too) and peak resident memory. BENCH_BUILD names the build folder (default build-bench, Release).
set -euo pipefail
cd "$(dirname "$0")/.."
bin=${BENCH_BUILD:-build-bench}
if [ -z "${BENCH_BUILD:-}" ]; then
  cmake -S . -B "$bin" -G Ninja -DCMAKE_BUILD_TYPE=Release -DFONDARA_BENCH=ON >/dev/null
fi
cmake --build "$bin" --target fondara-calc >/dev/null
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

{
  printf '%s\n' 'FONDARA-DATI 2' 'tipo=verifica' 'condizioni=entrambe' 'larghezza=2,5' \
    'lunghezza=3' 'profondita=1,5' 'angolo=32' 'coesione_drenata=5' \
    'coesione_non_drenata=200' 'peso_terreno=19' 'kh_terreno=0,1' \
    'opera=Capannone' 'progettista=Ing. Prova' 'elemento=plinto P1'
  awk 'BEGIN { for (i = 1; i <= 500; i++)
    printf "combinazione=%d;%d;%d;%d;%d;%s\n", 900 + (i * 37) % 900, (i * 53) % 200 - 100,
      (i * 71) % 300 - 150, (i * 7) % 60, (i * 11) % 40, i % 4 == 0 ? "sismica" : "statica" }'
} >"$work/f.fondara"

printf '%6s %7s %6s %9s %9s %9s\n' format checks pages seconds cpu_s peak_MiB
for format in pdf odt; do
  /usr/bin/time -f "%e %U %S %M" -o "$work/time" taskset -c 0 "$bin/src/cli/fondara-calc" \
    --apri "$work/f.fondara" "--$format" "$work/r.$format" >/dev/null || true
  read -r seconds user system peak_kb <"$work/time"
  checks=$("$bin/src/cli/fondara-calc" --apri "$work/f.fondara" --tabella - | tail -n +2 | wc -l)
  pages=-
  [ "$format" = pdf ] && pages=$(pdfinfo "$work/r.pdf" | awk '/^Pages:/ { print $2 }')
  cpu=$(awk -v u="$user" -v s="$system" 'BEGIN { printf "%.2f", u + s }')
  printf '%6s %7d %6s %9s %9s %9d\n' "$format" "$checks" "$pages" "$seconds" "$cpu" \
    $((peak_kb / 1024))
done
