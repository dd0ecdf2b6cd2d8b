// The calculation report of the drained kind, as report statements.
//
// The file version (Save, 61 lines without water table) and the printed version (Print)
// hold the same statements from "IL CALCOLO SI RIFERISCE AD UN TERRENO SCIOLTO" to the
// end; they differ in the opening. The inputs' water-table choice decides the
// water-table lines; the angle, the cohesion and the soil weight are printed back from
// the values the calculation used (radians, daN/m², the effective weight), so they
// always describe the calculation that produced the results.
#pragma once

#include <string_view>

#include "core/report.h"
#include "drained/calcolo_drenato.h"

namespace fondara::drained {

// Fails when a print-time conversion (c / 10000, G + 1000, q1 + q2 + q3) faults.
ReportOutcome drained_report(const DrainedInputs& in, const ValoriDrenati& valori,
                             std::string_view descrizione, Version version);

}  // namespace fondara::drained
