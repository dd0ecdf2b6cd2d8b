#include "undrained/calcolo_non_drenato.h"

#include <gtest/gtest.h>

#include "input/number_text.h"
#include "row_name.h"

namespace fondara {
namespace {

struct UndrainedRow {
  const char* name;
  DatiNonDrenati dati;
  const char* qR_calcolo;  // 7 significant digits
  const char* Q_limite;
  const char* Q_ammissibile;
};

class UndrainedExamples : public ::testing::TestWithParam<UndrainedRow> {};

TEST_P(UndrainedExamples, ShowTheTruncatedResults) {
  const auto& row = GetParam();
  const auto outcome = CalcoloNonDrenato(row.dati);
  ASSERT_TRUE(outcome.ok()) << failure_message(outcome.failure());
  EXPECT_EQ(general_text(outcome->qR_calcolo), row.qR_calcolo);
  const auto testi = testi_risultati(*outcome);
  EXPECT_EQ(testi.Q_limite, row.Q_limite);
  EXPECT_EQ(testi.Q_ammissibile, row.Q_ammissibile);
}

// L, B, H, cu, G1, YR.
INSTANTIATE_TEST_SUITE_P(
    Worked, UndrainedExamples,
    ::testing::Values(
        UndrainedRow{"first_example", {10, 2, 1, 0.5f, 1800, 2.3f}, "2,8888", "2,88", "1,25"},
        // qd from the untruncated value: 1,93 / 2,3 would give 0,83.
        UndrainedRow{
            "qd_from_untruncated", {5, 1, 1.5f, 0.3f, 1850, 2.3f}, "1,93668", "1,93", "0,84"},
        // 3.30 is stored as the float just below 3.3.
        UndrainedRow{"float_just_below", {1, 1, 1, 0.5f, 1800, 2.3f}, "3,3", "3,29", "1,43"},
        UndrainedRow{"length_below_width_still_computes",
                     {1, 2, 1, 0.5f, 1800, 2.3f},
                     "3,814",
                     "3,81",
                     "1,65"},
        UndrainedRow{"safety_factor_one", {10, 2, 1, 0.5f, 1800, 1.0f}, "2,8888", "2,88", "2,88"},
        UndrainedRow{
            "width_zero_is_no_fault", {10, 0, 1, 0.5f, 1800, 2.3f}, "2,786", "2,78", "1,21"}),
    testing_support::RowName{});

TEST(Undrained, SquareFoundationHasShapeTermOnePointTwo) {
  // qR = 5.14 * 1 * 1.2 with no backfill.
  const auto outcome = CalcoloNonDrenato({3, 3, 0, 1, 1800, 1});
  ASSERT_TRUE(outcome.ok());
  EXPECT_EQ(outcome->qR_calcolo, static_cast<float>(5.14 * 1.2));
}

struct UndrainedFailureRow {
  const char* name;
  DatiNonDrenati dati;
  Failure cause;
};

class UndrainedFailures : public ::testing::TestWithParam<UndrainedFailureRow> {};

TEST_P(UndrainedFailures, NameTheirCause) {
  const auto outcome = CalcoloNonDrenato(GetParam().dati);
  ASSERT_FALSE(outcome.ok());
  EXPECT_EQ(outcome.failure(), GetParam().cause);
}

INSTANTIATE_TEST_SUITE_P(
    Faults, UndrainedFailures,
    ::testing::Values(
        UndrainedFailureRow{"length_zero", {0, 2, 1, 0.5f, 1800, 2.3f}, Failure::lunghezza_zero},
        UndrainedFailureRow{
            "length_and_width_zero", {0, 0, 1, 0.5f, 1800, 2.3f}, Failure::lunghezza_zero},
        UndrainedFailureRow{
            "safety_factor_zero", {10, 2, 1, 0.5f, 1800, 0}, Failure::coefficiente_zero},
        UndrainedFailureRow{
            "zero_over_zero_safety", {10, 2, 0, 0, 1800, 0}, Failure::coefficiente_zero},
        UndrainedFailureRow{
            "cohesion_beyond_float", {10, 2, 1, 3e38f, 1800, 2.3f}, Failure::fuori_intervallo},
        UndrainedFailureRow{
            "qd_beyond_float", {10, 2, 1, 1e30f, 1800, 1e-30f}, Failure::fuori_intervallo}),
    testing_support::RowName{});

TEST(Undrained, FailureMessagesAreItalianAndNameTheCause) {
  EXPECT_EQ(failure_message(Failure::lunghezza_zero),
            "Impossibile eseguire il calcolo: la lunghezza L non può essere zero.");
  EXPECT_NE(failure_message(Failure::coefficiente_zero).find("coefficiente di sicurezza YR"),
            std::string::npos);
}

}  // namespace
}  // namespace fondara
