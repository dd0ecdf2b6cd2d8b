// The calculation report of the verification kind, as report statements.
//
// The inputs, the sets of partial factors named in words with their factors, the characteristic
// actions, every combination (a generated one with the factor it gave each action), every
// check's values and verdict (or the refusal that stands in their place), the governing check,
// the footing's verdict and the notes on the method's limits. The file version (Save) and the
// printed version (Print, PDF/A) hold the same lines; on paper the heading is at 10 points, the
// rest at 8, and a plan of the footing under the governing check follows the verdict.
#pragma once

#include <functional>
#include <span>
#include <string_view>

#include "core/report.h"
#include "verifica/verification.h"

namespace fondara::verifica {

// Takes a part of the report as soon as it is made.
using ReportPart = std::function<void(Report&& part)>;

// The report part by part, each a few hundred checks or rows at most, so that the report of a
// footing of thousands of checks is never held whole; the parts in order are the report.
void verification_report_parts(const Footing& footing, std::span<const Action> actions,
                               const FootingChecks& checks, std::string_view descrizione,
                               Version version, const ReportPart& take);

// The whole report.
ReportOutcome verification_report(const Footing& footing, std::span<const Action> actions,
                                  const FootingChecks& checks, std::string_view descrizione,
                                  Version version);

}  // namespace fondara::verifica
