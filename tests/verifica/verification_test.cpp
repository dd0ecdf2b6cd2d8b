// The verification's numbers: published and hand-computed values, refusals, verdicts, the
// governing combination, the input rules and the texts of the result columns.
#include "verifica/verification.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "row_name.h"
#include "verifica/partial_factors.h"
#include "verifica/verification_texts.h"

namespace fondara::verifica {
namespace {

using testing_support::RowName;
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

PartialFactorSet factors(std::string_view code) {
  for (const PartialFactorSet& set : kPartialFactorSets)
    if (set.code == code) return set;
  return PartialFactorSet{"?", "?", kNaN, kNaN, kNaN, kNaN, kNaN};
}

// D = 1 m, γ = 18 kN/m³, no water table.
Footing drained(double B, double L, double phi_k = 30, double c_k = 0,
                std::string_view code = "EC7-DA1-C1") {
  Footing f;
  f.B = B, f.L = L, f.D = 1, f.phi_k = phi_k, f.c_k = c_k, f.gamma = 18, f.factors = factors(code);
  return f;
}
Footing undrained(double B, double L, double cu_k, std::string_view code = "NTC2018-A2") {
  Footing f = drained(B, L, 0, 0, code);
  f.condition = Condition::kUndrained, f.cu_k = cu_k;
  return f;
}
Footing with_D(Footing f, double D, double alpha = 0) {
  f.D = D, f.alpha = alpha;
  return f;
}
Footing with_water(Footing f, double zw) {
  f.zw = zw, f.gamma_sat = 20;
  return f;
}
std::string_view refusal(const Outcome<Verification, Refusal>& outcome) {
  return outcome.ok() ? "" : outcome.error().message;
}

// Values as published (EN 1997-1 Annex D's drained example, EC7-DA1-C1) or by hand, each within
// the precision of its source. m = mL (HL'/H)² + mB (HB'/H)², mB = 5/3 and mL = 4/3 at B'/L' = 1/2:
// after the swap 4/3 · 0,1 + 5/3 · 0,9. Undrained, q = 18: R/A' = 5,141593 · 50 · (1 + 0,2 · 2/3)
// + 18; at H = A'·cu,d, ic = 0,5. Water: γ' = 10,19 in its three zones; MB 50 puts zw past D + B'.
// With c' = 10: t = 1 − H / (V + A'·c'·cot φ') = 1 − 20 / (100 + 4 · 10 · √3).
struct ValueRow {
  const char* name;
  Footing footing;
  LoadCombination loads;
  double (*value)(const Verification&);
  double expected, tolerance;
};
using V = const Verification&;
constexpr auto m = [](V v) { return v.drained.value().m.value(); };
constexpr auto iq = [](V v) { return v.drained.value().iq; };
constexpr auto igamma = [](V v) { return v.drained.value().igamma; };
constexpr auto gamma_eff = [](V v) { return v.drained.value().gamma_eff; };
constexpr auto t = [](V v) { return v.drained.value().t; };
constexpr auto q_eff = [](V v) { return v.q_eff; };
constexpr auto R_A = [](V v) { return v.R_A; };
constexpr auto U = [](V v) { return v.U; };
Footing annex_d() {
  Footing f = with_D(drained(1, 6), 0.75);
  f.gamma = 10;
  return f;
}
constexpr LoadCombination kAnnexD{.N = 200, .MB = 30, .ML = 88, .HB = 60, .HL = 30};
// clang-format off
const ValueRow kValueRows[] = {
    {"annex_d_m", annex_d(), kAnnexD, m, 1.73, 0.005},
    {"annex_d_iq", annex_d(), kAnnexD, iq, 0.494, 0.0005},
    {"annex_d_igamma", annex_d(), kAnnexD, igamma, 0.328, 0.0005},
    {"annex_d_U", annex_d(), kAnnexD, U, 0.588, 0.0005},
    {"m_after_swap", drained(2, 2.2), {.N = 100, .ML = 60, .HB = 10, .HL = 30}, m, 49.0 / 30, 1e-12},
    {"drained_t_with_cohesion", drained(2, 2, 30, 10), {.N = 100, .HB = 20}, t, 0.8818539704, 5e-11},
    {"undrained_vertical_R_A", undrained(2, 3, 50), {.N = 500}, R_A, 309.3569, 5e-4},
    {"undrained_H_at_limit_R_A", undrained(1, 1, 10), {.N = 100, .HB = 10}, R_A, 48.84956, 5e-4},
    {"undrained_overburden_total", with_water(undrained(2, 3, 50), 0), {.N = 100}, q_eff, 18, 1e-12},
    {"water_above_base_q", with_water(drained(2, 4), 0.5), {.N = 100}, q_eff, 9 + 10.19 * 0.5, 1e-12},
    {"water_above_base_gamma", with_water(drained(2, 4), 0.5), {.N = 100}, gamma_eff, 10.19, 1e-12},
    {"water_within_B_eff_gamma", with_water(drained(2, 4), 2), {.N = 100}, gamma_eff, 10.19 + 0.5 * 7.81, 1e-12},
    {"water_deep_gamma", with_water(drained(2, 4), 5), {.N = 100}, gamma_eff, 18, 1e-12},
    {"water_past_effective_width_gamma", with_water(drained(2, 4), 2.5), {.N = 100, .MB = 50}, gamma_eff, 18, 1e-12},
};
// clang-format on
class Values : public ::testing::TestWithParam<ValueRow> {};
TEST_P(Values, AsPublishedOrByHand) {
  const auto outcome = verify(GetParam().footing, GetParam().loads);
  ASSERT_TRUE(outcome.ok()) << refusal(outcome);
  EXPECT_NEAR(GetParam().value(*outcome), GetParam().expected, GetParam().tolerance);
}
INSTANTIATE_TEST_SUITE_P(Verification, Values, ::testing::ValuesIn(kValueRows), RowName());

// B' = B − 2|MB|/N, L' = L − 2|ML|/N, swapped with the horizontal components when B' > L'; the
// kern's boundary at a sixth. By hand from the loads.
struct GeometryRow {
  const char* name;
  double B, L;
  LoadCombination loads;
  double B_eff, L_eff, HB_eff, HL_eff;
  bool partial_base;
};
// clang-format off
const GeometryRow kGeometryRows[] = {
    {"both_axes_signs_ignored", 2, 4, {.N = 100, .MB = -20, .ML = 50, .HL = -7}, 1.6, 3, 0, 7, false},
    {"eB_at_B_sixth", 6, 12, {.N = 60, .MB = 60}, 4, 12, 0, 0, false},
    {"eL_at_L_sixth", 6, 12, {.N = 60, .ML = 120}, 6, 8, 0, 0, false},
    {"eB_at_B_third", 3, 6, {.N = 100, .MB = 100}, 1, 6, 0, 0, true},
    {"eL_at_L_third", 3, 6, {.N = 100, .ML = 200}, 2, 3, 0, 0, true},  // L' 2 < 3: swap
};
// clang-format on
class EffectiveFoundation : public ::testing::TestWithParam<GeometryRow> {};
TEST_P(EffectiveFoundation, SidesAreaAndHorizontalComponents) {
  const GeometryRow& row = GetParam();
  const auto outcome = verify(drained(row.B, row.L), row.loads);
  ASSERT_TRUE(outcome.ok()) << refusal(outcome);
  EXPECT_NEAR(outcome->B_eff, row.B_eff, 1e-12);
  EXPECT_NEAR(outcome->L_eff, row.L_eff, 1e-12);
  EXPECT_NEAR(outcome->HB_eff, row.HB_eff, 1e-12);
  EXPECT_NEAR(outcome->HL_eff, row.HL_eff, 1e-12);
  EXPECT_EQ(outcome->partial_base, row.partial_base);
}
INSTANTIATE_TEST_SUITE_P(Verification, EffectiveFoundation, ::testing::ValuesIn(kGeometryRows),
                         RowName());

// Each set's words and factors through the results: φ'd = atan(tan 30° / 1,25) = 24,791281°,
// cu,d = 70 / 1,4 = 50.
struct SetRow {
  const char* name;
  const char* code;
  const char* words;
  double phi_d, cu_d, gamma_R_v, gamma_R_h;
};
// clang-format off
const SetRow kSetRows[] = {
    {"NTC2018_A2", "NTC2018-A2", "NTC 2018 Approccio 2, A1+M1+R3 (Tab. 6.2.II, 6.4.I)", 30, 70, 2.3, 1.1},
    {"NTC2018_SISMA", "NTC2018-SISMA", "NTC 2018 combinazione sismica, M1 + Tab. 7.11.II", 30, 70, 2.3, 1.1},
    {"EC7_DA1_C1", "EC7-DA1-C1", "EN 1997-1 DA1, combinazione 1: A1+M1+R1", 30, 70, 1.0, 1.0},
    {"EC7_DA1_C2", "EC7-DA1-C2", "EN 1997-1 DA1, combinazione 2: A2+M2+R1", 24.791281, 50, 1.0, 1.0},
    {"EC7_DA2", "EC7-DA2", "EN 1997-1 DA2: A1+M1+R2", 30, 70, 1.4, 1.1},
    {"EC7_DA3", "EC7-DA3", "EN 1997-1 DA3: A1/A2+M2+R3", 24.791281, 50, 1.0, 1.0},
};
// clang-format on
class PartialFactorSets : public ::testing::TestWithParam<SetRow> {};
TEST_P(PartialFactorSets, StrengthsAndResistanceFactors) {
  const SetRow& row = GetParam();
  EXPECT_EQ(factors(row.code).name, row.words);
  const Verification v = verify(drained(2, 3, 30, 0, row.code), {.N = 500, .HB = 50}).value();
  EXPECT_NEAR(v.drained.value().phi_d, row.phi_d, 5e-7);
  EXPECT_NEAR(v.Rd * row.gamma_R_v, v.A_eff * v.R_A, 1e-9 * v.Rd);
  const double tan_phi_d = std::tan(row.phi_d * std::acos(-1.0) / 180);
  EXPECT_NEAR(v.sliding.value().Rd_h * row.gamma_R_h, 500 * tan_phi_d, 1e-5);
  EXPECT_NEAR(verify(undrained(2, 3, 70, row.code), {.N = 300}).value().cu_d.value(), row.cu_d,
              1e-12);
}
INSTANTIATE_TEST_SUITE_P(Verification, PartialFactorSets, ::testing::ValuesIn(kSetRows), RowName());

// Each combination's verdict or refusal, and the governing one. kVerdicts: Rd = 4 · 5,1416 · 50 ·
// 1,2 · ic / 2,3, Rd,h = 181,82; HB 190: Uh 1,045. With EC7-DA1-C1, HB = A'·cu,d: Uh exactly 1.
struct OutcomeRow {
  const char* name;
  Footing footing;
  std::vector<LoadCombination> combinations;
  std::string expected;  // each outcome, then "=> " and the governing one counted from 1
};
const Footing kVerdicts = with_D(undrained(2, 2, 50), 0);
const LoadCombination kRefused{.N = 300, .MB = 1000};  // eB = 3,3 > B/3
// clang-format off
const OutcomeRow kOutcomeRows[] = {
    {"both", kVerdicts, {{.N = 400, .HB = -190}}, "NON VERIFICATA (carico limite, scorrimento) => 1"},  // U 1,219
    {"sliding_at_limit", with_D(undrained(2, 2, 50, "EC7-DA1-C1"), 0), {{.N = 300, .HB = 200}}, "VERIFICATA => 1"},
    {"largest_U_governs", kVerdicts, {{.N = 300}, {.N = 700}, {.N = 500}}, "VERIFICATA | NON VERIFICATA (carico limite) | VERIFICATA => 2"},
    {"sliding_counts", kVerdicts, {{.N = 500}, {.N = 200, .HB = 190}}, "VERIFICATA | NON VERIFICATA (scorrimento) => 2"},
    {"refused_skipped", kVerdicts, {kRefused, {.N = 300}}, "Eccentricità oltre un terzo del lato: la verifica richiede provvedimenti particolari (EN 1997-1, 6.5.4). | VERIFICATA => 2"},
    {"tie_keeps_first", kVerdicts, {{.N = 300}, {.N = 300}}, "VERIFICATA | VERIFICATA => 1"},
    {"eB_past_B_third", drained(3, 6), {{.N = 100, .MB = 100.5}}, "Eccentricità oltre un terzo del lato: la verifica richiede provvedimenti particolari (EN 1997-1, 6.5.4). => none"},
    {"eL_past_L_third", drained(3, 6), {{.N = 100, .ML = -200.5}}, "Eccentricità oltre un terzo del lato: la verifica richiede provvedimenti particolari (EN 1997-1, 6.5.4). => none"},
    {"undrained_H_past_base", undrained(1, 1, 10), {{.N = 100, .HB = 11}}, "Il carico orizzontale supera la resistenza non drenata della base. => none"},  // A'·cu,d = 10 kN
    {"drained_t_zero", drained(2, 3), {{.N = 100, .HB = 100}}, "Il carico orizzontale supera la resistenza per attrito e coesione della base. => none"},  // c' = 0: t = 1 − H/N = 0
    // φ' 5°, c' 1, D 3: t = 0,4615, iq = 0,3136, ic = −0,896 while R/A' stays about 22 kPa.
    {"drained_ic_negative", with_D(drained(1, 1, 5, 1), 3), {{.N = 100, .HB = 60}}, "Il carico orizzontale supera la resistenza per attrito e coesione della base. => none"},
    {"input_rule_broken", drained(2, 3), {{.N = 0}}, "Il valore di N deve essere maggiore di zero. => none"},
    {"area_overflows", drained(1e200, 1e200), {{.N = 100}}, "Con questi dati il calcolo esce dal campo dei numeri rappresentabili. => none"},
};
// clang-format on
class Outcomes : public ::testing::TestWithParam<OutcomeRow> {};
TEST_P(Outcomes, VerdictsAndGoverningCombination) {
  std::vector<Outcome<Verification, Refusal>> outcomes;
  std::string texts;
  for (const LoadCombination& loads : GetParam().combinations) {
    outcomes.push_back(verify(GetParam().footing, loads));
    texts += outcomes.back() ? verdict_text(outcomes.back()->verdict) : refusal(outcomes.back());
    texts += outcomes.size() < GetParam().combinations.size() ? " | " : " ";
  }
  const auto governing = governing_combination(outcomes);
  texts += "=> " + (governing ? std::to_string(*governing + 1) : "none");
  EXPECT_EQ(texts, GetParam().expected);
}
INSTANTIATE_TEST_SUITE_P(Verification, Outcomes, ::testing::ValuesIn(kOutcomeRows), RowName());

// Halves go by the binary value (1.0005 is 1,00049999999999994); 0.125, a tie, to the even digit.
struct FixedTextRow {
  const char* name;
  double value;
  int decimals;
  const char* text;
};
const FixedTextRow kFixedTextRows[] = {
    {"small_negative_to_zero", -0.0004, 3, "0,000"},
    {"small_negative", -0.0006, 3, "-0,001"},
    {"binary_below_half", 1.0005, 3, "1,000"},
    {"exact_tie_to_even", 0.125, 2, "0,12"},
    {"carry", 9.99996, 4, "10,0000"},
    {"no_thousands_separator", 1234567.891, 2, "1234567,89"},
    // (2 − 2⁻⁵²) · 2¹⁰²³ written out.
    {"largest_double", std::numeric_limits<double>::max(), 0,
     "17976931348623157081452742373170435679807056752584499659891747680315726078002853876058955"
     "86327668781715404589535143824642343213268894641827684675467035375169860499105765512820762"
     "45490090389328944075868508455133942304583236903222948165808559332123348274797826204144723"
     "168738177180919299881250404026184124858368"},
};
class FixedText : public ::testing::TestWithParam<FixedTextRow> {};
TEST_P(FixedText, Rounds) {
  EXPECT_EQ(fixed_text(GetParam().value, GetParam().decimals), GetParam().text);
}
INSTANTIATE_TEST_SUITE_P(Verification, FixedText, ::testing::ValuesIn(kFixedTextRows), RowName());

TEST(VerificationFixedTextDeathTest, NotANumberIsAProgrammingError) {
  EXPECT_DEATH(static_cast<void>(fixed_text(kNaN, 2)), "fixed_text");
}

// drained: Nq, Nc, Nγ as published at 30°; the rest from a second, independent implementation of
//   D.4, each at least 0,03 of a last digit from a rounding boundary; H = 0: i factors 1, no m.
// undrained: ic = ½(1 + √(1 − 60/180)), R/A' = 5,141593 · 50 · bc · sc · ic + 18, Rd = A'·R/A'/2,3,
//   Rd,h = A'·50/1,1; eB 0,4 > B/6.
struct ColumnRow {
  const char* name;
  Footing footing;
  LoadCombination loads;
  std::string texts;
};
// clang-format off
const ColumnRow kColumnRows[] = {
    {"drained_vertical", with_D(drained(2, 3, 30, 5, "NTC2018-A2"), 1, 5), {.N = 800, .MB = 80},
     "0,100;0,000;1,800;3,000;5,400;18,4011;30,1396;20,0931;0,9018;0,9018;0,8961;1,3000;0,8200;"
     "1,3172;;1,0000;1,0000;1,0000;18,00;806,87;1894,40;800,00;0,422;;;;VERIFICATA;"},
    {"undrained_inclined", with_D(undrained(2, 3, 50), 1, 10), {.N = 500, .MB = 200, .HB = 60},
     "0,400;0,000;1,200;3,000;3,600;;5,1416;;;;0,9321;;;1,0800;;;;0,9082;18,00;253,05;396,08;"
     "500,00;1,262;163,64;60,00;0,367;NON VERIFICATA (carico limite);"
     "Base parzializzata: il carico cade fuori dal nocciolo centrale d'inerzia."},
};
// clang-format on
class ColumnTextsOf : public ::testing::TestWithParam<ColumnRow> {};
TEST_P(ColumnTextsOf, Combination) {
  const ColumnTexts texts = column_texts(verify(GetParam().footing, GetParam().loads));
  std::string joined = texts[0];
  for (std::size_t i = 1; i < texts.size(); ++i) joined += ";" + texts[i];
  EXPECT_EQ(joined, GetParam().texts);
}
INSTANTIATE_TEST_SUITE_P(Verification, ColumnTextsOf, ::testing::ValuesIn(kColumnRows), RowName());

// Each row breaks one rule of a valid drained footing (B 2, L 3, D 1, φ' 30°, γ 18, N 100), or
// puts a value at a boundary, or a field of the other condition, that passes (no message).
struct ValidationRow {
  const char* name;
  void (*edit)(Footing&, LoadCombination&);
  const char* message;
};
using F = Footing&;
using C = LoadCombination&;
// clang-format off
const ValidationRow kValidationRows[] = {
    {"width_zero", [](F f, C) { f.B = 0; }, "Il valore di larghezza deve essere maggiore di zero."},
    {"width_nan", [](F f, C) { f.B = kNaN; }, "Il valore di larghezza deve essere maggiore di zero."},
    {"length_below_width", [](F f, C) { f.L = 1.9; }, "Il valore di lunghezza deve essere non minore di larghezza."},
    {"length_equal_width", [](F f, C) { f.L = 2; }, ""},
    {"length_infinite", [](F f, C) { f.L = kInf; }, "Il valore di lunghezza deve essere non minore di larghezza."},
    {"depth_negative", [](F f, C) { f.D = -0.1; }, "Il valore di profondita deve essere non negativo."},
    {"depth_zero", [](F f, C) { f.D = 0; }, ""},
    {"inclination_negative", [](F f, C) { f.alpha = -1; }, "Il valore di inclinazione_base deve essere non negativo e minore di 45 gradi."},
    {"inclination_45", [](F f, C) { f.alpha = 45; }, "Il valore di inclinazione_base deve essere non negativo e minore di 45 gradi."},
    {"angle_zero", [](F f, C) { f.phi_k = 0; }, "Il valore di angolo deve essere maggiore di zero e non maggiore di 50 gradi."},
    {"angle_50", [](F f, C) { f.phi_k = 50; }, ""},
    {"angle_past_50", [](F f, C) { f.phi_k = 50.01; }, "Il valore di angolo deve essere maggiore di zero e non maggiore di 50 gradi."},
    {"drained_cohesion_negative", [](F f, C) { f.c_k = -1; }, "Il valore di coesione_drenata deve essere non negativo."},
    {"undrained_strength_zero", [](F f, C) { f.condition = Condition::kUndrained; }, "Il valore di coesione_non_drenata deve essere maggiore di zero."},
    {"undrained_ignores_drained_fields", [](F f, C) { f.condition = Condition::kUndrained, f.cu_k = 20, f.phi_k = 0, f.c_k = -1, f.zw = -1; }, ""},
    {"soil_weight_zero", [](F f, C) { f.gamma = 0; }, "Il valore di peso_terreno deve essere maggiore di zero."},
    {"saturated_weight_of_water", [](F f, C) { f.zw = 1, f.gamma_sat = 9.81; }, "Con la falda il valore di peso_saturo deve essere maggiore del peso dell'acqua, 9,81 kN/m³."},
    {"saturated_weight_above_water", [](F f, C) { f.zw = 0, f.gamma_sat = 9.82; }, ""},
    {"water_table_negative", [](F f, C) { f.zw = -0.5, f.gamma_sat = 20; }, "Il valore di falda deve essere non negativo."},
    {"vertical_load_zero", [](F, C c) { c.N = 0; }, "Il valore di N deve essere maggiore di zero."},
    {"moment_B_infinite", [](F, C c) { c.MB = kInf; }, "Il valore di MB deve essere un numero finito."},
    {"moment_L_nan", [](F, C c) { c.ML = kNaN; }, "Il valore di ML deve essere un numero finito."},
    {"horizontal_B_infinite", [](F, C c) { c.HB = -kInf; }, "Il valore di HB deve essere un numero finito."},
    {"horizontal_L_nan", [](F, C c) { c.HL = kNaN; }, "Il valore di HL deve essere un numero finito."},
    {"first_rule_wins", [](F f, C c) { f.B = 0, c.N = 0; }, "Il valore di larghezza deve essere maggiore di zero."},
};
// clang-format on
class Validation : public ::testing::TestWithParam<ValidationRow> {};
TEST_P(Validation, FirstBrokenRule) {
  Footing f = drained(2, 3);
  LoadCombination loads{.N = 100};
  GetParam().edit(f, loads);
  const auto outcome = validate(f, loads);
  EXPECT_EQ(outcome.ok() ? "" : outcome.error().message, GetParam().message);
}
INSTANTIATE_TEST_SUITE_P(Verification, Validation, ::testing::ValuesIn(kValidationRows), RowName());

}  // namespace
}  // namespace fondara::verifica
