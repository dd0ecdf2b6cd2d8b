#include "undrained/calcolo_non_drenato.h"

#include <gtest/gtest.h>

#include <optional>

#include "core/number_text.h"
#include "row_name.h"

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

}  // namespace
}  // namespace fondara::undrained
