#!/usr/bin/env bash
# A private CUPS scheduler with one default queue, FONDARA_PDF, on A4 paper, that writes
# every job as a PDF file (the generic PDF driver on a file device, so the text stays
# readable by pdftotext). For tests of real printing; needs root, since it configures /etc/cups.
#
#   scripts/cups-test-printer.sh start [FOLDER]   start cupsd, create the queue; jobs go
#                                                 to FOLDER/job.pdf (/tmp/fondara-print)
#   scripts/cups-test-printer.sh stop [FOLDER]    remove the queue, stop that cupsd
#
# Or source it and call cups_test_printer_start / cups_test_printer_stop.
set -euo pipefail

readonly FONDARA_QUEUE=FONDARA_PDF
readonly FONDARA_PPD=lsb/usr/cupsfilters/Generic-PDF_Printer-PDF.ppd

cups_test_printer_start() {
  local folder=${1:-/tmp/fondara-print}
  mkdir -p "$folder"
  chmod 1777 "$folder"  # the file backend writes as the scheduler's user
  rm -f "$folder/job.pdf"

  local conf=/etc/cups/cups-files.conf
  if ! grep -q '^FileDevice Yes' "$conf"; then
    sed -i '/^#\?FileDevice /d' "$conf"
    echo 'FileDevice Yes' >>"$conf"
  fi

  if [ -f "$folder/cupsd.pid" ] && kill -0 "$(cat "$folder/cupsd.pid")" 2>/dev/null; then
    echo "cupsd already running (pid $(cat "$folder/cupsd.pid"))" >&2
  else
    /usr/sbin/cupsd -f &
    echo $! >"$folder/cupsd.pid"
  fi
  for _ in $(seq 50); do
    lpstat -r 2>/dev/null | grep -q 'is running' && break
    sleep 0.1
  done
  lpstat -r | grep -q 'is running'

  lpadmin -p "$FONDARA_QUEUE" -E -v "file://$folder/job.pdf" -m "$FONDARA_PPD" -o PageSize=A4
  # lpadmin -d, not lpoptions -d: as root the latter writes /etc/cups/lpoptions, which
  # would outlive this queue.
  lpadmin -d "$FONDARA_QUEUE"
  echo "printer $FONDARA_QUEUE ready, jobs in $folder/job.pdf, cupsd pid $(cat "$folder/cupsd.pid")"
}

cups_test_printer_stop() {
  local folder=${1:-/tmp/fondara-print}
  lpadmin -x "$FONDARA_QUEUE" 2>/dev/null || true
  if [ -f "$folder/cupsd.pid" ]; then
    local pid
    pid=$(cat "$folder/cupsd.pid")
    if kill "$pid" 2>/dev/null; then
      for _ in $(seq 50); do
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.1
      done
    fi
    rm -f "$folder/cupsd.pid"
  fi
}

if [ "${BASH_SOURCE[0]}" = "$0" ]; then
  case "${1:-}" in
    start) cups_test_printer_start "${2:-}" ;;
    stop) cups_test_printer_stop "${2:-}" ;;
    *)
      echo "usage: $0 start|stop [FOLDER]" >&2
      exit 2
      ;;
  esac
fi
