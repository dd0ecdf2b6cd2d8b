// The calculation report of the undrained window, as report statements.
//
// The file version (Save) and the printed version (Print) share the body; they
// differ in the introduction, in the empty lines around it and, on paper, in the
// font size (10 points for the heading, then 8). The window hands over the inputs
// of the last Calculate, its results and the description; fondara-calc does the
// same.
#pragma once

#include <string_view>

#include "report/builder.h"
#include "undrained/calcolo_non_drenato.h"

namespace fondara {

// Fails only when qR × 10000 lies beyond the float range.
report::Result report_non_drenato(const DatiNonDrenati& dati, const RisultatiNonDrenati& risultati,
                                  std::string_view descrizione, report::Version version);

}  // namespace fondara
