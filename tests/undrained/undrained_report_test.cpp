// The undrained kind from its fields' texts: the expected report files, every field
// reaching the calculation, L < B and the failures.
#include "undrained/undrained_report.h"

#include <gtest/gtest.h>

#include "core/kind.h"
#include "row_name.h"
#include "test_data.h"
#include "undrained/kind.h"

namespace fondara::undrained {
namespace {

const FieldTexts example = {{"lunghezza", "10"},
                            {"larghezza", "2"},
                            {"altezza", "1"},
                            {"peso_terreno_rinterro", "1800"},
                            {"coesione_non_drenata", "0,5"}};

FieldTexts with(FieldTexts texts, const FieldTexts& changes) {
  for (const auto& [name, text] : changes) texts[name] = text;
  return texts;
}

struct ExampleRow {
  const char* name;  // of the expected files
  FieldTexts texts;
};

// On paper the heading and the two empty lines after it are at 10 points.
const ExampleRow examples[] = {
    {"non_drenato_yr23", example},
    {"non_drenato_yr18",
     {{"lunghezza", "5"},
      {"larghezza", "1"},
      {"altezza", "1,5"},
      {"peso_terreno_rinterro", "1850"},
      {"coesione_non_drenata", "0,3"},
      {"coefficiente_sicurezza", "1,8"},
      {"descrizione", "Plinto via Dante — città di Forlì, costo 5 €, φ' stimato"}}},
    {"non_drenato_yr3", with(example, {{"lunghezza", "1"},
                                       {"larghezza", "1"},
                                       {"coefficiente_sicurezza", "3"},
                                       {"descrizione", "Muro"}})},
};

class UndrainedReport : public testing::TestWithParam<ExampleRow> {};

TEST_P(UndrainedReport, MatchesTheExpectedFiles) {
  const auto calculation = undrained_kind().compute(GetParam().texts, Source::terminal);
  ASSERT_TRUE(calculation.ok());
  const auto file = calculation->report(Version::file, calculation->description);
  const auto printed = calculation->report(Version::printed, calculation->description);
  ASSERT_TRUE(file.ok() && printed.ok());
  test::expect_expected_files(*file, *printed, GetParam().name, 3);
}

INSTANTIATE_TEST_SUITE_P(Examples, UndrainedReport, testing::ValuesIn(examples),
                         testing_support::RowName{});

// A valid text other than the example's: the length grows, the water table comes, the other
// numbers become 1,5.
std::string changed_text(const Field& field) {
  if (field.text.name == "lunghezza") return "12";
  return field.type == FieldType::choice ? "SI" : "1,5";
}

// A change of any one field changes the results or the report: each field reaches the
// input it names, and none is read twice.
TEST(UndrainedKind, EveryFieldReachesTheCalculation) {
  const auto base = undrained_kind().compute(example, Source::terminal);
  ASSERT_TRUE(base.ok());
  const std::string base_report = test::file_text(base->report(Version::file, ""));
  for (const Field& field : undrained_kind().fields) {
    if (field.type != FieldType::number) continue;
    const auto changed = undrained_kind().compute(
        with(example, {{std::string(field.text.name), changed_text(field)}}), Source::terminal);
    ASSERT_TRUE(changed.ok()) << field.text.name;
    EXPECT_NE(test::file_text(changed->report(Version::file, "")), base_report) << field.text.name;
  }
  EXPECT_EQ(base->results, (std::vector<std::string>{"2,88", "1,25"}));
}

TEST(UndrainedKind, RefusesLengthBelowWidthAndNamesAFailedCalculation) {
  const auto below = undrained_kind().compute(with(example, {{"lunghezza", "1"}}), Source::window);
  ASSERT_FALSE(below.ok());
  EXPECT_EQ(below.error().message, "La lunghezza deve essere superiore alla larghezza");
  EXPECT_EQ(below.error().emptied.size(), 2u);
  const auto zero = undrained_kind().compute(
      with(example, {{"lunghezza", "0"}, {"larghezza", "0"}}), Source::window);
  ASSERT_FALSE(zero.ok());
  EXPECT_EQ(zero.error().type, ProblemType::not_computable);
  EXPECT_EQ(zero.error().message,
            "Impossibile eseguire il calcolo: la lunghezza L non può essere zero.");
}

TEST(UndrainedReportFailure, QrInDaNPerSquareMetreBeyondTheFloatRange) {
  const UndrainedInputs in{10, 2, 1, 0.5f, 1800, 2.3f};
  const UndrainedResults results{3e35f, 3e35f, 1e35f};
  for (auto version : {Version::file, Version::printed}) {
    const auto report = undrained_report(in, results, "", version);
    ASSERT_FALSE(report.ok());
    EXPECT_EQ(report.error(), Failure::fuori_intervallo);
  }
}

}  // namespace
}  // namespace fondara::undrained
