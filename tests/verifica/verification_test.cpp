// The verification's numbers: published and hand-computed values, refusals, verdicts, the
// generated combinations, the footing's checks and verdict, the input rules and the texts of the
// result columns.
#include "verifica/verification.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>
#include <optional>
#include <string>
#include <vector>

#include "row_name.h"
#include "verifica/combinations.h"
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

Condition condition_of(const Footing& f) {
  return f.conditions == Conditions::kUndrained ? Condition::kUndrained : Condition::kDrained;
}
// The check of one combination in the footing's one condition.
Outcome<Verification, Refusal> verify(const Footing& f, const LoadCombination& loads) {
  return verify(f, condition_of(f), loads);
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
  f.conditions = Conditions::kUndrained, f.cu_k = cu_k;
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
Footing seismic(Footing f, double kh) {
  f.factors = factors("NTC2018-A2"), f.kh = kh, f.gamma_R_seismic = kh > 0 ? 1.8 : 2.3;
  return f;
}
constexpr LoadCombination in_earthquake(LoadCombination loads) {
  loads.situation = Situation::kSeismic;
  return loads;
}
std::string_view refusal(const Outcome<Verification, Refusal>& outcome) {
  return outcome.ok() ? "" : outcome.error().message;
}

// Values as published or by formula, each within the precision of its source: a published
// spreadsheet example of EN 1997-1 Annex D (drained, EC7-DA1-C1), a textbook's DA2 example (Smith,
// Elements of Soil Mechanics, 9th ed.: the book rounds its factors; the exact method gives Rd
// 3083,75), Paolucci and Pecker's z factors by their formula, and values by hand. m = mL (HL'/H)² +
// mB (HB'/H)², mB = 5/3 and mL = 4/3 at B'/L' = 1/2: after the swap 4/3 · 0,1 + 5/3 · 0,9.
// Undrained, q = 18: R/A' = 5,141593 · 50 · (1 + 0,2 · 2/3)
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
constexpr auto B_eff = [](V v) { return v.B_eff; };
constexpr auto Rd = [](V v) { return v.Rd; };
constexpr auto zq = [](V v) { return v.inertia.value().zq.value(); };
constexpr auto zc = [](V v) { return v.inertia.value().zc; };
constexpr auto Rd_h = [](V v) { return v.sliding.value().Rd_h; };
constexpr auto delta_d = [](V v) { return v.sliding.value().delta_d.value(); };
Footing annex_d() {
  Footing f = with_D(drained(1, 6), 0.75);
  f.gamma = 10;
  return f;
}
constexpr LoadCombination kAnnexD{.N = 200, .MB = 30, .ML = 88, .HB = 60, .HL = 30};
// The textbook's square footing, the water table at its base.
Footing textbook_da2() {
  Footing f = with_D(drained(3, 3, 30, 0, "EC7-DA2"), 1);
  f.gamma = 18.4, f.zw = 1, f.gamma_sat = 19;
  return f;
}
constexpr LoadCombination kTextbook{.N = 1936, .MB = 450, .HB = 150};
// φ'cv 30°, γφ' 1,25: φ'cv,d = atan(tan 30° / 1,25) = 24,791281°; precast: ⅔ of it.
Footing sliding_on(Footing f, double phi_cv, bool precast) {
  f.phi_cv_k = phi_cv, f.precast = precast;
  return f;
}
Footing water_at_interface(Footing f) {
  f.water_at_interface = true;
  return f;
}
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
    {"textbook_B_eff", textbook_da2(), kTextbook, B_eff, 2.535, 0.0005},
    {"textbook_m", textbook_da2(), kTextbook, m, 1.542, 0.0005},
    {"textbook_iq", textbook_da2(), kTextbook, iq, 0.88, 0.005},
    {"textbook_igamma", textbook_da2(), kTextbook, igamma, 0.81, 0.005},
    {"textbook_q", textbook_da2(), kTextbook, q_eff, 18.4, 1e-12},
    {"textbook_Rd", textbook_da2(), kTextbook, Rd, 3083.75, 0.005},
    {"inertia_kh_01_zq", seismic(drained(2, 3), 0.1), in_earthquake({.N = 100}), zq, 0.9356, 5e-5},
    {"inertia_kh_01_zc", seismic(drained(2, 3), 0.1), in_earthquake({.N = 100}), zc, 0.9680, 1e-12},
    {"inertia_kh_02_zq", seismic(drained(2, 3, 35), 0.2), in_earthquake({.N = 100}), zq, 0.8889, 5e-5},
    {"inertia_kh_02_zc", seismic(drained(2, 3, 35), 0.2), in_earthquake({.N = 100}), zc, 0.9360, 1e-12},
    // Undrained, q = 18: R/A' = 5,141593 · 50 · (1 + 0,2 · 2/3) · 0,968 + 18, only the cohesion
    // term reduced.
    {"inertia_undrained_R_A", seismic(undrained(2, 3, 50), 0.1), in_earthquake({.N = 500}), R_A, 300.0335, 5e-4},
    // kh = 0 in a seismic check: z = 1, so R/A' as in a static one.
    {"inertia_kh_0_R_A", undrained(2, 3, 50), in_earthquake({.N = 500}), R_A, 309.3569, 5e-4},
    // Rd,h = N tan δd / γR,h: 500 · tan 30° / 1 = 288,675; tan 24,791281° = 0,461880; δ = ⅔ φ'cv,d.
    {"sliding_critical_angle", sliding_on(drained(2, 3, 38), 30, false), {.N = 500, .HB = 50}, Rd_h, 288.6751, 5e-4},
    {"sliding_precast_delta", sliding_on(drained(2, 3, 30, 0, "EC7-DA1-C2"), 30, true), {.N = 500, .HB = 50}, delta_d, 16.527521, 5e-6},
    {"sliding_precast_Rd_h", sliding_on(drained(2, 3, 30, 0, "EC7-DA1-C2"), 30, true), {.N = 500, .HB = 50}, Rd_h, 148.3680, 5e-4},
    // A'·cu,d / γR,h = 6 · 50 / 1,1 = 272,7 above 0,4 · 500 = 200.
    {"sliding_undrained_interface", water_at_interface(undrained(2, 3, 50)), {.N = 500, .HB = 50}, Rd_h, 200, 1e-12},
    {"sliding_undrained_interface_not_governing", water_at_interface(undrained(2, 3, 50)), {.N = 1000, .HB = 50}, Rd_h, 272.7273, 5e-5},
    // c' > 0 with H: t = 1 − H / (N + A'·c'd·cot φ'd) = 1 − 50 / (500 + 6 · 10 · √3) = 0,917208;
    // iq = t^1,6 (mB at B'/L' = 2/3).
    {"cohesion_in_t", drained(2, 3, 30, 10), {.N = 500, .HB = 50}, iq, 0.870860, 5e-6},
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
    // 6 · 0,2/2 + 6 · 0,5/4 = 1,35: outside the kern's rhombus.
    {"both_axes_signs_ignored", 2, 4, {.N = 100, .MB = -20, .ML = 50, .HL = -7}, 1.6, 3, 0, 7, true},
    {"eB_at_B_sixth", 6, 12, {.N = 60, .MB = 60}, 4, 12, 0, 0, false},
    {"eL_at_L_sixth", 6, 12, {.N = 60, .ML = 120}, 6, 8, 0, 0, false},
    {"eB_at_B_third", 3, 6, {.N = 100, .MB = 100}, 1, 6, 0, 0, true},
    {"eL_at_L_third", 3, 6, {.N = 100, .ML = 200}, 2, 3, 0, 0, true},  // L' 2 < 3: swap
    // 6 · 0,3/3 + 6 · 0,6/6 = 1,2: outside the rhombus, though each axis is within its sixth.
    {"two_moments_outside_kern", 3, 6, {.N = 100, .MB = 30, .ML = 60}, 2.4, 4.8, 0, 0, true},
    {"two_moments_on_kern", 3, 6, {.N = 100, .MB = 25, .ML = 50}, 2.5, 5, 0, 0, false},
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
    {"NTC2018_A2", "NTC2018-A2", "NTC 2018 Approccio 2 (A1+M1+R3), Tab. 6.2.I, 6.2.II, 6.4.I", 30, 70, 2.3, 1.1},
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
    // kh = tan φ'd: (1 − kh/tan φ'd)^0,35 would be 0; the seismic resistance is not defined.
    {"inertia_equal_to_friction", seismic(drained(2, 3), std::tan(30 * std::numbers::pi / 180.0)), {in_earthquake({.N = 100})}, "Il coefficiente sismico del terreno kh non è minore di tan φ'd: la resistenza sismica non è definita. => none"},
    // tan φ'd = tan 30° = 0,577 ≤ kh: no seismic resistance; a static check is not reduced.
    {"inertia_beyond_friction", seismic(drained(2, 3), 0.6), {in_earthquake({.N = 100}), {.N = 100}}, "Il coefficiente sismico del terreno kh non è minore di tan φ'd: la resistenza sismica non è definita. | VERIFICATA => 2"},
};
// clang-format on
class Outcomes : public ::testing::TestWithParam<OutcomeRow> {};
TEST_P(Outcomes, VerdictsAndGoverningCombination) {
  std::vector<Check> checks;
  std::string texts;
  for (const LoadCombination& loads : GetParam().combinations) {
    checks.push_back({checks.size(), Condition::kDrained, verify(GetParam().footing, loads)});
    const auto& outcome = checks.back().outcome;
    texts += outcome ? verdict_text(outcome->verdict) : refusal(outcome);
    texts += checks.size() < GetParam().combinations.size() ? " | " : " ";
  }
  const auto governing = governing_check(checks);
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

// drained: Nq, Nc, Nγ as published at 30° (U.S. Army Corps of Engineers EM 1110-1-1905, Table 4-4);
// the rest from a second, independent implementation of
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
     "1,3172;;1,0000;1,0000;1,0000;18,00;806,87;1894,40;800,00;0,422;;;;VERIFICATA;;;;;;2,30;1,10"},
    {"undrained_inclined", with_D(undrained(2, 3, 50), 1, 10), {.N = 500, .MB = 200, .HB = 60},
     "0,400;0,000;1,200;3,000;3,600;;5,1416;;;;0,9321;;;1,0800;;;;0,9082;18,00;253,05;396,08;"
     "500,00;1,262;163,64;60,00;0,367;NON VERIFICATA (carico limite);"
     "Base parzializzata: il carico cade fuori dal nocciolo centrale d'inerzia.;;;;;2,30;1,10"},
    // Seismic, kh 0,1 at φ'd 30° (Paolucci and Pecker by formula), γR,v 1,8 with the inertia; the
    // rest from a second, independent implementation of D.4 with the z factors.
    {"drained_seismic_inertia", seismic(drained(2, 3, 30, 0, "NTC2018-A2"), 0.1), in_earthquake({.N = 500, .HB = 50}),
     "0,000;0,000;2,000;3,000;6,000;18,4011;30,1396;20,0931;1,0000;1,0000;1,0000;1,3333;0,8000;"
     "1,3525;1,6000;0,8449;0,7604;0,8360;18,00;554,93;1849,75;500,00;0,270;262,43;50,00;0,191;"
     "VERIFICATA;;0,9356;0,9356;0,9680;30,00;1,80;1,10"},
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
    {"undrained_strength_zero", [](F f, C) { f.conditions = Conditions::kUndrained; }, "Il valore di coesione_non_drenata deve essere maggiore di zero."},
    {"undrained_ignores_drained_fields", [](F f, C) { f.conditions = Conditions::kUndrained, f.cu_k = 20, f.phi_k = 0, f.c_k = -1, f.zw = -1, f.phi_cv_k = 60; }, ""},
    {"both_conditions_need_undrained_strength", [](F f, C) { f.conditions = Conditions::kBoth; }, "Il valore di coesione_non_drenata deve essere maggiore di zero."},
    {"both_conditions_need_friction", [](F f, C) { f.conditions = Conditions::kBoth, f.cu_k = 20, f.phi_k = 0; }, "Il valore di angolo deve essere maggiore di zero e non maggiore di 50 gradi."},
    {"soil_weight_zero", [](F f, C) { f.gamma = 0; }, "Il valore di peso_terreno deve essere maggiore di zero."},
    {"saturated_weight_of_water", [](F f, C) { f.zw = 1, f.gamma_sat = 9.81; }, "Con la falda il valore di peso_saturo deve essere maggiore del peso dell'acqua, 9,81 kN/m³."},
    {"saturated_weight_above_water", [](F f, C) { f.zw = 0, f.gamma_sat = 9.82; }, ""},
    {"water_table_negative", [](F f, C) { f.zw = -0.5, f.gamma_sat = 20; }, "Il valore di falda deve essere non negativo."},
    {"inertia_one", [](F f, C) { f.kh = 1; }, "Il valore di kh_terreno deve essere non negativo e minore di 1."},
    {"inertia_negative", [](F f, C) { f.kh = -0.1; }, "Il valore di kh_terreno deve essere non negativo e minore di 1."},
    {"seismic_factor_unknown", [](F f, C) { f.gamma_R_seismic = 2; }, "Il valore di gamma_r_sismico deve essere 2,3 oppure 1,8."},
    {"seismic_factor_without_inertia", [](F f, C) { f.gamma_R_seismic = 1.8; }, "gamma_r_sismico = 1,8 vale solo se il carico limite considera l'inerzia del terreno: indicare kh_terreno maggiore di zero (NTC 2018, 7.11.5.3.1)."},
    {"seismic_factor_with_inertia", [](F f, C) { f.gamma_R_seismic = 1.8, f.kh = 0.05; }, ""},
    {"critical_angle_zero", [](F f, C) { f.phi_cv_k = 0; }, "Il valore di angolo_stato_critico deve essere maggiore di zero e non maggiore di 50 gradi."},
    {"seismic_combination_with_ec7", [](F, C c) { c.situation = Situation::kSeismic; }, "Le combinazioni sismiche si verificano con le NTC 2018 (approccio NTC2018-A2)."},
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

