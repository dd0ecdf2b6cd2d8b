// The calculation report of the undrained kind, as report statements.
//
// The file version (Save) and the printed version (Print) share the body; they differ
// in the introduction, in the empty lines around it and, on paper, in the font size
// (10 points for the heading, then 8). Made from the inputs of a completed calculation,
// its results and the description.
#pragma once

#include <string_view>

#include "core/report.h"
#include "undrained/calcolo_non_drenato.h"

namespace fondara::undrained {

// Fails only when qR × 10000 lies beyond the float range.
ReportOutcome undrained_report(const UndrainedInputs& in, const UndrainedResults& results,
                               std::string_view descrizione, Version version);

}  // namespace fondara::undrained
