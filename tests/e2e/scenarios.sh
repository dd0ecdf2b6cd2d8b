#!/usr/bin/env bash
# End-to-end scenarios on the real fondara, one per CTest test (scenarios.sh SCENARIO), each
# described at its function. Run under xvfb-run with FONDARA, FONDARA_GEOMETRY and
# FONDARA_TEST_DATA set; the printer's also needs CUPS_TEST_PRINTER, root and python3, and
# apri_file openbox. Exit status 77: skipped.
# shellcheck disable=SC2016,SC2034  # eval'd texts; pids cleared by stop through a nameref
set -euo pipefail

scenario_name=${1:?usage: scenarios.sh SCENARIO}
# shellcheck source-path=SCRIPTDIR source=e2e_lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/e2e_lib.sh"

# The first worked example of each window.
readonly L=10 B=2 H=1 G1=1800 CU=0,5 PHI=30 C=0 G=1900

reports=$(mktemp -d "$E2E_TMP/rapporti.XXXXXX")

# Start window by keyboard: Tab from pulsante_sciolti to pulsante_coesivi, Return presses it.
open_coesivi_by_keyboard() {
  keys Tab Return
  coesivi=$(wait_window "$TITLE_COESIVI")
  wait_window_gone "$TITLE_START"
  focus "$coesivi"
}

# Types each value and presses Tab after it; an empty value only moves on.
type_and_tab() {
  local value
  for value in "$@"; do
    [ -z "$value" ] || type_text "$value"
    keys Tab
  done
}