// Worked by hand: G1 100 kN, G2 20 kN, a category A floor 30 kN, wind 10 kN along B (MB 5),
// Ex 40 kN along B (MB 80), Ey 20 kN along L (ML 30), with NTC2018-A2 (γG1 1,3 / 1,0, γG2
// 1,5 / 0,8, γQ 1,5; ψ0 0,7 and 0,6; ψ2 0,3 and 0). Each row: the factors given to the six
// actions, then N, MB, ML, HB, HL and whether the combination is seismic.
std::vector<Action> worked_actions() {
  return {{"peso", ActionType::kG1, 100},
          {"finiture", ActionType::kG2, 20},
          {"solaio", ActionType::kQA, 30},
          {"vento", ActionType::kQWind, 0, 5, 0, 10, 0},
          {"sisma x", ActionType::kEx, 0, 80, 0, 40, 0},
          {"sisma y", ActionType::kEy, 0, 0, 30, 0, 20}};
}
struct GeneratedRow {
  std::array<double, 6> factors;
  LoadCombination loads;
};
// clang-format off
const GeneratedRow kWorkedCombinations[] = {
    {{1.3, 1.5, 0, 0, 0, 0}, {160, 0, 0, 0, 0}},             // permanent unfavourable, no Q
    {{1.3, 1.5, 1.5, 0.9, 0, 0}, {205, 4.5, 0, 9, 0}},       // floor leading, wind 1,5 · 0,6
    {{1.3, 1.5, 1.05, 1.5, 0, 0}, {191.5, 7.5, 0, 15, 0}},   // wind leading, floor 1,5 · 0,7
    {{1.0, 0.8, 0, 0, 0, 0}, {116, 0, 0, 0, 0}},             // permanent favourable
    {{1.0, 0.8, 1.5, 0.9, 0, 0}, {161, 4.5, 0, 9, 0}},
    {{1.0, 0.8, 1.05, 1.5, 0, 0}, {147.5, 7.5, 0, 15, 0}},
    {{1, 1, 0.3, 0, 1, 0.3}, {129, 80, 9, 40, 6, Situation::kSeismic}},
    {{1, 1, 0.3, 0, 1, -0.3}, {129, 80, -9, 40, -6, Situation::kSeismic}},
    {{1, 1, 0.3, 0, -1, 0.3}, {129, -80, 9, -40, 6, Situation::kSeismic}},
    {{1, 1, 0.3, 0, -1, -0.3}, {129, -80, -9, -40, -6, Situation::kSeismic}},
    {{1, 1, 0.3, 0, 0.3, 1}, {129, 24, 30, 12, 20, Situation::kSeismic}},
    {{1, 1, 0.3, 0, 0.3, -1}, {129, 24, -30, 12, -20, Situation::kSeismic}},
    {{1, 1, 0.3, 0, -0.3, 1}, {129, -24, 30, -12, 20, Situation::kSeismic}},
    {{1, 1, 0.3, 0, -0.3, -1}, {129, -24, -30, -12, -20, Situation::kSeismic}},
};
// clang-format on

