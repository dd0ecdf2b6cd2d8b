#include "undrained/calcolo_non_drenato.h"

#include <gtest/gtest.h>

#include "core/number_text.h"
#include "row_name.h"

namespace fondara::undrained {
namespace {

struct ResultRow {
  const char* name;
  UndrainedInputs in;  // L, B, H, cu, G1, YR
  const char *qR_calcolo, *qR, *qd;
};

const ResultRow result_rows[] = {
    {"first_example", {10, 2, 1, 0.5f, 1800, 2.3f}, "2,8888", "2,88", "1,25"},
    {"qd_from_the_uncut_value_not_1_93_over_2_3",
     {5, 1, 1.5f, 0.3f, 1850, 2.3f},
     "1,93668",
     "1,93",
     "0,84"},
    {"stored_just_below_3_30", {1, 1, 1, 0.5f, 1800, 2.3f}, "3,3", "3,29", "1,43"},
    {"square_shape_term_1_2", {3, 3, 0, 1, 1800, 1}, "6,168", "6,16", "6,16"},
    {"length_below_width_still_computes", {1, 2, 1, 0.5f, 1800, 2.3f}, "3,814", "3,81", "1,65"},
    {"width_zero_is_no_fault", {10, 0, 1, 0.5f, 1800, 2.3f}, "2,786", "2,78", "1,21"},
};

class CalcoloNonDrenatoResults : public testing::TestWithParam<ResultRow> {};

TEST_P(CalcoloNonDrenatoResults, AreCutToTwoDecimals) {
  const auto outcome = CalcoloNonDrenato(GetParam().in);
  ASSERT_TRUE(outcome.ok());
  EXPECT_EQ(general_text(outcome->qR_calcolo), GetParam().qR_calcolo);
  EXPECT_EQ(general_text(outcome->qR), GetParam().qR);
  EXPECT_EQ(general_text(outcome->qd), GetParam().qd);
}

INSTANTIATE_TEST_SUITE_P(Examples, CalcoloNonDrenatoResults, testing::ValuesIn(result_rows),
                         testing_support::RowName{});

struct FailureRow {
  const char* name;
  UndrainedInputs in;
  Failure cause;
};

const FailureRow failure_rows[] = {
    {"length_zero", {0, 2, 1, 0.5f, 1800, 2.3f}, Failure::lunghezza_zero},
    {"length_and_width_zero", {0, 0, 1, 0.5f, 1800, 2.3f}, Failure::lunghezza_zero},
    {"safety_factor_zero", {10, 2, 1, 0.5f, 1800, 0}, Failure::coefficiente_zero},
    {"zero_over_zero", {10, 2, 0, 0, 1800, 0}, Failure::coefficiente_zero},
    {"cohesion_beyond_float", {10, 2, 1, 3e38f, 1800, 2.3f}, Failure::fuori_intervallo},
    {"qd_beyond_float", {10, 2, 1, 1e30f, 1800, 1e-30f}, Failure::fuori_intervallo},
};

class CalcoloNonDrenatoFailures : public testing::TestWithParam<FailureRow> {};

TEST_P(CalcoloNonDrenatoFailures, NameTheirCause) {
  const auto outcome = CalcoloNonDrenato(GetParam().in);
  ASSERT_FALSE(outcome.ok());
  EXPECT_EQ(outcome.error(), GetParam().cause);
}

INSTANTIATE_TEST_SUITE_P(Inputs, CalcoloNonDrenatoFailures, testing::ValuesIn(failure_rows),
                         testing_support::RowName{});

}  // namespace
}  // namespace fondara::undrained
