// Number items, the closing lines of the bearing-pressure reports, the failure messages.
#include "core/report.h"

#include <cmath>

#include "core/bearing_report.h"
#include "row_name.h"
#include "text_row.h"

namespace fondara::test {
namespace {

// The text of carico_di_progetto's statements, an open statement continuing the next one.
std::string carico(float YR) {
  Builder r;
  carico_di_progetto(r, YR, 1.25f);
  std::string text;
  for (const Event& event : r.take()) {
    const auto* statement = std::get_if<Statement>(&event);
    if (statement == nullptr) continue;
    for (const Item& item : statement->items) text += item_text(item);
    if (statement->end == End::line_break) text += '\n';
  }
  return text;
}

const std::string kQd = "qd = qR / YR =  1,25  daN/cm^2 (bar)\n";
const std::string kNoApproach = "Si ottiene il carico limite di progetto\n\n" + kQd;
const std::string kApproach =
    "Si ottiene il carico limite di progetto allo SLU, secondo Approccio ";

// Only the floats of exactly 2,3 and 1,8 name an approach; without one, the first empty
// statement ends the open line.
// clang-format off
const TextRow rows[] = {
    {"item_positive_float_after_a_blank", item_text(2.88f), " 2,88 "},
    {"item_negative_takes_the_sign_position", item_text(-1.5f), "-1,5 "},
    {"item_double_of_fifteen_digits", item_text(1.0 / 3.0), " 0,333333333333333 "},
    {"item_text_unchanged", item_text(std::string(" a  b ")), " a  b "},
    {"approccio_2", carico(2.3f), kApproach + "2:\n\n\n" + kQd},
    {"approccio_1", carico(1.8f), kApproach + "1, Comb.2:\n\n\n" + kQd},
    {"just_above_2_3", carico(std::nextafter(2.3f, 3.0f)), kNoApproach},
    {"just_below_1_8", carico(std::nextafter(1.8f, 1.0f)), kNoApproach},
    {"calculation_failure", failure_message(Failure::lunghezza_zero),
     "Impossibile eseguire il calcolo: la lunghezza L non può essere zero."},
    {"report_value_out_of_range", report_failure_message(Failure::fuori_intervallo),
     "Impossibile preparare la relazione: un valore da stampare supera il massimo valore "
     "rappresentabile."},
    {"report_value_not_a_number", report_failure_message(Failure::non_numero),
     "Impossibile preparare la relazione: un valore da stampare non è un numero valido."},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(Reports, CoreText, testing::ValuesIn(rows), testing_support::RowName{});

}  // namespace
}  // namespace fondara::test