TEST(GeneratedCombinations, StaticVariantsLeadingActionsThenTheEightSeismicInOrder) {
  const std::vector<Action> actions = worked_actions();
  const auto combinations = generate_combinations(factors("NTC2018-A2"), actions);
  ASSERT_EQ(combinations.size(), std::size(kWorkedCombinations));
  for (std::size_t i = 0; i < combinations.size(); ++i) {
    SCOPED_TRACE("combination " + std::to_string(i + 1));
    const GeneratedRow& row = kWorkedCombinations[i];
    const Combination& c = combinations[i];
    EXPECT_TRUE(c.generated);
    ASSERT_EQ(c.factors.size(), 6u);
    for (std::size_t a = 0; a < 6; ++a) EXPECT_NEAR(c.factors[a], row.factors[a], 1e-12);
    EXPECT_NEAR(c.loads.N, row.loads.N, 1e-9);
    EXPECT_NEAR(c.loads.MB, row.loads.MB, 1e-9);
    EXPECT_NEAR(c.loads.ML, row.loads.ML, 1e-9);
    EXPECT_NEAR(c.loads.HB, row.loads.HB, 1e-9);
    EXPECT_NEAR(c.loads.HL, row.loads.HL, 1e-9);
    EXPECT_EQ(c.loads.situation, row.loads.situation);
  }
  EXPECT_EQ(combination_formula(combinations[2], actions),
            "1,3·peso + 1,5·finiture + 1,05·solaio + 1,5·vento");
  EXPECT_EQ(combination_formula(combinations[13], actions),
            "1·peso + 1·finiture + 0,3·solaio - 0,3·sisma x - 1·sisma y");
}

