// The system's default print destination through libcups.
//
// Opening connects to the scheduler (cupsServer(), within half a second), looks up the
// default destination (the user's lpoptions, LPDEST or PRINTER, else the scheduler's
// default), refuses a stopped queue, and reads the destination's default paper with its
// printable area. Submitting creates the job, sends the PDF as its only document, checks
// the scheduler's answer to every step, and then asks the scheduler for the job's state:
// the print is done only while the job is known there as pending, held, processing or
// completed. A job created but not confirmed is cancelled, on a new connection.
// Every wait for the scheduler ends after half a second of silence (libcups waits one
// second more for an early answer to a request it has sent whole), so a scheduler that
// has gone away or does not answer is a failure within 1.5 s before the job, within 2 s
// when the document goes unanswered, and within some 3.5 s when the scheduler answers the
// document and then falls silent: never a frozen window.
#pragma once

#include <QString>

#include "output/printer_channel.h"

namespace fondara::output {

// The default CUPS destination, or the cause why it cannot print. The production
// PrinterFactory.
Outcome<PrintDestination, QString> default_destination();

// Whether a job in this job-state (RFC 8011, 5.3.7) prints or has printed: pending, held,
// processing or completed. A stopped, canceled or aborted job prints nothing.
bool job_on_its_way(int state);

}  // namespace fondara::output