# Drained fields by mouse: a click in each field, then its value.
click_and_type() {
  local window=$1
  shift
  while [ $# -gt 0 ]; do
    click "$window" form_sciolti "$1"
    type_text "$2"
    shift 2
  done
}

# The undrained window by keyboard only: L < B refused, the fields corrected with both Delete
# keys, the report saved.
scenario_coesivi_tastiera() {
  start_app
  open_coesivi_by_keyboard
  type_and_tab 1 "$B" "$H" "$G1" "$CU" # from lunghezza to calcola
  keys Return # calcola: L < B
  local message
  message=$(wait_window "$TITLE_MESSAGE")
  focus "$message"
  keys Return
  wait_window_gone "$TITLE_MESSAGE"
  # The refusal emptied lunghezza, then larghezza, where the focus stays. "910" with
  # the cursor at its start loses the 9 to Delete; "25" selected is removed by the
  # keypad's Delete. End first: a field that was not emptied gives another report.
  keys shift+Tab End
  type_text 910
  keys Home Delete Tab End
  type_text 25
  keys shift+Home KP_Delete
  type_text "$B"
  keys Tab Tab Tab Tab Return # altezza, peso_terreno_rinterro, coesione_non_drenata, calcola
  # calcola → Q_limite → Q_ammissibile → coefficiente_sicurezza → chiudi → stampa → salva
  keys Tab Tab Tab Tab Tab Tab Return
  save_through_dialog "$reports/coesivi.txt"
  expect_same_file "$reports/coesivi.txt" non_drenato_yr23.txt
}

# "?" of the drained window: the help window opens without an icon of its own, centred
# on the drained window by the centres of their client areas, and Escape closes it.
open_and_close_help() {
  click "$sciolti" form_sciolti cmdHelpGT
  local help centres
  help=$(wait_window "$TITLE_HELP")
  ! xprop -id "$help" _NET_WM_ICON | grep -q CARDINAL || fail "la finestra di aiuto ha un'icona"
  centres="$(window_centre "$help") $(window_centre "$sciolti")"
  awk -v c="$centres" 'BEGIN { split(c, v); exit (v[1] - v[3]) ^ 2 > 1 || (v[2] - v[4]) ^ 2 > 1 }' ||
    fail "la finestra di aiuto non è centrata sulla finestra dei terreni sciolti: $centres"
  focus "$help"
  keys Escape
  wait_window_gone "$TITLE_HELP"
  app_running || fail "fondara è terminato alla chiusura della finestra di aiuto"
}

# The drained window by mouse, water table SI, the help window, the report saved.
scenario_sciolti_mouse() {
  start_app
  click "$start_window" form_principale pulsante_sciolti
  sciolti=$(wait_window "$TITLE_SCIOLTI")
  wait_window_gone "$TITLE_START"
  focus "$sciolti"
  click_and_type "$sciolti" lunghezza "$L" larghezza "$B" altezza "$H" angolo "$PHI" \
    coesione_drenata "$C" peso_terreno_fondazione "$G" peso_terreno_rinterro "$G1"
  click "$sciolti" form_sciolti Option1
  open_and_close_help
  click "$sciolti" form_sciolti calcola
  click "$sciolti" form_sciolti salva
  save_through_dialog "$reports/sciolti.txt"
  expect_same_file "$reports/sciolti.txt" drenato_si.txt
}

# Under a window manager (openbox), which frames and places the windows: fondara FILE opens
# the drained window filled from a data file and calculated; the help window; the report.
scenario_apri_file() {
  start_window_manager
  local data=$reports/plinto.fondara
  printf '%s\n' 'FONDARA-DATI 1' 'tipo=sciolti' 'origine=terminale' "lunghezza=$L" \
    "larghezza=$B" "altezza=$H" "angolo=$PHI" "coesione_drenata=$C" \
    "peso_terreno_fondazione=$G" "peso_terreno_rinterro=$G1" 'falda=SI' >"$data"
  start_app "$data"
  sciolti=$(wait_window "$TITLE_SCIOLTI")
  not shown "$TITLE_START" || fail "con un file, la finestra iniziale non deve comparire"
  focus "$sciolti"
  open_and_close_help
  click "$sciolti" form_sciolti salva
  save_through_dialog "$reports/sciolti.txt"
  expect_same_file "$reports/sciolti.txt" drenato_si.txt
}

# ---------------------------------------------------------------- window manager

# Starts openbox and waits until it manages windows: it names its check window on the root.
start_window_manager() {
  if ! command -v openbox >/dev/null; then
    echo "saltato: serve openbox"
    exit 77
  fi
  local home
  home=$(mktemp -d "$E2E_TMP/openbox.XXXXXX")
  HOME=$home XDG_CONFIG_HOME=$home/.config XDG_CACHE_HOME=$home/.cache \
    openbox --sm-disable >"$E2E_TMP/openbox.log" 2>&1 &
  wm_pid=$!
  # shellcheck disable=SC2317  # run by the EXIT trap
  e2e_extra_cleanup() { stop wm_pid; }
  wait_until eval "xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'" ||
    fail "openbox non gestisce le finestre: $(cat "$E2E_TMP/openbox.log")"
}

# ---------------------------------------------------------------- real printer

readonly PRINT_WAIT=${PRINT_WAIT:-90} QUEUE=FONDARA_PDF
FAULTY_RELAY=$(dirname "${BASH_SOURCE[0]}")/faulty_relay.py
readonly FAULTY_RELAY
# First word's place (pt, rounded) per paper: 10/200 across, 10/100 down its printable area.
declare -A ORIGIN=([A4]="46 113" [letter]="47 108")

# Clicks STAMPA, the pointer moved there anew (xdotool is slow to move where it already is).
click_stampa() { xdotool mousemove 0 0 && clicked_at=$(date +%s%N) && click "$coesivi" form_coesivi stampa; }
words() { tr -s ' \f\n' '\n' | grep .; }

# STAMPA prints the report's words in order on paper $1, the first at the paper's ORIGIN.
expect_printed() {
  local job=$print_folder/job.pdf info=$E2E_TMP/pdfinfo
  click_stampa
  wait_limit=$PRINT_WAIT wait_until eval \
    '[ -s "$job" ] && [ -z "$(lpstat -o 2>/dev/null)" ] && pdfinfo "$job" >"$info" 2>&1' ||
    fail "nessuna stampa entro $PRINT_WAIT s: $(lpstat -t 2>&1)"
  diff -u <(words <"$FONDARA_TEST_DATA/non_drenato_yr23.stampa.txt") \
    <(pdftotext -layout "$job" - | words) >&2 || fail "la stampa non ha le parole della relazione"
  grep -q "^Page size:.*($1)" "$info" || fail "la pagina non è $1: $(cat "$info")"
  [[ $(pdftotext -bbox "$job" -) =~ xMin=\"([0-9.]+)\"\ yMin=\"([0-9.]+)\" ]] &&
    [ "$(printf '%.0f %.0f' "${BASH_REMATCH[@]:1}")" = "${ORIGIN[$1]}" ] ||
    fail "la prima parola non è a ${ORIGIN[$1]} pt: ${BASH_REMATCH[*]:1}"
  rm -f "$job"
}

# STAMPA shows the print message within 2 s of the click, or $2 ms ($1 says why), and prints
# nothing; an impatient second click meanwhile starts no second print.
expect_print_problem() {
  local limit_ms=${2:-2000}
  click_stampa
  xdotool click 1
  until shown "$TITLE_MESSAGE"; do
    [ $(($(date +%s%N) - clicked_at)) -lt $((limit_ms * 1000000)) ] ||
      fail "$1: nessun messaggio entro $limit_ms ms"
    sleep 0.02
  done
  e2e_log "$1: messaggio dopo $((($(date +%s%N) - clicked_at) / 1000000)) ms"
  focus "$(wait_window "$TITLE_MESSAGE")"
  keys Return
  wait_window_gone "$TITLE_MESSAGE"
  app_running && [ ! -e "$print_folder/job.pdf" ] || fail "$1: fondara è terminato o ha stampato"
}

# The undrained window of a new fondara (with this function's environment), calculated.
open_coesivi_calculated() {
  start_app
  open_coesivi_by_keyboard
  type_and_tab "$L" "$B" "$H" "$G1" "$CU"
  keys Return
}

# STAMPA through a relay that keeps each document from the scheduler (faulty_relay.py):
# the relay falls silent; it answers the document, then falls silent; it says the job was
# aborted; it falls silent and takes no new connection. Each time the print message.
# Once the relay is gone, the jobs that the scheduler created are cancelled, through new
# connections, except the last, which the cancel could not reach: it stays without a
# document, so it never prints. Asked for the job's state, libcups waits one second for
# an early answer besides the silence: 2.5 s once the document is answered.
expect_relay_problems() {
  local port_file=$E2E_TMP/relay.port
  python3 "$FAULTY_RELAY" "$port_file" silent silent-after-answer aborted unreachable \
    2>"$E2E_TMP/relay.log" &
  relay_pid=$!
  wait_until test -s "$port_file" || fail "il relay non parte: $(cat "$E2E_TMP/relay.log")"
  CUPS_SERVER=127.0.0.1:$(cat "$port_file") open_coesivi_calculated
  expect_print_problem "relay che tace dopo il documento"
  expect_print_problem "relay che tace dopo la risposta al documento" 2500
  expect_print_problem "lavoro interrotto dopo il documento"
  expect_print_problem "relay irraggiungibile dopo il documento"
  stop relay_pid
  [ "$(grep -c 'kept from the scheduler' "$E2E_TMP/relay.log")" -eq 4 ] ||
    fail "i documenti non sono passati dal relay: $(cat "$E2E_TMP/relay.log")"
  [ "$(lpstat -W all -o "$QUEUE" | wc -l)" -eq 6 ] || fail "lavori non creati: $(lpstat -W all -o)"
  local left
  left=$(lpstat -o "$QUEUE")
  [[ $left =~ ^$QUEUE-[0-9]+\ +[^[:space:]]+\ +0\  ]] && [ "$(wc -l <<<"$left")" -eq 1 ] ||
    fail "in coda non solo l'ultimo lavoro, senza documento: $left"
  cancel -a "$QUEUE"
}

# Lets the scheduler run again, removes the queue and stops it; false if it still runs.
stop_scheduler() {
  kill -CONT "$cups_pid" 2>/dev/null || true
  "$CUPS_TEST_PRINTER" stop "$print_folder" >>"$E2E_TMP/cups.log" 2>&1 || true
  ! kill -0 "$cups_pid" 2>/dev/null
}

# On a real CUPS queue: a refused job, the report printed and read back on A4 and Letter, a
# stopped queue, a relay that fails the job in four ways once it has the document, a
# scheduler that does not answer, none.
scenario_stampante() {
  if [ "$(id -u)" -ne 0 ] || [ ! -x /usr/sbin/cupsd ] || pgrep -x cupsd >/dev/null; then
    echo "saltato: servono root e /usr/sbin/cupsd, senza un altro cupsd in esecuzione"
    exit 77
  fi
  # Outside E2E_TMP, whose mode keeps the scheduler out.
  print_folder=$(mktemp -d "${TMPDIR:-/tmp}/fondara-stampa.XXXXXX") cups_pid='' relay_pid=''
  # shellcheck disable=SC2317  # run by the EXIT trap
  e2e_extra_cleanup() {
    stop relay_pid
    stop_scheduler || kill -KILL "$cups_pid" 2>/dev/null || true
    rm -rf "$print_folder"
  }
  "$CUPS_TEST_PRINTER" start "$print_folder" >"$E2E_TMP/cups.log" 2>&1 ||
    fail "cupsd non parte: $(cat "$E2E_TMP/cups.log")"
  cups_pid=$(cat "$print_folder/cupsd.pid")

  open_coesivi_calculated
  cupsreject "$QUEUE"
  expect_print_problem "coda che rifiuta i lavori"
  cupsaccept "$QUEUE"
  expect_printed A4
  lpadmin -p "$QUEUE" -o PageSize=Letter
  expect_printed letter
  cupsdisable "$QUEUE"
  expect_print_problem "coda ferma"
  [ "$(lpstat -W all -o "$QUEUE" | wc -l)" -eq 2 ] || fail "non solo i 2 lavori stampati: $(lpstat -W all -o)"
  cupsenable "$QUEUE"
  expect_relay_problems
  open_coesivi_calculated
  kill -STOP "$cups_pid"
  expect_print_problem "scheduler fermo che non risponde"
  stop_scheduler || fail "cupsd (pid $cups_pid) ancora in esecuzione"
  expect_print_problem "senza scheduler"
}

# ---------------------------------------------------------------- verification window

# CALCOLA and SALVA through their Alt keys: a button pressed by its key is clicked once its
# pressed look has been shown, so SALVA waits for it.
calcola_and_save() {
  keys alt+c
  sleep 0.5
  keys alt+s
}

# Puts the text on the X clipboard, as a spreadsheet's copy does.
copy() { printf '%b' "$1" | xclip -selection clipboard || fail "xclip non copia"; }

# The worked footing of the README (docs/plinto-p12.fondara): opened with fondara FILE, its report
# is fondara-calc's of the same file. Then, by keyboard from the start window: the conditions,
# the footing and soil, one action typed and five pasted, the project, CALCOLA, the data saved
# byte for byte as the README's file; thirty corrections typed at full speed over
# selected cells of the combinations, every value as typed in the saved data; CHIUDI.
scenario_verifica() {
  local p12=$FONDARA_TEST_DATA/../../docs/plinto-p12.fondara
  local report="$E2E_TMP/p12.txt" expected="$E2E_TMP/p12-calc.txt" verifica
  start_app "$p12"
  verifica=$(wait_window "$TITLE_VERIFICA")
  focus "$verifica"
  keys alt+s
  save_through_dialog "$report"
  "$FONDARA_CALC" --apri "$p12" --report "$expected" >/dev/null || fail "fondara-calc --apri non riesce"
  cmp "$report" "$expected" || fail "la relazione della finestra non è quella di fondara-calc --apri"
  grep -q '^ESITO DELLA FONDAZIONE: VERIFICATA' "$report" || fail "esito inatteso"
  keys alt+h
  wait_until not app_running || fail "fondara è ancora in esecuzione dopo CHIUDI"

  start_app
  keys Tab Tab Return # from pulsante_sciolti past pulsante_coesivi to pulsante_verifica
  verifica=$(wait_window "$TITLE_VERIFICA")
  wait_window_gone "$TITLE_START"
  focus "$verifica"
  # From larghezza, where the window puts the focus: back to the third condition (both), chosen;
  # B, L, D, α (empty), φ'k, c'k, cu,k, γ, zw (empty: γsat stays disabled), the set as it is,
  # kh, γR,v,E (empty), φ'cv,k.
  keys shift+Tab space Tab
  type_and_tab 2 2,5 1,2 "" 28 5 110 19 "" ""
  type_and_tab 0,1 "" 26
  # The actions through their caption's Alt+O: the first typed (its type the list's first, G1),
  # Down to a new row, Home to its first cell, the others pasted.
  keys alt+o
  type_and_tab "Peso proprio e plinto" "" 620 15 8 6
  type_text 3
  keys Down Home
  copy 'Permanenti portati\tG2\t180\t6\t4\t0\t0\nResidenziale\tq-a\t150\t10\t-5\nNeve\tQ-neve\t60\t2\nSisma x\tEx\t30\t-260\t0\t-95\nSisma y\tEy\t20\t0\t240\t0\t85\n'
  keys ctrl+v
  # The project: the description through Alt+D, the element and the work before it.
  keys alt+d
  type_text "Plinto P12 - pilastro d'angolo"
  keys shift+Tab shift+Tab
  type_text "Plinto P12"
  keys shift+Tab shift+Tab shift+Tab
  type_text "Edificio residenziale via Roma 12"
  calcola_and_save
  save_through_dialog "$E2E_TMP/p12.fondara"
  cmp "$E2E_TMP/p12.fondara" "$p12" || fail "i dati salvati non sono docs/plinto-p12.fondara"

  # Three combinations pasted through Alt+I, then corrections typed over the selected cells
  # as fast as xdotool types, each closed by Return.
  keys alt+i
  copy '50\t1\t2\t3\t4\n50\t1\t2\t3\t4\n50\t1\t2\t3\t4\n'
  keys ctrl+v
  local -a cells=(50 1 2 3 4 50 1 2 3 4 50 1 2 3 4)
  local i row column value moves
  for i in $(seq 0 29); do
    row=$((i % 3)) column=$((i % 5)) value=$((177 + 13 * i))
    moves=(ctrl+Home)
    for _ in $(seq 1 $row); do moves+=(Down); done
    for _ in $(seq 1 $column); do moves+=(Right); done
    keys "${moves[@]}"
    xdotool type --delay 1 -- "$value"
    keys Return
    cells[row * 5 + column]=$value
  done
  calcola_and_save
  save_through_dialog "$E2E_TMP/corrette.fondara"
  local want got
  want=$(for row in 0 1 2; do
    echo "combinazione=${cells[row * 5]};${cells[row * 5 + 1]};${cells[row * 5 + 2]};${cells[row * 5 + 3]};${cells[row * 5 + 4]};"
  done)
  got=$(grep '^combinazione=' "$E2E_TMP/corrette.fondara")
  [ "$got" = "$want" ] || fail "valori corretti persi: atteso $want, salvato $got"
  focus "$verifica"
  keys alt+h
  wait_until not app_running || fail "fondara è ancora in esecuzione dopo CHIUDI"
}

case "$scenario_name" in
  coesivi_tastiera | sciolti_mouse | apri_file | stampante | verifica)
    "scenario_$scenario_name"
    ;;
  *)
    echo "scenario sconosciuto: $scenario_name" >&2
    exit 2
    ;;
esac
e2e_log "superato"