// ψ0 and ψ2 of each variable category as NTC 2018 Tab. 2.5.I gives them: the category's action
// accompanying a leading one gets γQ·ψ0, in the seismic combinations ψ2.
struct PsiRow {
  const char* name;
  ActionType type;
  double psi0, psi2;
};
const PsiRow kPsiRows[] = {
    {"A", ActionType::kQA, 0.7, 0.3},
    {"B", ActionType::kQB, 0.7, 0.3},
    {"C", ActionType::kQC, 0.7, 0.6},
    {"D", ActionType::kQD, 0.7, 0.6},
    {"E", ActionType::kQE, 1.0, 0.8},
    {"F", ActionType::kQF, 0.7, 0.6},
    {"G", ActionType::kQG, 0.7, 0.3},
    {"H", ActionType::kQH, 0.0, 0.0},
    {"vento", ActionType::kQWind, 0.6, 0},
    {"neve", ActionType::kQSnow, 0.5, 0},
    {"neve_alta", ActionType::kQSnowHigh, 0.7, 0.2},
    {"termica", ActionType::kQThermal, 0.6, 0},
};
class Psi : public ::testing::TestWithParam<PsiRow> {};
TEST_P(Psi, AccompanyingAndQuasiPermanent) {
  const std::vector<Action> actions = {
      {"", ActionType::kQB, 10}, {"", GetParam().type, 10}, {"", ActionType::kEx, 0, 0, 0, 1}};
  // Static: none, then the first and the second leading; then the two seismic ones.
  const auto combinations = generate_combinations(factors("EC7-DA1-C2"), actions);
  ASSERT_EQ(combinations.size(), 3u);
  EXPECT_NEAR(combinations[1].factors[1], 1.3 * GetParam().psi0, 1e-12);
  const auto seismic = generate_combinations(factors("NTC2018-A2"), actions);
  ASSERT_EQ(seismic.size(), 8u);
  EXPECT_NEAR(seismic[6].factors[1], GetParam().psi2, 1e-12);
}
INSTANTIATE_TEST_SUITE_P(Verification, Psi, ::testing::ValuesIn(kPsiRows), RowName());

