#include "drained/calcolo_drenato.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "core/number_text.h"
#include "row_name.h"

namespace fondara::drained {
namespace {

// The stored floats of the record, as 7-digit texts.
std::vector<std::string> results_as_text(const ValoriDrenati& v) {
  std::vector<std::string> texts;
  for (float value : {v.z1, v.z2, v.z3, v.n1, v.n2, v.n3, v.s1, v.s2, v.s3, v.d2, v.d3, v.q1, v.q2,
                      v.q3, v.q_tot, v.qR, v.qd})
    texts.push_back(general_text(value));
  return texts;
}

struct ValuesRow {
  const char* name;
  DrainedInputs in;                   // L, B, H, phi, c, G, G1, YR, falda
  std::vector<std::string> expected;  // z1 z2 z3 n1 n2 n3 s1 s2 s3 d2 d3 q1 q2 q3 q_tot qR qd
};

// clang-format off
const ValuesRow values_rows[] = {
    {"dry_first_example", {10, 2, 1, 30, 0, 1900, 1800, 2.3f, false},
     {"0,5773506", "6,127742", "2,994491", "15,02509", "18,34947", "30,05014", "0,92", "1,11547",
      "1,122126", "1,144338", "1,2", "42160", "26263", "0", "68423", "6,84", "2,97"}},
    {"under_water_first_example", {10, 2, 1, 30, 0, 1900, 1800, 2.3f, true},
     {"0,5773506", "6,127742", "2,994491", "15,02509", "18,34947", "30,05014", "0,92", "1,11547",
      "1,122126", "1,144338", "1,2", "42160", "12440", "0", "54600", "5,46", "2,37"}},
    // H > B: the atan forms; qd 8,8886 is cut to 8,88.
    {"deep_backfill_atan_forms", {3, 2, 3, 28, 0.1f, 2000, 1800, 2.3f, false},
     {"0,5317097", "5,309609", "2,764837", "10,91084", "14,6802", "25,7287", "0,7333333",
      "1,354473", "1,380385", "1,29416", "1,393118", "138958", "16002", "49477", "204437",
      "20,44", "8,88"}},
    // L = B and H = B: the linear forms.
    {"square_linear_forms", {2, 2, 2, 25, 0.05f, 1900, 1700, 1.8f, false},
     {"0,4663079", "4,323921", "2,459589", "6,739361", "10,63507", "20,66246", "0,6", "1,466308",
      "1,514705", "1,310906", "1,4", "69504", "7682", "21908", "99094", "9,9", "5,5"}},
};
// clang-format on

class CalcoloDrenatoValues : public testing::TestWithParam<ValuesRow> {};

TEST_P(CalcoloDrenatoValues, ReproduceEveryStoredValueOfTheWorkedExamples) {
  const auto outcome = CalcoloDrenato(GetParam().in);
  ASSERT_TRUE(outcome.ok());
  EXPECT_EQ(results_as_text(*outcome), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Examples, CalcoloDrenatoValues, testing::ValuesIn(values_rows),
                         testing_support::RowName{});

TEST(CalcoloDrenato, KeepsTheAngleInRadiansAndTheCohesionInDaNPerSquareMetre) {
  const auto outcome = CalcoloDrenato({10, 2, 1, 30, 0.1f, 1900, 1800, 2.3f, true});
  ASSERT_TRUE(outcome.ok());
  EXPECT_EQ(outcome->phi_rad, static_cast<float>(30.0 * 0.0174533));
  EXPECT_EQ(outcome->c_m2, 1000.0f);
  EXPECT_EQ(outcome->G_eff, 900.0f);
}

TEST(CalcoloDrenato, EdgesThatComplete) {
  // A small angle gives an Nc near five.
  const auto small_angle = CalcoloDrenato({10, 2, 1, 0.5f, 0, 1900, 1800, 2.3f, false});
  ASSERT_TRUE(small_angle.ok());
  EXPECT_NEAR(small_angle->n3, 5.0f, 0.1f);
  // G = 900 under water: effective weight -100, q2 = floor(-1382.3) moves away from zero.
  const auto negative = CalcoloDrenato({10, 2, 1, 30, 0, 900, 1800, 2.3f, true});
  ASSERT_TRUE(negative.ok());
  EXPECT_EQ(negative->G_eff, -100.0f);
  EXPECT_EQ(negative->q2, -1383.0f);
}

struct FailureRow {
  const char* name;
  DrainedInputs in;
  Failure cause;
};

const FailureRow failure_rows[] = {
    {"length_zero", {0, 2, 1, 30, 0, 1900, 1800, 2.3f, false}, Failure::lunghezza_zero},
    {"width_zero", {10, 0, 1, 30, 0, 1900, 1800, 2.3f, false}, Failure::larghezza_zero},
    {"angle_zero", {10, 2, 1, 0, 0, 1900, 1800, 2.3f, false}, Failure::angolo_zero},
    {"safety_factor_zero", {10, 2, 1, 30, 0, 1900, 1800, 0, false}, Failure::coefficiente_zero},
    {"angle_89_overflows", {10, 2, 1, 89, 0, 1900, 1800, 2.3f, false}, Failure::fuori_intervallo},
    {"angle_90", {10, 2, 1, 90, 0, 1900, 1800, 2.3f, false}, Failure::angolo_fuori_campo},
    {"huge_angle", {10, 2, 1, 3e38f, 0, 1900, 1800, 2.3f, false}, Failure::angolo_fuori_campo},
    {"huge_weights", {10, 2, 1, 30, 0, 3e38f, 3e38f, 2.3f, false}, Failure::fuori_intervallo},
};

class CalcoloDrenatoFailures : public testing::TestWithParam<FailureRow> {};

TEST_P(CalcoloDrenatoFailures, NameTheirCause) {
  const auto outcome = CalcoloDrenato(GetParam().in);
  ASSERT_FALSE(outcome.ok());
  EXPECT_EQ(outcome.error(), GetParam().cause);
}

INSTANTIATE_TEST_SUITE_P(Inputs, CalcoloDrenatoFailures, testing::ValuesIn(failure_rows),
                         testing_support::RowName{});

}  // namespace
}  // namespace fondara::drained
