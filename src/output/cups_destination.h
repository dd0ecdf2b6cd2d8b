// The system's default print destination through libcups.
//
// Opening connects to the scheduler (cupsServer(), within half a second), looks up the
// default destination (the user's lpoptions, LPDEST or PRINTER, else the scheduler's
// default), refuses a stopped queue, and reads the destination's default paper with its
// printable area. Submitting creates the job, sends the PDF as its only document and
// checks the scheduler's answer to every step; a job left incomplete is cancelled.
// Every wait for the scheduler ends after half a second of silence, so a scheduler
// that has gone away or does not answer is a failure within 1.5 s, not a frozen window.
#pragma once

#include <QString>

#include "output/printer_channel.h"

namespace fondara::output {

// The default CUPS destination, or the cause why it cannot print. The production
// PrinterFactory.
Outcome<PrintDestination, QString> default_destination();

}  // namespace fondara::output
