// Building blocks of the report builders: the fixed statement shapes, the two
// versions of a report and the failure of a report.
//
// The undrained and drained report builders assemble their statements from these
// shapes. A print-time conversion (for instance qR × 10000) is stored through
// checked::store, so a value beyond the float range makes the whole report fail
// instead of writing a partial or wrong line.
#pragma once

#include <string>

#include "input/calculation.h"
#include "report/statement.h"

namespace fondara::report {

// The file report (Save) or the printed report (Print).
enum class Version { file, stampa };

// A complete report, or the cause that kept it from being prepared.
using Result = fondara::Outcome<Report>;

// The cause in plain Italian, e.g. "Impossibile preparare la relazione: un valore
// da stampare supera il massimo valore rappresentabile." (UTF-8).
std::string report_failure_message(Failure cause);

// Appends statements of the fixed shapes to a report.
class Builder {
 public:
  void empty() { add({}, End::line_break); }
  void text(std::string text) { add({std::move(text)}, End::line_break); }
  void open_text(std::string text) { add({std::move(text)}, End::open_line); }
  void text_and_text(std::string label, std::string text) {
    add({std::move(label), std::move(text)}, End::line_break);
  }
  void labelled(std::string label, float value) { add({std::move(label), value}, End::line_break); }
  void labelled(std::string label, float value, std::string unit) {
    add({std::move(label), value, std::move(unit)}, End::line_break);
  }
  void labelled(std::string label, double value, std::string unit) {
    add({std::move(label), value, std::move(unit)}, End::line_break);
  }
  void font_size(int points) {
    report_.emplace_back(std::in_place_type<FontSize>, FontSize{points});
  }

  Report take() { return std::move(report_); }

 private:
  void add(std::vector<Item> items, End end) {
    report_.emplace_back(std::in_place_type<Statement>, Statement{std::move(items), end});
  }

  Report report_;
};

// The heading line of every report.
inline constexpr const char* kTitolo =
    "PROGRAMMA: FONDARA VER.3.0/2012/PORTANZA DELLE FONDAZIONI DIRETTE";

// The head of the file reports: the heading, an empty line and the introduction in two
// paragraphs, each followed by an empty line. The undrained and drained files word
// the depth differently, so the second line of the first paragraph is given.
void testa_file(Builder& r, std::string riga_profondita);

// The introduction of the printed reports (at 8 points), without the empty lines
// around it, which differ between the two printed reports.
void introduzione_stampa(Builder& r);

// The design bearing pressure, last lines of both reports: "Si ottiene il carico
// limite di progetto", continued by the verification approach when YR is the float
// 2.3 or 1.8, then the qd line after two line ends.
void carico_di_progetto(Builder& r, float YR, float qd);

// The float nearest to 2.3 and to 1.8: the safety factors whose verification
// approach the reports name.
inline constexpr float kYRApproccio2 = 2.3f;
inline constexpr float kYRApproccio1 = 1.8f;

}  // namespace fondara::report
