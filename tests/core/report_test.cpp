// The statement model's number items, the shared closing lines of the bearing-pressure
// reports, and the words of a failed calculation or report.
#include "core/report.h"

#include <gtest/gtest.h>

#include <cmath>

#include "core/bearing_report.h"
#include "row_name.h"

namespace fondara {
namespace {

struct ItemRow {
  const char* name;
  Item item;
  const char* expected;
};

const ItemRow item_rows[] = {
    {"whole_float", 5.0f, " 5 "},
    {"float_nearest_2_88_keeps_two_decimals", 2.88f, " 2,88 "},
    {"below_one_with_a_leading_zero", 0.84f, " 0,84 "},
    {"negative_takes_the_sign_position", -1.5f, "-1,5 "},
    {"seven_digits_leave_no_fraction", 28800.003f, " 28800 "},
    {"float_rounded_to_seven_digits", 0.57735026f, " 0,5773503 "},
    {"whole_double", 30.0, " 30 "},
    {"double_of_fifteen_digits", 1.0 / 3.0, " 0,333333333333333 "},
    {"text_unchanged", std::string(" a  b "), " a  b "},
};

class NumberItem : public testing::TestWithParam<ItemRow> {};

TEST_P(NumberItem, WritesTheSignPositionTheNumberAndOneBlank) {
  EXPECT_EQ(item_text(GetParam().item), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Items, NumberItem, testing::ValuesIn(item_rows),
                         testing_support::RowName{});

// The text of the statements, an open statement continuing the next one.
std::string text_of(const Report& report) {
  std::string text;
  for (const Event& event : report) {
    const auto* statement = std::get_if<Statement>(&event);
    if (statement == nullptr) continue;
    for (const Item& item : statement->items) text += item_text(item);
    if (statement->end == End::line_break) text += '\n';
  }
  return text;
}

struct ApproachRow {
  const char* name;
  float YR;
  const char* opening;  // up to the qd line
};

// Only the floats of exactly 2,3 and 1,8 name an approach; without one, the first empty
// statement ends the open line.
const ApproachRow approach_rows[] = {
    {"approccio_2", 2.3f,
     "Si ottiene il carico limite di progetto allo SLU, secondo Approccio 2:\n\n\n"},
    {"approccio_1", 1.8f,
     "Si ottiene il carico limite di progetto allo SLU, secondo Approccio 1, Comb.2:\n\n\n"},
    {"just_above_2_3", std::nextafter(2.3f, 3.0f), "Si ottiene il carico limite di progetto\n\n"},
    {"just_below_1_8", std::nextafter(1.8f, 1.0f), "Si ottiene il carico limite di progetto\n\n"},
    {"allowable_stress", 3.0f, "Si ottiene il carico limite di progetto\n\n"},
};

class CaricoDiProgetto : public testing::TestWithParam<ApproachRow> {};

TEST_P(CaricoDiProgetto, NamesTheApproachOfItsSafetyFactor) {
  Builder r;
  carico_di_progetto(r, GetParam().YR, 1.25f);
  EXPECT_EQ(text_of(r.take()),
            std::string(GetParam().opening) + "qd = qR / YR =  1,25  daN/cm^2 (bar)\n");
}

INSTANTIATE_TEST_SUITE_P(SafetyFactors, CaricoDiProgetto, testing::ValuesIn(approach_rows),
                         testing_support::RowName{});

TEST(FailureMessages, NameTheCalculationOrTheReportAndTheCause) {
  EXPECT_EQ(failure_message(Failure::lunghezza_zero),
            "Impossibile eseguire il calcolo: la lunghezza L non può essere zero.");
  EXPECT_EQ(report_failure_message(Failure::fuori_intervallo),
            "Impossibile preparare la relazione: un valore da stampare supera il massimo valore "
            "rappresentabile.");
  EXPECT_EQ(report_failure_message(Failure::non_numero),
            "Impossibile preparare la relazione: un valore da stampare non è un numero valido.");
}

}  // namespace
}  // namespace fondara
