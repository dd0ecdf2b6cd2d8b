// The calculation report of the verification kind, as report statements.
//
// The inputs, the sets of partial factors named in words with their factors, the characteristic
// actions, every combination (a generated one with the factor it gave each action), every
// check's values and verdict (or the refusal that stands in their place), the governing check,
// the footing's verdict and the notes on the method's limits. The file version (Save) and the
// printed version (Print, PDF/A) hold the same lines; on paper the heading is at 10 points, the
// rest at 8, and a plan of the footing under the governing check follows the verdict.
#pragma once

#include <span>
#include <string_view>

#include "core/report.h"
#include "verifica/verification.h"

namespace fondara::verifica {

ReportOutcome verification_report(const Footing& footing, std::span<const Action> actions,
                                  const FootingChecks& checks, std::string_view descrizione,
                                  Version version);

}  // namespace fondara::verifica
