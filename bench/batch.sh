#!/usr/bin/env bash
# Throughput and peak memory of a fondara-calc batch: drained rows read from a file and
# from a pipe on standard input, the results drained to /dev/null, one core.
#   bench/batch.sh [ROWS...]     (default 1000000 10000000; builds build-bench, Release)
# Prints rows, source, elapsed and CPU seconds, rows per CPU second and peak resident memory
# (CPU time, user and system, is what a busy shared machine does not distort).
set -euo pipefail
cd "$(dirname "$0")/.."
bin=build-bench
[ $# -gt 0 ] || set -- 1000000 10000000

cmake -S . -B "$bin" -G Ninja -DCMAKE_BUILD_TYPE=Release -DFONDARA_BENCH=ON -DFONDARA_GUI=OFF \
  >/dev/null
cmake --build "$bin" --target fondara-calc >/dev/null
calc=$bin/src/cli/fondara-calc
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Rows of varied drained data, as an engineer's batch would hold them.
make_rows() {
  awk -v rows="$1" 'BEGIN {
    print "lunghezza;larghezza;altezza;angolo;coesione_drenata;peso_terreno_fondazione;" \
          "peso_terreno_rinterro;falda;descrizione"
    for (i = 0; i < rows; i++)
      printf "%d;%d;%d,%d;%d;0,%d;%d;1800;%s;Plinto %d\n", 10 + i % 7, 2 + i % 3, 1 + i % 4,
             i % 10, 20 + i % 20, i % 10, 1850 + i % 100, (i % 2 ? "SI" : "NO"), i
  }'
}

# measure ROWS SOURCE: GNU time around fondara-calc alone, pinned to core 0; cat feeds the
# pipe from another core. Exit code 1 (a row that cannot be computed) is not expected.
measure() {
  local rows=$1 source=$2
  local timed=(/usr/bin/time -f "%e %U %S %M" -o "$work/time" taskset -c 0 "$calc" sciolti --csv)
  if [ "$source" = file ]; then
    "${timed[@]}" "$work/rows.csv" >/dev/null
  else
    taskset -c 1 cat "$work/rows.csv" | "${timed[@]}" - >/dev/null
  fi
  read -r elapsed user system peak_kb <"$work/time"
  awk -v r="$rows" -v s="$source" -v e="$elapsed" -v u="$user" -v y="$system" -v m="$peak_kb" '
  BEGIN {
    cpu = u + y
    printf "%9d rows  %-5s %6.2f s elapsed  %6.2f s CPU  %9.0f rows/s  %6.1f MB peak\n",
           r, s, e, cpu, r / cpu, m / 1024 }'
}

for rows in "$@"; do
  make_rows "$rows" >"$work/rows.csv"
  measure "$rows" file
  measure "$rows" stdin
done
