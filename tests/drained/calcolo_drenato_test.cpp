#include "drained/calcolo_drenato.h"

#include <gtest/gtest.h>

#include <optional>

#include "core/number_text.h"
#include "row_name.h"

namespace fondara::drained {
namespace {

struct Row {
  const char* name;
  DrainedInputs in;    // L, B, H, phi, c, G, G1, YR, falda
  const char* values;  // z1 z2 z3 n1 n2 n3 s1 s2 s3 d2 d3 q1 q2 q3 q_tot qR qd
  std::optional<Failure> cause = std::nullopt;
};

// clang-format off
const Row rows[] = {
    {"dry_first_example", {10, 2, 1, 30, 0, 1900, 1800, 2.3f, false},
     "0,5773506 6,127742 2,994491 15,02509 18,34947 30,05014 0,92 1,11547 1,122126 1,144338 1,2 42160 26263 0 68423 6,84 2,97"},
    {"under_water_first_example", {10, 2, 1, 30, 0, 1900, 1800, 2.3f, true},
     "0,5773506 6,127742 2,994491 15,02509 18,34947 30,05014 0,92 1,11547 1,122126 1,144338 1,2 42160 12440 0 54600 5,46 2,37"},
    // H > B: the atan forms; qd 8,8886 is cut to 8,88.
    {"deep_backfill_atan_forms", {3, 2, 3, 28, 0.1f, 2000, 1800, 2.3f, false},
     "0,5317097 5,309609 2,764837 10,91084 14,6802 25,7287 0,7333333 1,354473 1,380385 1,29416 1,393118 138958 16002 49477 204437 20,44 8,88"},
    // L = B and H = B: the linear forms.
    {"square_linear_forms", {2, 2, 2, 25, 0.05f, 1900, 1700, 1.8f, false},
     "0,4663079 4,323921 2,459589 6,739361 10,63507 20,66246 0,6 1,466308 1,514705 1,310906 1,4 69504 7682 21908 99094 9,9 5,5"},
    {"length_zero", {0, 2, 1, 30, 0, 1900, 1800, 2.3f, false}, "", Failure::lunghezza_zero},
    {"width_zero", {10, 0, 1, 30, 0, 1900, 1800, 2.3f, false}, "", Failure::larghezza_zero},
    {"angle_zero", {10, 2, 1, 0, 0, 1900, 1800, 2.3f, false}, "", Failure::angolo_zero},
    {"safety_factor_zero", {10, 2, 1, 30, 0, 1900, 1800, 0, false}, "", Failure::coefficiente_zero},
    {"angle_89_overflows", {10, 2, 1, 89, 0, 1900, 1800, 2.3f, false}, "", Failure::fuori_intervallo},
    {"angle_90", {10, 2, 1, 90, 0, 1900, 1800, 2.3f, false}, "", Failure::angolo_fuori_campo},
};
// clang-format on

class CalcoloDrenatoInputs : public testing::TestWithParam<Row> {};

TEST_P(CalcoloDrenatoInputs, ReproducesEveryStoredValueOrNamesTheCause) {
  const auto v = CalcoloDrenato(GetParam().in);
  EXPECT_EQ(v ? std::nullopt : std::optional(v.error()), GetParam().cause);
  if (!v) return;
  std::string texts;
  for (float value : {v->z1, v->z2, v->z3, v->n1, v->n2, v->n3, v->s1, v->s2, v->s3, v->d2, v->d3,
                      v->q1, v->q2, v->q3, v->q_tot, v->qR, v->qd})
    texts += (texts.empty() ? "" : " ") + general_text(value);
  EXPECT_EQ(texts, GetParam().values);
}

INSTANTIATE_TEST_SUITE_P(Examples, CalcoloDrenatoInputs, testing::ValuesIn(rows),
                         testing_support::RowName{});

// A small angle gives an Nc near five; under water G = 900 weighs -100, and
// q2 = floor(-1382,3) moves away from zero.
TEST(CalcoloDrenatoEdges, Complete) {
  EXPECT_NEAR(CalcoloDrenato({10, 2, 1, 0.5f, 0, 1900, 1800, 2.3f, false})->n3, 5.0f, 0.1f);
  EXPECT_EQ(CalcoloDrenato({10, 2, 1, 30, 0, 900, 1800, 2.3f, true})->q2, -1383.0f);
}

}  // namespace
}  // namespace fondara::drained