// With equal unfavourable and favourable factors (EN 1990 A1.2(C)) one variant; with only Ex, its
// two signs; several actions of one seismic type add up.
TEST(GeneratedCombinations, OneVariantAndOneSeismicDirection) {
  const std::vector<Action> actions = {{"", ActionType::kG1, 100},
                                       {"", ActionType::kQB, 10},
                                       {"", ActionType::kEx, 0, 0, 0, 30},
                                       {"", ActionType::kEx, 0, 0, 0, 10}};
  const auto ec7 = generate_combinations(factors("EC7-DA1-C2"), actions);
  ASSERT_EQ(ec7.size(), 2u);  // no seismic combinations with an EC7 set
  EXPECT_NEAR(ec7[1].loads.N, 113, 1e-12);
  const auto ntc = generate_combinations(factors("NTC2018-A2"), actions);
  ASSERT_EQ(ntc.size(), 4u + 2u);
  EXPECT_NEAR(ntc[4].loads.HB, 40, 1e-12);
  EXPECT_NEAR(ntc[5].loads.HB, -40, 1e-12);
  EXPECT_NEAR(ntc[5].loads.N, 103, 1e-12);  // ψ2 0,3 on the category B floor
}

// The footing's checks: every combination in both conditions, drained first; an uplift refused;
// the governing check and the verdict over all of them.
TEST(FootingChecks, BothConditionsGoverningCheckAndVerdict) {
  Footing f = seismic(undrained(2, 3, 40), 0.1);
  f.phi_k = 28, f.conditions = Conditions::kBoth;
  const std::vector<Action> actions = {{"peso", ActionType::kG1, 300},
                                       {"vento", ActionType::kQWind, -400, 0, 0, 50}};
  const std::vector<LoadCombination> typed = {{.N = 800}};
  const auto checked = check_footing(f, actions, typed);
  ASSERT_TRUE(checked.ok()) << checked.error().message;
  // One typed combination, then 2 variants × (none, wind): 4 combinations, 8 checks.
  ASSERT_EQ(checked->combinations.size(), 5u);
  ASSERT_EQ(checked->checks.size(), 10u);
  EXPECT_EQ(checked->checks[0].condition, Condition::kDrained);
  EXPECT_EQ(checked->checks[1].condition, Condition::kUndrained);
  EXPECT_EQ(checked->checks[9].combination, 4u);
  // Favourable permanent with the wind leading: 300 − 1,5 · 400 < 0.
  EXPECT_EQ(refusal(checked->checks[8].outcome),
            "Il carico verticale della combinazione non è positivo: la fondazione è sollevata.");
  EXPECT_EQ(checked->governing, governing_check(checked->checks));
  EXPECT_TRUE(checked->verdict.not_computable);
  EXPECT_EQ(footing_verdict_text(checked->verdict).substr(0, 14), "NON VERIFICATA");
  EXPECT_EQ(check_title(*checked, 3, f.conditions),
            "Combinazione 2 (generata), condizioni non drenate");
}

