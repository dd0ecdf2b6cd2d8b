// The undrained calculation's stored values and failures; the kind from its fields' texts:
// the expected report files, every field reaching the calculation, L < B and the failures.
#include <gtest/gtest.h>

#include "core/number_text.h"
#include "row_name.h"
#include "test_data.h"
#include "undrained/calcolo_non_drenato.h"
#include "undrained/kind.h"
#include "undrained/undrained_report.h"

namespace fondara::undrained {
namespace {

struct Row {
  const char* name;
  UndrainedInputs in;   // L, B, H, cu, G1, YR
  const char* results;  // qR_calcolo, qR, qd
  std::optional<Failure> cause = std::nullopt;
};

// clang-format off
const Row rows[] = {
    {"first_example", {10, 2, 1, 0.5f, 1800, 2.3f}, "2,8888 2,88 1,25"},
    {"qd_from_the_uncut_value_not_1_93_over_2_3", {5, 1, 1.5f, 0.3f, 1850, 2.3f}, "1,93668 1,93 0,84"},
    {"stored_just_below_3_30", {1, 1, 1, 0.5f, 1800, 2.3f}, "3,3 3,29 1,43"},
    {"square_shape_term_1_2", {3, 3, 0, 1, 1800, 1}, "6,168 6,16 6,16"},
    {"length_below_width_still_computes", {1, 2, 1, 0.5f, 1800, 2.3f}, "3,814 3,81 1,65"},
    {"width_zero_is_no_fault", {10, 0, 1, 0.5f, 1800, 2.3f}, "2,786 2,78 1,21"},
    {"length_and_width_zero", {0, 0, 1, 0.5f, 1800, 2.3f}, "", Failure::lunghezza_zero},
    {"safety_factor_zero", {10, 2, 1, 0.5f, 1800, 0}, "", Failure::coefficiente_zero},
    {"zero_over_zero", {10, 2, 0, 0, 1800, 0}, "", Failure::coefficiente_zero},
    {"cohesion_beyond_float", {10, 2, 1, 3e38f, 1800, 2.3f}, "", Failure::fuori_intervallo},
    {"qd_beyond_float", {10, 2, 1, 1e30f, 1800, 1e-30f}, "", Failure::fuori_intervallo},
};
// clang-format on

class CalcoloNonDrenatoInputs : public testing::TestWithParam<Row> {};

TEST_P(CalcoloNonDrenatoInputs, CutsItsResultsToTwoDecimalsOrNamesTheCause) {
  const auto out = CalcoloNonDrenato(GetParam().in);
  EXPECT_EQ(out ? std::nullopt : std::optional(out.error()), GetParam().cause);
  if (!out) return;
  EXPECT_EQ(
      general_text(out->qR_calcolo) + ' ' + general_text(out->qR) + ' ' + general_text(out->qd),
      GetParam().results);
}

INSTANTIATE_TEST_SUITE_P(Examples, CalcoloNonDrenatoInputs, testing::ValuesIn(rows),
                         testing_support::RowName{});

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
    {"non_drenato_yr3", {{"lunghezza", "1"}, {"larghezza", "1"}, {"altezza", "1"}, {"peso_terreno_rinterro", "1800"},
        {"coesione_non_drenata", "0,5"}, {"coefficiente_sicurezza", "3"}, {"descrizione", "Muro"}}},
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

// The messages are the core's; here, that the kind gives them.
TEST(UndrainedKind, RefusesLengthBelowWidthAndNamesAFailedCalculation) {
  const auto refusal = [](const std::string& L, const std::string& B) {
    FieldTexts texts = example;
    texts["lunghezza"] = L, texts["larghezza"] = B;
    return undrained_kind().compute(texts, Source::window).error();
  };
  EXPECT_EQ(refusal("1", "2").message, length_below_width().message);
  const Problem zero = refusal("0", "0");
  EXPECT_EQ(zero.type, ProblemType::not_computable);
  EXPECT_EQ(zero.message, failure_message(Failure::lunghezza_zero));
}

TEST(UndrainedReportFailure, QrInDaNPerSquareMetreBeyondTheFloatRange) {
  const UndrainedResults results{3e35f, 3e35f, 1e35f};
  for (auto version : {Version::file, Version::printed})
    EXPECT_EQ(undrained_report({10, 2, 1, 0.5f, 1800, 2.3f}, results, "", version).error(),
              Failure::fuori_intervallo);
}

}  // namespace
}  // namespace fondara::undrained
