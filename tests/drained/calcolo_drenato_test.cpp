#include "drained/calcolo_drenato.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "input/number_text.h"
#include "row_name.h"

namespace fondara {
namespace {

// The stored floats in the order of the record, as 7-digit texts.
std::vector<std::string> results_as_text(const ValoriDrenati& v) {
  std::vector<std::string> texts;
  for (float value : {v.z1, v.z2, v.z3, v.n1, v.n2, v.n3, v.s1, v.s2, v.s3, v.d2, v.d3, v.q1, v.q2,
                      v.q3, v.q_tot, v.qR, v.qd})
    texts.push_back(general_text(value));
  return texts;
}

struct DrainedRow {
  const char* name;
  DatiDrenati dati;                   // L, B, H, phi, c, G, G1, YR, falda
  std::vector<std::string> expected;  // z1 z2 z3 n1 n2 n3 s1 s2 s3 d2 d3 q1 q2 q3 q_tot qR qd
};

class DrainedExamples : public ::testing::TestWithParam<DrainedRow> {};

TEST_P(DrainedExamples, ReproduceEveryStoredValue) {
  const auto outcome = CalcoloDrenato(GetParam().dati);
  ASSERT_TRUE(outcome.ok()) << failure_message(outcome.failure());
  EXPECT_EQ(results_as_text(*outcome), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Worked, DrainedExamples,
    ::testing::Values(DrainedRow{"dry_first_example",
                                 {10, 2, 1, 30, 0, 1900, 1800, 2.3f, false},
                                 {"0,5773506", "6,127742", "2,994491", "15,02509", "18,34947",
                                  "30,05014", "0,92", "1,11547", "1,122126", "1,144338", "1,2",
                                  "42160", "26263", "0", "68423", "6,84", "2,97"}},
                      DrainedRow{"under_water_first_example",
                                 {10, 2, 1, 30, 0, 1900, 1800, 2.3f, true},
                                 {"0,5773506", "6,127742", "2,994491", "15,02509", "18,34947",
                                  "30,05014", "0,92", "1,11547", "1,122126", "1,144338", "1,2",
                                  "42160", "12440", "0", "54600", "5,46", "2,37"}},
                      // H > B: the atan forms; qd 8,8886 is cut to 8,88.
                      DrainedRow{
                          "deep_backfill_atan_forms",
                          {3, 2, 3, 28, 0.1f, 2000, 1800, 2.3f, false},
                          {"0,5317097", "5,309609", "2,764837", "10,91084", "14,6802", "25,7287",
                           "0,7333333", "1,354473", "1,380385", "1,29416", "1,393118", "138958",
                           "16002", "49477", "204437", "20,44", "8,88"}},
                      // L = B and H = B: the linear forms.
                      DrainedRow{"square_linear_forms",
                                 {2, 2, 2, 25, 0.05f, 1900, 1700, 1.8f, false},
                                 {"0,4663079", "4,323921", "2,459589", "6,739361", "10,63507",
                                  "20,66246", "0,6", "1,466308", "1,514705", "1,310906", "1,4",
                                  "69504", "7682", "21908", "99094", "9,9", "5,5"}}),
    testing_support::RowName{});

TEST(Drained, ResultBoxTexts) {
  const auto outcome = CalcoloDrenato({10, 2, 1, 30, 0, 1900, 1800, 2.3f, false});
  ASSERT_TRUE(outcome.ok());
  const auto testi = testi_risultati(*outcome);
  EXPECT_EQ(testi.NY, "15,02");
  EXPECT_EQ(testi.Nq, "18,34");
  EXPECT_EQ(testi.Nc, "30,05");
  EXPECT_EQ(testi.Q_limite, "6,84");
  EXPECT_EQ(testi.Q_ammissibile, "2,97");
}

TEST(Drained, TwoStageDisplayLosesAHundredthWhereNYDoesNot) {
  // Floats just above 33.3 and 1.15: their 7-digit texts are 33,3 and 1,15.
  ValoriDrenati v;
  v.n1 = std::nextafter(33.3f, 34.0f);
  v.n2 = v.n1;
  v.n3 = std::nextafter(1.15f, 2.0f);
  const auto testi = testi_risultati(v);
  EXPECT_EQ(testi.NY, "33,3");   // cut from the float itself
  EXPECT_EQ(testi.Nq, "33,29");  // through the text 33,3 and a double
  EXPECT_EQ(testi.Nc, "1,14");   // through the text 1,15 and a double
}

TEST(Drained, SmallAngleCompletesWithNcNearFive) {
  const auto outcome = CalcoloDrenato({10, 2, 1, 0.5f, 0, 1900, 1800, 2.3f, false});
  ASSERT_TRUE(outcome.ok());
  EXPECT_NEAR(outcome->n3, 5.0f, 0.1f);
}

TEST(Drained, NegativeEffectiveWeightFloorsAwayFromZero) {
  // G = 900 under water: effective weight -100, q2 = floor(-1383.x) = -1383.
  const auto outcome = CalcoloDrenato({10, 2, 1, 30, 0, 900, 1800, 2.3f, true});
  ASSERT_TRUE(outcome.ok());
  EXPECT_EQ(outcome->G, -100.0f);
  const double exact =
      0.5 * -100.0 * 2.0 * static_cast<double>(outcome->n1) * static_cast<double>(outcome->s1);
  EXPECT_LT(exact, 0.0);
  EXPECT_EQ(outcome->q2, static_cast<float>(std::floor(exact)));
  EXPECT_EQ(outcome->q2, -1383.0f);
}

struct DrainedFailureRow {
  const char* name;
  DatiDrenati dati;
  Failure cause;
};

class DrainedFailures : public ::testing::TestWithParam<DrainedFailureRow> {};

TEST_P(DrainedFailures, NameTheirCause) {
  const auto outcome = CalcoloDrenato(GetParam().dati);
  ASSERT_FALSE(outcome.ok());
  EXPECT_EQ(outcome.failure(), GetParam().cause) << failure_message(outcome.failure());
}

INSTANTIATE_TEST_SUITE_P(
    Faults, DrainedFailures,
    ::testing::Values(
        DrainedFailureRow{
            "length_zero", {0, 2, 1, 30, 0, 1900, 1800, 2.3f, false}, Failure::lunghezza_zero},
        DrainedFailureRow{
            "width_zero", {10, 0, 1, 30, 0, 1900, 1800, 2.3f, false}, Failure::larghezza_zero},
        DrainedFailureRow{
            "angle_zero", {10, 2, 1, 0, 0, 1900, 1800, 2.3f, false}, Failure::angolo_zero},
        DrainedFailureRow{"safety_factor_zero",
                          {10, 2, 1, 30, 0, 1900, 1800, 0, false},
                          Failure::coefficiente_zero},
        DrainedFailureRow{"angle_89_overflows",
                          {10, 2, 1, 89, 0, 1900, 1800, 2.3f, false},
                          Failure::fuori_intervallo},
        DrainedFailureRow{
            "angle_90", {10, 2, 1, 90, 0, 1900, 1800, 2.3f, false}, Failure::angolo_fuori_campo},
        DrainedFailureRow{
            "angle_120", {10, 2, 1, 120, 0, 1900, 1800, 2.3f, false}, Failure::angolo_fuori_campo},
        DrainedFailureRow{"huge_angle",
                          {10, 2, 1, 3e38f, 0, 1900, 1800, 2.3f, false},
                          Failure::angolo_fuori_campo},
        DrainedFailureRow{"huge_weight",
                          {10, 2, 1, 30, 0, 3e38f, 3e38f, 2.3f, false},
                          Failure::fuori_intervallo}),
    testing_support::RowName{});

}  // namespace
}  // namespace fondara
