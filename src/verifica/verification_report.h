// The calculation report of the verification kind, as report statements.
//
// The inputs, the set of partial factors named in words with its factors, the design
// strengths, the load combinations, every combination's values and verdict (or the refusal
// that stands in their place), the governing combination and the verdict of the whole
// check. The file version (Save) and the printed version (Print, PDF/A) hold the same lines;
// on paper the heading is at 10 points, the rest at 8, and a plan of the footing under the
// governing combination follows the verdict.
#pragma once

#include <span>
#include <string_view>

#include "core/report.h"
#include "verifica/verification.h"

namespace fondara::verifica {

ReportOutcome verification_report(const Footing& footing, std::span<const LoadCombination> loads,
                                  std::span<const Outcome<Verification, Refusal>> outcomes,
                                  std::string_view descrizione, Version version);

// The line that states the whole check: "ESITO DELLA VERIFICA: VERIFICATA" or "... NON
// VERIFICATA (combinazioni 2, 3)" naming those that fail or were refused.
std::string overall_verdict(std::span<const Outcome<Verification, Refusal>> outcomes);

}  // namespace fondara::verifica
