// The drained kind from its fields' texts: the expected report files, the result boxes'
// texts, every field reaching the calculation, and the failures of a report.
#include "drained/drained_report.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "core/kind.h"
#include "drained/kind.h"
#include "output/report_text.h"
#include "row_name.h"
#include "test_data.h"

namespace fondara::drained {
namespace {

const FieldTexts example = {{"lunghezza", "10"},
                            {"larghezza", "2"},
                            {"altezza", "1"},
                            {"angolo", "30"},
                            {"coesione_drenata", "0"},
                            {"peso_terreno_fondazione", "1900"},
                            {"peso_terreno_rinterro", "1800"}};

FieldTexts with(FieldTexts texts, const FieldTexts& changes) {
  for (const auto& [name, text] : changes) texts[name] = text;
  return texts;
}

CalculationOutcome compute(const FieldTexts& texts) {
  return drained_kind().compute(texts, Source::terminal);
}

struct ExampleRow {
  const char* name;  // of the expected files
  FieldTexts texts;
};

// With and without water table, H above B, YR 1,8 and 3, a fractional angle printed back in
// whole degrees. On paper the heading and one empty line are at 10 points.
const ExampleRow examples[] = {
    {"drenato_no", example},
    {"drenato_si", with(example, {{"falda", "SI"}})},
    {"drenato_h_oltre_b",
     with(example, {{"lunghezza", "3"},
                    {"altezza", "3"},
                    {"angolo", "28"},
                    {"coesione_drenata", "0,1"},
                    {"peso_terreno_fondazione", "2000"},
                    {"descrizione", "Plinto via Dante — città di Forlì, costo 5 €, φ' stimato"}})},
    {"drenato_yr18", with(example, {{"lunghezza", "2"},
                                    {"altezza", "2"},
                                    {"angolo", "25"},
                                    {"coesione_drenata", "0,05"},
                                    {"peso_terreno_rinterro", "1700"},
                                    {"coefficiente_sicurezza", "1,8"},
                                    {"descrizione", "Capannone"}})},
    {"drenato_yr3", with(example, {{"angolo", "27,5"},
                                   {"coesione_drenata", "0,5"},
                                   {"coefficiente_sicurezza", "3"},
                                   {"falda", "SI"},
                                   {"descrizione", "Angolo 27,5"}})},
};

class DrainedReport : public testing::TestWithParam<ExampleRow> {};

TEST_P(DrainedReport, MatchesTheExpectedFiles) {
  const auto calculation = compute(GetParam().texts);
  ASSERT_TRUE(calculation.ok());
  const auto file = calculation->report(Version::file, calculation->description);
  const auto printed = calculation->report(Version::printed, calculation->description);
  ASSERT_TRUE(file.ok() && printed.ok());
  test::expect_expected_files(*file, *printed, GetParam().name, 2);
}

INSTANTIATE_TEST_SUITE_P(Examples, DrainedReport, testing::ValuesIn(examples),
                         testing_support::RowName{});

TEST(DrainedKind, ShowsTheFactorsCutAndNqNcThroughTheirSevenDigitTexts) {
  const auto calculation = compute(example);
  ASSERT_TRUE(calculation.ok());
  EXPECT_EQ(calculation->results,
            (std::vector<std::string>{"15,02", "18,34", "30,05", "6,84", "2,97"}));
}

TEST(DrainedKind, TwoStageDisplayLosesAHundredthWhereNYDoesNot) {
  // Floats just above 33.3 and 1.15: their 7-digit texts are 33,3 and 1,15.
  ValoriDrenati v;
  v.n1 = std::nextafter(33.3f, 34.0f);
  v.n2 = v.n1;
  v.n3 = std::nextafter(1.15f, 2.0f);
  const auto texts = drained_result_texts(v);
  EXPECT_EQ(texts[0], "33,3");   // NY cut from the float itself
  EXPECT_EQ(texts[1], "33,29");  // Nq through the text 33,3 and a double
  EXPECT_EQ(texts[2], "1,14");   // Nc through the text 1,15 and a double
}

// A valid text other than the example's: the length grows, the water table comes, the other
// numbers become 1,5.
std::string changed_text(const Field& field) {
  if (field.text.name == "lunghezza") return "12";
  return field.type == FieldType::choice ? "SI" : "1,5";
}

// A change of any one field changes the report: each field reaches the input it names.
TEST(DrainedKind, EveryFieldReachesTheCalculation) {
  const std::string base = test::file_text(compute(example)->report(Version::file, ""));
  for (const Field& field : drained_kind().fields) {
    if (field.type == FieldType::text) continue;
    const auto changed =
        compute(with(example, {{std::string(field.text.name), changed_text(field)}}));
    ASSERT_TRUE(changed.ok()) << field.text.name;
    EXPECT_NE(test::file_text(changed->report(Version::file, "")), base) << field.text.name;
  }
}

TEST(DrainedReport, AngleIsPrintedInWholeDegreesRoundedHalfUp) {
  // 27,5 (in drenato_yr3) prints 27 after its trip through float radians; 32,5 prints 33.
  const auto lines =
      output::write_lines(*compute(with(example, {{"angolo", "32,5"}}))->report(Version::file, ""));
  EXPECT_EQ(lines[18].text, "Ø'    =  33  gradi, angolo attrito del terreno di fondazione");
}

TEST(DrainedReport, FailsWhenAPrintTimeValueIsBeyondTheFloatRangeOrNotANumber) {
  const DrainedInputs in{10, 2, 1, 30, 0, 1900, 1800, 2.3f, false};
  ValoriDrenati beyond = *CalcoloDrenato(in);
  ValoriDrenati not_a_number = beyond;
  beyond.q1 = beyond.q2 = std::numeric_limits<float>::max();
  not_a_number.q3 = std::numeric_limits<float>::quiet_NaN();
  for (auto version : {Version::file, Version::printed}) {
    EXPECT_EQ(drained_report(in, beyond, "", version).error(), Failure::fuori_intervallo);
    EXPECT_EQ(drained_report(in, not_a_number, "", version).error(), Failure::non_numero);
  }
}

}  // namespace
}  // namespace fondara::drained
