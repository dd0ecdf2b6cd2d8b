// The undrained kind from its fields' texts: the expected report files, every field
// reaching the calculation, L < B and the failures.
#include "undrained/undrained_report.h"

#include <gtest/gtest.h>

#include "row_name.h"
#include "test_data.h"
#include "undrained/kind.h"

namespace fondara::undrained {
namespace {

FieldTexts with(FieldTexts texts, const FieldTexts& changes) {
  for (const auto& [name, text] : changes) texts[name] = text;
  return texts;
}

struct ExampleRow {
  const char* name;  // of the expected files
  FieldTexts texts;
};

// clang-format off
const FieldTexts example = {{"lunghezza", "10"}, {"larghezza", "2"}, {"altezza", "1"},
    {"peso_terreno_rinterro", "1800"}, {"coesione_non_drenata", "0,5"}};

const ExampleRow examples[] = {
    {"non_drenato_yr23", example},
    {"non_drenato_yr18", {{"lunghezza", "5"}, {"larghezza", "1"}, {"altezza", "1,5"}, {"peso_terreno_rinterro", "1850"},
        {"coesione_non_drenata", "0,3"}, {"coefficiente_sicurezza", "1,8"},
        {"descrizione", "Plinto via Dante — città di Forlì, costo 5 €, φ' stimato"}}},
    {"non_drenato_yr3", with(example, {{"lunghezza", "1"}, {"larghezza", "1"}, {"coefficiente_sicurezza", "3"},
        {"descrizione", "Muro"}})},
};
// clang-format on

class UndrainedReport : public testing::TestWithParam<ExampleRow> {};

TEST_P(UndrainedReport, MatchesTheExpectedFiles) {
  // On paper the heading and the two empty lines after it are at 10 points.
  test::expect_expected_files(undrained_kind(), GetParam().texts, GetParam().name, 3);
}

INSTANTIATE_TEST_SUITE_P(Examples, UndrainedReport, testing::ValuesIn(examples),
                         testing_support::RowName{});

TEST(UndrainedKind, EveryFieldReachesTheCalculationAndTheResultsAreCut) {
  test::expect_every_field_reaches_the_report(undrained_kind(), example);
  EXPECT_EQ(undrained_kind().compute(example, Source::terminal)->results,
            (std::vector<std::string>{"2,88", "1,25"}));
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
  const UndrainedResults results{3e35f, 3e35f, 1e35f};
  for (auto version : {Version::file, Version::printed})
    EXPECT_EQ(undrained_report({10, 2, 1, 0.5f, 1800, 2.3f}, results, "", version).error(),
              Failure::fuori_intervallo);
}

}  // namespace
}  // namespace fondara::undrained
