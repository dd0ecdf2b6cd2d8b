# shellcheck shell=bash disable=SC2034  # the titles are used by the scenarios
# Functions of the end-to-end scenarios (sourced by scenarios.sh): the real fondara under
# xvfb-run, driven with xdotool key strokes and clicks as a user would. Every wait is bounded.
# E2E_ARTIFACTS: folder for a screenshot on failure (default: the current folder).

: "${FONDARA:?FONDARA must name the fondara executable}"
: "${FONDARA_GEOMETRY:?FONDARA_GEOMETRY must name the fondara_e2e_geometry executable}"
: "${FONDARA_TEST_DATA:?FONDARA_TEST_DATA must name the folder of the expected reports}"
: "${FONDARA_CALC:?FONDARA_CALC must name the fondara-calc executable}"
: "${DISPLAY:?an X server is needed (run under xvfb-run)}"
export QT_QPA_PLATFORM=xcb

readonly E2E_WAIT=${E2E_WAIT:-20}

readonly TITLE_START='^Fondara Ver\.3\.0$'
readonly TITLE_COESIVI='terreni coesivi $'
readonly TITLE_SCIOLTI='terreni sciolti$'
readonly TITLE_SAVE_DIALOG='^VELDORA - salva file$'
readonly TITLE_MESSAGE='^Fondara$'
readonly TITLE_HELP='^  Informazioni G1$'
# The verification window's title may name its file before and mark unsaved work after.
readonly TITLE_VERIFICA='Verifica della fondazione - NTC 2018 / EC7'

E2E_TMP=$(mktemp -d "${TMPDIR:-/tmp}/fondara-e2e.XXXXXX")
app_pid=
scenario_name=${scenario_name:-e2e}

e2e_log() { echo "[$(date +%T)] $*"; }

# stop VARIABLE: ends the child process whose pid the variable holds, if any, and clears it.
stop() {
  local -n pid=$1
  [ -z "$pid" ] || { kill "$pid" 2>/dev/null || true; wait "$pid" 2>/dev/null || true; }
  pid=
}
stop_app() { stop app_pid; }

# A scenario's own clean-up (for instance cupsd), run first.
e2e_extra_cleanup() { :; }

e2e_cleanup() {
  local status=$?
  e2e_extra_cleanup || true
  stop_app
  rm -rf "$E2E_TMP"
  return "$status"
}
trap e2e_cleanup EXIT

# Prints the reason, the program's output and a picture of the screen, then fails.
fail() {
  echo "ERRORE [$scenario_name]: $*" >&2
  if [ -s "$E2E_TMP/fondara.log" ]; then
    echo "--- uscita di fondara ---" >&2
    cat "$E2E_TMP/fondara.log" >&2
  fi
  if command -v import >/dev/null; then
    local picture="${E2E_ARTIFACTS:-$PWD}/e2e-$scenario_name-errore.png"
    import -window root "$picture" 2>/dev/null && echo "schermo: $picture" >&2
  fi
  exit 1
}

app_running() { [ -n "$app_pid" ] && kill -0 "$app_pid" 2>/dev/null; }
not() { ! "$@"; }

# Runs the command every 0.1 s until it succeeds; false after $wait_limit (E2E_WAIT) seconds.
wait_until() {
  local deadline=$((SECONDS + ${wait_limit:-$E2E_WAIT}))
  until "$@"; do
    [ "$SECONDS" -lt "$deadline" ] || return 1
    sleep 0.1
  done
}

# Starts the program with a fresh HOME whose Documents folder is where the save dialog
# opens; waits for the start window and gives it the keyboard focus.
start_app() {
  stop_app
  local home
  home=$(mktemp -d "$E2E_TMP/home.XXXXXX")
  mkdir "$home/Documents"
  mkdir -m 700 "$home/run"
  HOME=$home XDG_CONFIG_HOME=$home/.config XDG_RUNTIME_DIR=$home/run "$FONDARA" "$@" \
    >>"$E2E_TMP/fondara.log" 2>&1 &
  app_pid=$!
  # Given a file, the program starts in the file's window instead.
  [ $# -eq 0 ] || return 0
  start_window=$(wait_window "$TITLE_START")
  focus "$start_window"
}

# Whether a visible window's title matches the regular expression. A search fails at once
# when a window it looks at goes away meanwhile (under a window manager, a closing frame).
shown() { xdotool search --onlyvisible --name "$1" >/dev/null 2>&1; }

# Prints the id of the first visible window whose title matches the regular expression.
wait_window() {
  local ids title=$1
  wait_until eval 'ids=$(xdotool search --onlyvisible --name "$title" 2>/dev/null)' ||
    fail "nessuna finestra con titolo /$1/$(app_running || echo ' (fondara è terminato)')"
  echo "${ids%%$'\n'*}"
}

wait_window_gone() { wait_until not shown "$1" || fail "la finestra /$1/ è ancora aperta"; }

focus() {
  timeout "$E2E_WAIT" xdotool windowfocus --sync "$1" ||
    fail "la finestra $1 non riceve il focus entro $E2E_WAIT s"
}

# Types text into the focused control; keys presses named keys (Tab, Return, shift+Tab).
type_text() { xdotool type --delay 15 -- "$1"; }
keys() { xdotool key --delay 30 "$@"; }

# The absolute place of a window's client area on the screen: "left top width height",
# the same with a window manager's frame around it or without.
client_area() {
  xwininfo -id "$1" | awk '/Absolute upper-left X/ { x = $4 } /Absolute upper-left Y/ { y = $4 }
    /Width:/ { w = $2 } /Height:/ { h = $2 } END { print x, y, w, h }'
}

# The centre of a window's client area, "x y".
window_centre() { client_area "$1" | awk '{ print $1 + $3 / 2, $2 + $4 / 2 }'; }

# click WINDOW NAME CONTROL: clicks the centre of the control of the window with X id
# WINDOW, whose objectName is NAME, as fondara_e2e_geometry placed it.
click() {
  local -n places=$2
  [ -n "${places[$3]:-}" ] || fail "la finestra $2 non ha il controllo $3"
  local left top width height window_left window_top _
  read -r left top width height <<<"${places[$3]}"
  read -r window_left window_top _ <<<"$(client_area "$1")"
  local x=$((window_left + left + width / 2)) y=$((window_top + top + height / 2))
  timeout "$E2E_WAIT" xdotool mousemove --sync "$x" "$y" ||
    fail "il puntatore non arriva a $x,$y"
  xdotool click 1
}

# Types the path into the save dialog that SALVA opened (its file name box has the focus),
# confirms it and waits for the file (written atomically: complete once it is there).
save_through_dialog() {
  focus "$(wait_window "$TITLE_SAVE_DIALOG")"
  type_text "$1"
  keys Return
  wait_window_gone "$TITLE_SAVE_DIALOG"
  wait_until test -s "$1" || fail "il file $1 non è stato scritto"
}

# Fails unless the file equals the expected report byte for byte; shows the first
# differing bytes (position, octal got, octal expected).
expect_same_file() {
  local differences
  differences=$(cmp -l "$1" "$FONDARA_TEST_DATA/$2" 2>&1 | head -n 10) ||
    fail "il rapporto salvato non è $2: $differences"
  e2e_log "identico a $2"
}

# The controls of the program's windows (see click).
geometry=$(QT_QPA_PLATFORM=offscreen "$FONDARA_GEOMETRY" 2>"$E2E_TMP/geometry.log") ||
  fail "fondara_e2e_geometry non riesce: $(cat "$E2E_TMP/geometry.log")"
eval "$geometry"