// Every typed combination of the legacy seismic set is seismic, and says so.
TEST(FootingChecks, LegacySeismicSetMakesEveryCombinationSeismic) {
  const std::vector<LoadCombination> typed = {{.N = 100}};
  const auto checked = check_footing(drained(2, 3, 30, 0, "NTC2018-SISMA"), {}, typed);
  ASSERT_TRUE(checked.ok());
  EXPECT_EQ(check_title(*checked, 0, Conditions::kDrained), "Combinazione 1 (sismica)");
  EXPECT_EQ(checked->checks[0].outcome->situation, Situation::kSeismic);
}

// Verdicts of the footing in words, in their order.
TEST(FootingChecks, VerdictInWords) {
  EXPECT_EQ(footing_verdict_text({}), "VERIFICATA");
  EXPECT_EQ(footing_verdict_text({true, false, true}),
            "NON VERIFICATA (carico limite, non calcolabile)");
  EXPECT_EQ(footing_verdict_text({false, true, false}), "NON VERIFICATA (scorrimento)");
}

// Actions and combinations that the footing's set refuses, and a footing with nothing to check.
struct FootingRuleRow {
  const char* name;
  const char* set;
  std::vector<Action> actions;
  std::vector<LoadCombination> typed;
  const char* message;
  std::size_t combination, action;
};
// clang-format off
const FootingRuleRow kFootingRuleRows[] = {
    {"seismic_action_with_ec7", "EC7-DA2", {{"", ActionType::kG1, 100}, {"", ActionType::kEy, 0, 0, 0, 0, 5}}, {}, "Le combinazioni sismiche si verificano con le NTC 2018 (approccio NTC2018-A2).", 0, 2},
    {"actions_with_legacy_seismic_set", "NTC2018-SISMA", {{"", ActionType::kG1, 100}}, {}, "Con l'approccio NTC2018-SISMA le combinazioni non si generano dalle azioni: generarle con l'approccio NTC2018-A2.", 0, 1},
    {"action_not_finite", "NTC2018-A2", {{"", ActionType::kG1, kInf}}, {}, "I valori di un'azione (N, MB, ML, HB, HL) devono essere numeri finiti.", 0, 1},
    {"second_typed_combination", "NTC2018-A2", {}, {{.N = 100}, {.N = -1}}, "Il valore di N deve essere maggiore di zero.", 2, 0},
    {"nothing_to_check", "NTC2018-A2", {}, {}, "Manca una combinazione di carico: indicare almeno una combinazione o un'azione.", 0, 0},
    {"too_many_actions", "NTC2018-A2", std::vector<Action>(kMaxActions + 1, Action{"", ActionType::kQA, 1}), {}, "Le azioni sono più di 100: riunire quelle dello stesso tipo, che si combinano allo stesso modo.", 0, 0},
};
// clang-format on
class FootingRules : public ::testing::TestWithParam<FootingRuleRow> {};
TEST_P(FootingRules, NameTheRuleAndWhere) {
  const auto checked =
      check_footing(drained(2, 3, 30, 0, GetParam().set), GetParam().actions, GetParam().typed);
  ASSERT_FALSE(checked.ok());
  EXPECT_EQ(checked.error().message, GetParam().message);
  EXPECT_EQ(checked.error().combination, GetParam().combination);
  EXPECT_EQ(checked.error().action, GetParam().action);
}
INSTANTIATE_TEST_SUITE_P(Verification, FootingRules, ::testing::ValuesIn(kFootingRuleRows),
                         RowName());

}  // namespace
}  // namespace fondara::verifica
