// The calculation report of the drained window, as report statements.
//
// The file version (Save, 61 lines without water table) and the printed version
// (Print) hold the same statements from "IL CALCOLO SI RIFERISCE AD UN TERRENO
// SCIOLTO" to the end; they differ in the opening. The record is the one left by
// CalcoloDrenato (phi in radians, c in daN/m², G the effective weight); its `falda`
// decides the water-table lines, so they always describe the calculation that
// produced the values.
#pragma once

#include <string_view>

#include "drained/calcolo_drenato.h"
#include "report/builder.h"

namespace fondara {

// Fails when a print-time conversion (angle in degrees, c / 10000, G + 1000,
// q1 + q2 + q3) faults.
report::Result report_drenato(const ValoriDrenati& valori, std::string_view descrizione,
                              report::Version version);

}  // namespace fondara
