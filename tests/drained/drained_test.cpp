// The drained calculation's failures; the kind from its fields' texts: the expected report
// files, the result boxes' texts, every field reaching the calculation, a report's failures.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "drained/calcolo_drenato.h"
#include "drained/drained_report.h"
#include "drained/kind.h"
#include "row_name.h"
#include "test_data.h"

namespace fondara::drained {
namespace {

// The stored values of the worked examples are checked where the report prints them all.
struct Row {
  const char* name;
  DrainedInputs in;  // L, B, H, phi, c, G, G1, YR, falda
  Failure cause;
};

// clang-format off
const Row rows[] = {
    {"length_zero", {0, 2, 1, 30, 0, 1900, 1800, 2.3f, false}, Failure::lunghezza_zero},
    {"width_zero", {10, 0, 1, 30, 0, 1900, 1800, 2.3f, false}, Failure::larghezza_zero},
    {"angle_zero", {10, 2, 1, 0, 0, 1900, 1800, 2.3f, false}, Failure::angolo_zero},
    {"safety_factor_zero", {10, 2, 1, 30, 0, 1900, 1800, 0, false}, Failure::coefficiente_zero},
    {"angle_89_overflows", {10, 2, 1, 89, 0, 1900, 1800, 2.3f, false}, Failure::fuori_intervallo},
    {"angle_90", {10, 2, 1, 90, 0, 1900, 1800, 2.3f, false}, Failure::angolo_fuori_campo},
};
// clang-format on

class CalcoloDrenatoFailure : public testing::TestWithParam<Row> {};

TEST_P(CalcoloDrenatoFailure, NamesTheCause) {
  const auto v = CalcoloDrenato(GetParam().in);
  ASSERT_FALSE(v.ok());
  EXPECT_EQ(v.error(), GetParam().cause);
}

INSTANTIATE_TEST_SUITE_P(Inputs, CalcoloDrenatoFailure, testing::ValuesIn(rows),
                         testing_support::RowName{});

// A small angle gives an Nc near five; under water G = 900 weighs -100, and
// q2 = floor(-1382,3) moves away from zero. At 18°, B 1, L 5, H 2, G1 1900, q1 is 28523 from
// the stored float Nq and would be 28522 from its unstored double.
TEST(CalcoloDrenatoEdges, Complete) {
  EXPECT_NEAR(CalcoloDrenato({10, 2, 1, 0.5f, 0, 1900, 1800, 2.3f, false})->n3, 5.0f, 0.1f);
  EXPECT_EQ(CalcoloDrenato({10, 2, 1, 30, 0, 900, 1800, 2.3f, true})->q2, -1383.0f);
  EXPECT_EQ(CalcoloDrenato({5, 1, 2, 18, 0, 1900, 1900, 2.3f, false})->q1, 28523.0f);
}

FieldTexts with(FieldTexts texts, const FieldTexts& changes) {
  for (const auto& [name, text] : changes) texts[name] = text;
  return texts;
}

struct ExampleRow {
  const char* name;  // of the expected files
  FieldTexts texts;
};

// clang-format off
const FieldTexts example = {{"lunghezza", "10"}, {"larghezza", "2"}, {"altezza", "1"}, {"angolo", "30"},
    {"coesione_drenata", "0"}, {"peso_terreno_fondazione", "1900"}, {"peso_terreno_rinterro", "1800"}};

// With and without water table, H above B, YR 1,8 and 3, a fractional angle printed back in
// whole degrees.
const ExampleRow examples[] = {
    {"drenato_no", example},
    {"drenato_si", with(example, {{"falda", "SI"}})},
    {"drenato_h_oltre_b", with(example, {{"lunghezza", "3"}, {"altezza", "3"}, {"angolo", "28"}, {"coesione_drenata", "0,1"},
        {"peso_terreno_fondazione", "2000"}, {"descrizione", "Plinto via Dante — città di Forlì, costo 5 €, φ' stimato"}})},
    {"drenato_yr18", with(example, {{"lunghezza", "2"}, {"altezza", "2"}, {"angolo", "25"}, {"coesione_drenata", "0,05"},
        {"peso_terreno_rinterro", "1700"}, {"coefficiente_sicurezza", "1,8"}, {"descrizione", "Capannone"}})},
    {"drenato_yr3", with(example, {{"angolo", "27,5"}, {"coesione_drenata", "0,5"}, {"coefficiente_sicurezza", "3"},
        {"falda", "SI"}, {"descrizione", "Angolo 27,5"}})},
};
// clang-format on

class DrainedReport : public testing::TestWithParam<ExampleRow> {};

TEST_P(DrainedReport, MatchesTheExpectedFiles) {
  // On paper the heading and one empty line are at 10 points.
  test::expect_expected_files(drained_kind(), GetParam().texts, GetParam().name, 2);
}

INSTANTIATE_TEST_SUITE_P(Examples, DrainedReport, testing::ValuesIn(examples),
                         testing_support::RowName{});

TEST(DrainedKind, EveryFieldReachesTheCalculationAndTheFactorsAreCut) {
  test::expect_every_field_reaches_the_report(drained_kind(), example);
  EXPECT_EQ(drained_kind().compute(example, Source::terminal)->results,
            (std::vector<std::string>{"15,02", "18,34", "30,05", "6,84", "2,97"}));
}

TEST(DrainedKind, TwoStageDisplayLosesAHundredthWhereNYDoesNot) {
  // Floats just above 33.3 and 1.15: their 7-digit texts are 33,3 and 1,15.
  ValoriDrenati v;
  v.n1 = v.n2 = std::nextafter(33.3f, 34.0f);
  v.n3 = std::nextafter(1.15f, 2.0f);
  // NY cut from the float itself; Nq and Nc through their texts and a double.
  EXPECT_EQ(drained_result_texts(v), (std::vector<std::string>{"33,3", "33,29", "1,14", "0", "0"}));
}

TEST(DrainedReport, AngleIsPrintedInWholeDegreesRoundedHalfUp) {
  // 27,5 (in drenato_yr3) prints 27 after its trip through float radians; 32,5 prints 33.
  const auto angle = drained_kind().compute(with(example, {{"angolo", "32,5"}}), Source::terminal);
  EXPECT_EQ(output::write_lines(*angle->report(Version::file, ""))[18].text,
            "Ø'    =  33  gradi, angolo attrito del terreno di fondazione");
}

TEST(DrainedReport, FailsWhenAPrintTimeValueIsBeyondTheFloatRangeOrNotANumber) {
  const DrainedInputs in{10, 2, 1, 30, 0, 1900, 1800, 2.3f, false};
  ValoriDrenati beyond = *CalcoloDrenato(in), not_a_number = beyond;
  beyond.q1 = beyond.q2 = std::numeric_limits<float>::max();
  not_a_number.q3 = std::numeric_limits<float>::quiet_NaN();
  for (auto version : {Version::file, Version::printed}) {
    EXPECT_EQ(drained_report(in, beyond, "", version).error(), Failure::fuori_intervallo);
    EXPECT_EQ(drained_report(in, not_a_number, "", version).error(), Failure::non_numero);
  }
}

}  // namespace
}  // namespace fondara::drained
