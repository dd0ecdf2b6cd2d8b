// What the reports of the two bearing-pressure kinds (undrained and drained) share: the
// heading, the introductions and the design bearing pressure at their end, and the
// safety factors whose verification approach the reports name.
#pragma once

#include <string>
#include <string_view>

#include "core/kind.h"
#include "core/report.h"

namespace fondara {

// The heading line of both reports.
inline constexpr const char* kTitolo =
    "PROGRAMMA: FONDARA VER.3.0/2012/PORTANZA DELLE FONDAZIONI DIRETTE";

// The safety factor of Approccio 2: the text its field starts with (and fondara-calc's
// default), and the float whose reports name the approach. 1,8 is Approccio 1, Comb. 2.
inline constexpr std::string_view kYRApproccio2Text = "2,3";
inline constexpr float kYRApproccio2 = 2.3f;
inline constexpr float kYRApproccio1 = 1.8f;

// The head of the file reports: the heading, an empty line and the introduction in two
// paragraphs, each followed by an empty line. The undrained and drained files word the
// depth differently, so the second line of the first paragraph is given.
void testa_file(Builder& r, std::string riga_profondita);

// The introduction of the printed reports (at 8 points), without the empty lines around
// it, which differ between the two printed reports.
void introduzione_stampa(Builder& r);

// The design bearing pressure, last lines of both reports: "Si ottiene il carico limite
// di progetto", continued by the verification approach when YR is the float 2.3 or
// 1.8, then the qd line after two line ends.
void carico_di_progetto(Builder& r, float YR, float qd);

// The end of a bearing-pressure kind's calculation from its read inputs: L < B refused (L = B
// passes), the calculation's failure as the problem, or the texts of its result boxes and
// its reports. `calculate` gives the results or a Failure, `texts` the result boxes' texts,
// `report_of(in, results, description, version)` the report.
template <typename Inputs, typename Calculate, typename Texts, typename ReportOf>
CalculationOutcome bearing_calculation(const Inputs& in, std::string description,
                                       Calculate calculate, Texts texts, ReportOf report_of) {
  if (in.L < in.B) return Failed{length_below_width()};
  const auto outcome = calculate(in);
  if (!outcome)
    return Failed{Problem{ProblemType::not_computable, failure_message(outcome.error())}};
  const auto results = *outcome;
  return Calculation{.results = texts(results),
                     .description = std::move(description),
                     .report = [in, results, report_of](Version version, std::string_view given) {
                       return report_of(in, results, given, version);
                     }};
}

}  // namespace fondara
