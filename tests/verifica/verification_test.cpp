#include "verifica/verification.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "verifica/partial_factors.h"
#include "verifica/verification_texts.h"

namespace fondara::verifica {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

struct RowName {
  template <typename Row>
  std::string operator()(const ::testing::TestParamInfo<Row>& info) const {
    return info.param.name;
  }
};

PartialFactorSet factors(std::string_view code) {
  const PartialFactorSet* found = find_partial_factors(code);
  return found ? *found : PartialFactorSet{"?", "?", kNaN, kNaN, kNaN, kNaN, kNaN};
}

// D = 1 m, γ = 18 kN/m³, no water table.
Footing drained(double B, double L, double phi_k = 30, double c_k = 0,
                std::string_view code = "EC7-DA1-C1") {
  Footing f;
  f.B = B, f.L = L, f.D = 1, f.phi_k = phi_k, f.c_k = c_k, f.gamma = 18, f.factors = factors(code);
  return f;
}
Footing undrained(double B, double L, double cu_k, std::string_view code = "NTC2018-A2") {
  Footing f;
  f.condition = Condition::kUndrained;
  f.B = B, f.L = L, f.D = 1, f.cu_k = cu_k, f.gamma = 18, f.factors = factors(code);
  return f;
}
std::string_view refusal(const Outcome<Verification, Refusal>& outcome) {
  return outcome.ok() ? "" : outcome.error().message;
}

// --- Bearing factors: EM 1110-1-1905 (1992) Table 4-4, Nγ = 2(Nq − 1) tan φ; printed to two
// decimals, so each value lies within half a unit of the last printed digit.
struct BearingFactorRow {
  const char* name;
  double phi, Nq, Nc, Ngamma;
};
const BearingFactorRow kBearingFactorRows[] = {{"phi_30", 30, 18.40, 30.14, 20.09},
                                               {"phi_40", 40, 64.20, 75.31, 106.05}};
class BearingFactors : public ::testing::TestWithParam<BearingFactorRow> {};
TEST_P(BearingFactors, MatchThePublishedTable) {
  const BearingFactorRow& row = GetParam();
  const auto outcome = verify(drained(2, 3, row.phi), {.N = 100});
  ASSERT_TRUE(outcome.ok()) << refusal(outcome);
  EXPECT_NEAR(outcome->drained.value().Nq, row.Nq, 0.005);
  EXPECT_NEAR(outcome->Nc, row.Nc, 0.005);
  EXPECT_NEAR(outcome->drained.value().Ngamma, row.Ngamma, 0.005);
}
INSTANTIATE_TEST_SUITE_P(Published, BearingFactors, ::testing::ValuesIn(kBearingFactorRows),
                         RowName());

// --- EN 1997-1 Annex D drained example, inclined eccentric load, EC7-DA1-C1; each published
// value to its printed precision (R/A' is given as "about 95 kPa").
struct ValueRow {
  const char* name;
  double (*value)(const Verification&);
  double expected, tolerance;
};
const ValueRow kAnnexDRows[] = {
    {"B_eff", [](const Verification& v) { return v.B_eff; }, 0.700, 0.0005},
    {"L_eff", [](const Verification& v) { return v.L_eff; }, 5.120, 0.0005},
    {"m", [](const Verification& v) { return v.drained.value().m.value(); }, 1.73, 0.005},
    {"iq", [](const Verification& v) { return v.drained.value().iq; }, 0.494, 0.0005},
    {"igamma", [](const Verification& v) { return v.drained.value().igamma; }, 0.328, 0.0005},
    {"R_A", [](const Verification& v) { return v.R_A; }, 95, 0.5},
    {"U", [](const Verification& v) { return v.U; }, 0.588, 0.0005},
};
class AnnexDExample : public ::testing::TestWithParam<ValueRow> {};
TEST_P(AnnexDExample, GivesThePublishedValue) {
  Footing f = drained(1, 6);
  f.D = 0.75, f.gamma = 10;
  const auto outcome = verify(f, {.N = 200, .MB = 30, .ML = 88, .HB = 60, .HL = 30});
  ASSERT_TRUE(outcome.ok()) << refusal(outcome);
  EXPECT_NEAR(GetParam().value(*outcome), GetParam().expected, GetParam().tolerance);
}
INSTANTIATE_TEST_SUITE_P(Published, AnnexDExample, ::testing::ValuesIn(kAnnexDRows), RowName());

// --- Effective foundation: B' = B − 2|MB|/N, L' = L − 2|ML|/N, swapped with the horizontal
// components when B' > L'. Expected values by hand from the loads (N = 100 unless given).
struct GeometryRow {
  const char* name;
  double B, L;
  LoadCombination loads;
  double B_eff, L_eff, HB_eff, HL_eff;
  bool partial_base;
};
// clang-format off
const GeometryRow kGeometryRows[] = {
    {"centred", 2, 3, {.N = 100, .HB = 5}, 2, 3, 5, 0, false},
    {"along_L_only", 2, 4, {.N = 100, .ML = 50}, 2, 3, 0, 0, false},  // eL 0,5
    {"both_axes_signs_ignored", 2, 4, {.N = 100, .MB = -20, .ML = 50, .HL = -7},
     1.6, 3, 0, 7, false},
    // eL = 0,6: L' = 1,0 < B' = 2,0, so they swap and HB, HL change places.
    {"swap_near_square", 2, 2.2, {.N = 100, .ML = 60, .HB = 10, .HL = 30}, 1, 2, 30, 10, true},
    {"eB_at_B_sixth", 6, 12, {.N = 60, .MB = 60}, 4, 12, 0, 0, false},        // eB = 1 = B/6
    {"eB_past_B_sixth", 6, 12, {.N = 60, .MB = 60.6}, 3.98, 12, 0, 0, true},  // eB = 1,01
    {"eL_at_L_sixth", 6, 12, {.N = 60, .ML = 120}, 6, 8, 0, 0, false},        // eL = 2 = L/6
    {"eL_past_L_sixth", 6, 12, {.N = 60, .ML = 121.2}, 6, 7.96, 0, 0, true},  // eL = 2,02
    {"eB_at_B_third", 3, 6, {.N = 100, .MB = 100}, 1, 6, 0, 0, true},         // eB = 1 = B/3
    {"eL_at_L_third", 3, 6, {.N = 100, .ML = 200}, 2, 3, 0, 0, true},         // L' 2 < 3: swap
};
// clang-format on
class EffectiveFoundation : public ::testing::TestWithParam<GeometryRow> {};
TEST_P(EffectiveFoundation, SidesAreaAndHorizontalComponents) {
  const GeometryRow& row = GetParam();
  const auto outcome = verify(drained(row.B, row.L), row.loads);
  ASSERT_TRUE(outcome.ok()) << refusal(outcome);
  EXPECT_NEAR(outcome->B_eff, row.B_eff, 1e-12);
  EXPECT_NEAR(outcome->L_eff, row.L_eff, 1e-12);
  EXPECT_NEAR(outcome->A_eff, row.B_eff * row.L_eff, 1e-12);
  EXPECT_NEAR(outcome->HB_eff, row.HB_eff, 1e-12);
  EXPECT_NEAR(outcome->HL_eff, row.HL_eff, 1e-12);
  EXPECT_EQ(outcome->partial_base, row.partial_base);
}
INSTANTIATE_TEST_SUITE_P(Rows, EffectiveFoundation, ::testing::ValuesIn(kGeometryRows), RowName());

// --- Exponent m = mL (HL'/H)² + mB (HB'/H)², by hand: with B'/L' = 1/2, mB = 2,5/1,5 = 5/3 and
// mL = 4/3; after the swap HB' = 30, HL' = 10, so m = 4/3 · 0,1 + 5/3 · 0,9 = 49/30.
struct ExponentRow {
  const char* name;
  double B, L;
  LoadCombination loads;
  double m;
};
const ExponentRow kExponentRows[] = {
    {"load_along_B", 2, 4, {.N = 100, .HB = 10}, 5.0 / 3},
    {"load_along_L", 2, 4, {.N = 100, .HL = -10}, 4.0 / 3},
    {"load_diagonal", 2, 4, {.N = 100, .HB = 10, .HL = 10}, 1.5},
    {"swap_near_square", 2, 2.2, {.N = 100, .ML = 60, .HB = 10, .HL = 30}, 49.0 / 30},
};
class InclinationExponent : public ::testing::TestWithParam<ExponentRow> {};
TEST_P(InclinationExponent, FollowsTheDirectionOfH) {
  const ExponentRow& row = GetParam();
  const auto outcome = verify(drained(row.B, row.L), row.loads);
  ASSERT_TRUE(outcome.ok()) << refusal(outcome);
  EXPECT_NEAR(outcome->drained.value().m.value(), row.m, 1e-12);
}
INSTANTIATE_TEST_SUITE_P(Rows, InclinationExponent, ::testing::ValuesIn(kExponentRows), RowName());

// --- Refusals, each with its cause and exact message.
Footing deep_drained() {
  Footing f = drained(1, 1, 5, 1);
  f.D = 3;
  return f;
}
struct RefusalRow {
  const char* name;
  Footing footing;
  LoadCombination loads;
  RefusalCause cause;
  const char* message;
};
constexpr const char* kEccentricityMessage =
    "Eccentricità oltre un terzo del lato: la verifica richiede provvedimenti particolari "
    "(EN 1997-1, 6.5.4).";
constexpr const char* kDrainedMessage =
    "Il carico orizzontale supera la resistenza per attrito e coesione della base.";
// clang-format off
const RefusalRow kRefusalRows[] = {
    {"eB_past_B_third", drained(3, 6), {.N = 100, .MB = 100.5},
     RefusalCause::kEccentricityBeyondThird, kEccentricityMessage},
    {"eL_past_L_third", drained(3, 6), {.N = 100, .ML = -200.5},
     RefusalCause::kEccentricityBeyondThird, kEccentricityMessage},
    // A'·cu,d = 1 · 10 kN < H = 11 kN.
    {"undrained_H_past_base", undrained(1, 1, 10), {.N = 100, .HB = 11},
     RefusalCause::kUndrainedHorizontalLoad,
     "Il carico orizzontale supera la resistenza non drenata della base."},
    // c' = 0: t = 1 − H/N = 0.
    {"drained_t_zero", drained(2, 3), {.N = 100, .HB = 100},
     RefusalCause::kDrainedHorizontalLoad, kDrainedMessage},
    // φ' = 5°, c' = 1, D = 3 (q' = 54): t = 1 − 60/(100 + cot 5°) = 0,4615, m = 1,5,
    // iq = 0,3136, ic = 0,3136 − 0,6864/(Nq − 1 = 0,5677) = −0,896, while R/A' stays positive
    // (about 22 kPa): the i factor alone refuses it.
    {"drained_ic_negative", deep_drained(), {.N = 100, .HB = 60},
     RefusalCause::kDrainedHorizontalLoad, kDrainedMessage},
    {"input_rule_broken", drained(2, 3), {.N = 0},
     RefusalCause::kInvalidInput, "Il valore di N deve essere maggiore di zero."},
    {"area_overflows", drained(1e200, 1e200), {.N = 100},
     RefusalCause::kNotComputable,
     "Con questi dati il calcolo esce dal campo dei numeri rappresentabili."},
};
// clang-format on
class Refusals : public ::testing::TestWithParam<RefusalRow> {};
TEST_P(Refusals, CauseAndMessage) {
  const auto outcome = verify(GetParam().footing, GetParam().loads);
  ASSERT_FALSE(outcome.ok());
  EXPECT_EQ(outcome.error().cause, GetParam().cause);
  EXPECT_EQ(outcome.error().message, GetParam().message);
}
INSTANTIATE_TEST_SUITE_P(Rows, Refusals, ::testing::ValuesIn(kRefusalRows), RowName());

// --- Undrained by hand, NTC2018-A2 (γcu 1, γR,v 2,3), D = 1, γ = 18: q = 18.
// vertical: R/A' = 5,141593 · 50 · (1 + 0,2 · 2/3) + 18 = 309,3569; Rd = 6 · 309,3569 / 2,3.
// inclined: bc = 1 − 2 · 0,174533/5,141593 = 0,932109, ic = ½(1 + √(1 − 60/300)) = 0,947214,
//   R/A' = 5,141593 · 50 · 0,932109 · 1,133333 · 0,947214 + 18 = 275,2410.
// H_at_limit: H = A'·cu,d = 10: ic = 0,5, R/A' = 5,141593 · 10 · 1,2 · 0,5 + 18 = 48,84956.
struct UndrainedRow {
  const char* name;
  Footing footing;
  LoadCombination loads;
  double ic, R_A, Rd;
};
Footing inclined_undrained() {
  Footing f = undrained(2, 3, 50);
  f.alpha = 10;
  return f;
}
// clang-format off
const UndrainedRow kUndrainedRows[] = {
    {"vertical", undrained(2, 3, 50), {.N = 500}, 1, 309.3569, 6 * 309.3569 / 2.3},
    {"inclined", inclined_undrained(), {.N = 500, .HB = 60},
     0.947214, 275.2410, 6 * 275.2410 / 2.3},
    {"H_at_limit", undrained(1, 1, 10), {.N = 100, .HB = 10}, 0.5, 48.84956, 48.84956 / 2.3},
};
// clang-format on
class UndrainedByHand : public ::testing::TestWithParam<UndrainedRow> {};
TEST_P(UndrainedByHand, Resistance) {
  const UndrainedRow& row = GetParam();
  const auto outcome = verify(row.footing, row.loads);
  ASSERT_TRUE(outcome.ok()) << refusal(outcome);
  EXPECT_FALSE(outcome->drained.has_value());
  EXPECT_NEAR(outcome->Nc, 5.141593, 5e-7);
  EXPECT_NEAR(outcome->ic, row.ic, 5e-7);
  EXPECT_NEAR(outcome->R_A, row.R_A, 5e-4);
  EXPECT_NEAR(outcome->Rd, row.Rd, 5e-3);
}
INSTANTIATE_TEST_SUITE_P(Rows, UndrainedByHand, ::testing::ValuesIn(kUndrainedRows), RowName());

// --- Water table: B = 2, L = 4, D = 1, γ = 18, γsat = 20, so γ' = 10,19; by hand from the three
// zones. With MB = 50 (N = 100) B' = 1, so zw = 2,5 lies past D + B' = 2.
struct WaterTableRow {
  const char* name;
  std::optional<double> zw;
  double MB, q_eff, gamma_eff;
};
const WaterTableRow kWaterTableRows[] = {
    {"none", std::nullopt, 0, 18, 18},
    {"above_base", 0.5, 0, 18 * 0.5 + 10.19 * 0.5, 10.19},
    {"at_base", 1, 0, 18, 10.19},
    {"within_B_eff", 2, 0, 18, 10.19 + 0.5 * (18 - 10.19)},
    {"at_D_plus_B_eff", 3, 0, 18, 18},
    {"deep", 5, 0, 18, 18},
    {"zone_from_effective_width", 2.5, 50, 18, 18},
};
class WaterTable : public ::testing::TestWithParam<WaterTableRow> {};
TEST_P(WaterTable, OverburdenAndUnitWeight) {
  Footing f = drained(2, 4);
  f.zw = GetParam().zw, f.gamma_sat = 20;
  const auto outcome = verify(f, {.N = 100, .MB = GetParam().MB});
  ASSERT_TRUE(outcome.ok()) << refusal(outcome);
  EXPECT_NEAR(outcome->q_eff, GetParam().q_eff, 1e-12);
  EXPECT_NEAR(outcome->drained.value().gamma_eff, GetParam().gamma_eff, 1e-12);
}
INSTANTIATE_TEST_SUITE_P(Rows, WaterTable, ::testing::ValuesIn(kWaterTableRows), RowName());

TEST(WaterTable, UndrainedOverburdenIsTotalAndIgnoresTheTable) {
  Footing f = undrained(2, 3, 50);
  f.zw = 0;  // γsat not given: ignored in an undrained check
  const auto outcome = verify(f, {.N = 100});
  ASSERT_TRUE(outcome.ok()) << refusal(outcome);
  EXPECT_EQ(outcome->q_eff, 18);
}

// --- Partial-factor sets as tabulated; φ'd = atan(tan 30° / 1,25) = atan(0,461880) = 24,791281°,
// cu,d = 70 / 1,4 = 50.
struct SetRow {
  const char* name;
  const char* code;
  const char* words;
  double phi_d, cu_d, gamma_R_v, gamma_R_h;
};
const SetRow kSetRows[] = {
    {"NTC2018_A2", "NTC2018-A2", "NTC 2018 Approccio 2, A1+M1+R3 (Tab. 6.2.II, 6.4.I)", 30, 70, 2.3,
     1.1},
    {"NTC2018_SISMA", "NTC2018-SISMA", "NTC 2018 combinazione sismica, M1 + Tab. 7.11.II", 30, 70,
     2.3, 1.1},
    {"EC7_DA1_C1", "EC7-DA1-C1", "EN 1997-1 DA1, combinazione 1: A1+M1+R1", 30, 70, 1.0, 1.0},
    {"EC7_DA1_C2", "EC7-DA1-C2", "EN 1997-1 DA1, combinazione 2: A2+M2+R1", 24.791281, 50, 1.0,
     1.0},
    {"EC7_DA2", "EC7-DA2", "EN 1997-1 DA2: A1+M1+R2", 30, 70, 1.4, 1.1},
    {"EC7_DA3", "EC7-DA3", "EN 1997-1 DA3: A1/A2+M2+R3", 24.791281, 50, 1.0, 1.0},
};
class PartialFactorSets : public ::testing::TestWithParam<SetRow> {};
TEST_P(PartialFactorSets, StrengthsAndResistanceFactors) {
  const SetRow& row = GetParam();
  const PartialFactorSet* set = find_partial_factors(row.code);
  ASSERT_NE(set, nullptr);
  EXPECT_EQ(set->name, row.words);
  const auto drained_outcome = verify(drained(2, 3, 30, 0, row.code), {.N = 500, .HB = 50});
  ASSERT_TRUE(drained_outcome.ok()) << refusal(drained_outcome);
  const Verification& v = *drained_outcome;
  EXPECT_NEAR(v.drained.value().phi_d, row.phi_d, 5e-7);
  EXPECT_NEAR(v.Rd * row.gamma_R_v, v.A_eff * v.R_A, 1e-9 * v.Rd);
  const double tan_phi_d = std::tan(row.phi_d * std::acos(-1.0) / 180);
  EXPECT_NEAR(v.sliding.value().Rd_h * row.gamma_R_h, 500 * tan_phi_d, 1e-5);
  const auto undrained_outcome = verify(undrained(2, 3, 70, row.code), {.N = 300});
  ASSERT_TRUE(undrained_outcome.ok()) << refusal(undrained_outcome);
  EXPECT_NEAR(undrained_outcome->cu_d.value(), row.cu_d, 1e-12);
}
INSTANTIATE_TEST_SUITE_P(Table, PartialFactorSets, ::testing::ValuesIn(kSetRows), RowName());

TEST(PartialFactorSets, DefaultAndUnknownCode) {
  EXPECT_EQ(Footing{}.factors.code, "NTC2018-A2");
  EXPECT_EQ(find_partial_factors("ntc2018-a2"), nullptr);
  EXPECT_EQ(find_partial_factors(""), nullptr);
}

// --- Verdicts on B = L = 2, D = 0, cu = 50, NTC2018-A2, by hand: R/A' = 5,1416 · 50 · 1,2 · ic;
// Rd = 4 · R/A' / 2,3; Rd,h = 4 · 50 / 1,1 = 181,82. H = 0: Rd = 536,5. HB = 190:
// ic = ½(1 + √0,05) = 0,6118, Rd = 328,2, Uh = 190/181,82 = 1,045.
Footing verdict_footing() {
  Footing f = undrained(2, 2, 50);
  f.D = 0;
  return f;
}
struct VerdictRow {
  const char* name;
  LoadCombination loads;
  const char* verdict;
};
const VerdictRow kVerdictRows[] = {
    {"verified", {.N = 300}, "VERIFICATA"},                                           // U 0,559
    {"bearing", {.N = 700}, "NON VERIFICATA (carico limite)"},                        // U 1,305
    {"sliding", {.N = 200, .HB = 190}, "NON VERIFICATA (scorrimento)"},               // U 0,609
    {"both", {.N = 400, .HB = -190}, "NON VERIFICATA (carico limite, scorrimento)"},  // U 1,219
};
class Verdicts : public ::testing::TestWithParam<VerdictRow> {};
TEST_P(Verdicts, Text) {
  const auto outcome = verify(verdict_footing(), GetParam().loads);
  ASSERT_TRUE(outcome.ok()) << refusal(outcome);
  EXPECT_EQ(verdict_text(outcome->verdict), GetParam().verdict);
}
INSTANTIATE_TEST_SUITE_P(Rows, Verdicts, ::testing::ValuesIn(kVerdictRows), RowName());

// --- Governing combination on the same footing (utilisations as above; N = 500: U 0,932).
struct GoverningRow {
  const char* name;
  std::vector<LoadCombination> combinations;
  std::optional<std::size_t> governing;
};
const LoadCombination kRefused{.N = 300, .MB = 1000};  // eB = 3,3 > B/3
const GoverningRow kGoverningRows[] = {
    {"largest_U", {{.N = 300}, {.N = 700}, {.N = 500}}, 1},
    {"sliding_counts", {{.N = 500}, {.N = 200, .HB = 190}}, 1},
    {"refused_skipped", {kRefused, {.N = 300}}, 1},
    {"tie_keeps_first", {{.N = 300}, {.N = 300}}, 0},
    {"all_refused", {kRefused, kRefused}, std::nullopt},
    {"none", {}, std::nullopt},
};
class Governing : public ::testing::TestWithParam<GoverningRow> {};
TEST_P(Governing, Index) {
  std::vector<Outcome<Verification, Refusal>> outcomes;
  for (const LoadCombination& loads : GetParam().combinations)
    outcomes.push_back(verify(verdict_footing(), loads));
  EXPECT_EQ(governing_combination(outcomes), GetParam().governing);
}
INSTANTIATE_TEST_SUITE_P(Rows, Governing, ::testing::ValuesIn(kGoverningRows), RowName());

// --- fixed_text. Halves are decided by the binary value: 0.0015 is stored as
// 0,00150000000000000003 and 1.0005 as 1,00049999999999994; 0.125 is an exact tie and goes to the
// even digit.
struct FixedTextRow {
  const char* name;
  double value;
  int decimals;
  const char* text;
};
const FixedTextRow kFixedTextRows[] = {
    {"one", 1, 4, "1,0000"},
    {"down", 0.5884, 3, "0,588"},
    {"up", 2.0 / 3, 3, "0,667"},
    {"negative", -1.23456, 2, "-1,23"},
    {"negative_zero", -0.0, 3, "0,000"},
    {"small_negative_to_zero", -0.0004, 3, "0,000"},
    {"small_negative", -0.0006, 3, "-0,001"},
    {"binary_above_half", 0.0015, 3, "0,002"},
    {"binary_below_half", 1.0005, 3, "1,000"},
    {"exact_tie_to_even", 0.125, 2, "0,12"},
    {"carry", 9.99996, 4, "10,0000"},
    {"no_decimals", 2.6, 0, "3"},
    {"no_thousands_separator", 1234567.891, 2, "1234567,89"},
    {"large", 1e20, 2, "100000000000000000000,00"},
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
INSTANTIATE_TEST_SUITE_P(Rows, FixedText, ::testing::ValuesIn(kFixedTextRows), RowName());

TEST(FixedTextDeathTest, NotANumberIsAProgrammingError) {
  EXPECT_DEATH(static_cast<void>(fixed_text(kNaN, 2)), "fixed_text");
}

// --- Column texts.
// drained: B 2, L 3, D 1, α 5°, φ' 30°, c' 5, NTC2018-A2, N 800, MB 80 (eB 0,1, B' 1,8). By hand:
//   sq = 1 + 0,6 · 0,5, sγ = 1 − 0,3 · 0,6; Nq, Nc, Nγ as published at 30°; bq, bc, sc, R/A',
//   Rd, U from a second, independent implementation of D.4 (Python, double), each at least 0,03
//   of a last digit away from a rounding boundary; H = 0: i factors 1, m and sliding empty.
// undrained: the inclined row above with MB 200: B' 1,2, A' 3,6, sc 1,08,
//   ic = ½(1 + √(1 − 60/180)) = 0,908248, R/A' = 5,141593 · 50 · 0,932109 · 1,08 · 0,908248 + 18
//   = 253,0514, Rd = 3,6 · 253,0514/2,3 = 396,08, Rd,h = 3,6 · 50/1,1 = 163,64; eB 0,4 > B/6.
struct ColumnRow {
  const char* name;
  Footing footing;
  LoadCombination loads;
  std::string texts;
};
Footing column_drained() {
  Footing f = drained(2, 3, 30, 5, "NTC2018-A2");
  f.alpha = 5;
  return f;
}
// clang-format off
const ColumnRow kColumnRows[] = {
    {"drained_vertical", column_drained(), {.N = 800, .MB = 80},
     "0,100;0,000;1,800;3,000;5,400;18,4011;30,1396;20,0931;0,9018;0,9018;0,8961;1,3000;0,8200;"
     "1,3172;;1,0000;1,0000;1,0000;18,00;806,87;1894,40;800,00;0,422;;;;VERIFICATA;"},
    {"undrained_inclined", inclined_undrained(), {.N = 500, .MB = 200, .HB = 60},
     "0,400;0,000;1,200;3,000;3,600;;5,1416;;;;0,9321;;;1,0800;;;;0,9082;18,00;253,05;396,08;"
     "500,00;1,262;163,64;60,00;0,367;NON VERIFICATA (carico limite);"
     "Base parzializzata: il carico cade fuori dal nocciolo centrale d'inerzia."},
    {"refused", drained(2, 3), {.N = 100, .MB = 70},
     ";;;;;;;;;;;;;;;;;;;;;;;;;;" + std::string(kEccentricityMessage) + ";"},
};
// clang-format on
class ColumnTextsOf : public ::testing::TestWithParam<ColumnRow> {};
TEST_P(ColumnTextsOf, Combination) {
  const ColumnTexts texts = column_texts(verify(GetParam().footing, GetParam().loads));
  std::string joined = texts[0];
  for (std::size_t i = 1; i < texts.size(); ++i) joined += ";" + texts[i];
  EXPECT_EQ(joined, GetParam().texts);
}
INSTANTIATE_TEST_SUITE_P(Rows, ColumnTextsOf, ::testing::ValuesIn(kColumnRows), RowName());

TEST(ColumnNames, InTheOrderOfTheHeader) {
  std::string header(kColumnNames[0]);
  for (std::size_t i = 1; i < kColumnNames.size(); ++i)
    header += ";" + std::string(kColumnNames[i]);
  EXPECT_EQ(
      header,
      "eB;eL;B_eff;L_eff;A_eff;Nq;Nc;Ngamma;bq;bgamma;bc;sq;sgamma;sc;m;iq;igamma;ic;q_eff;R_A;"
      "Rd;Ed;U;Rd_h;Ed_h;U_h;esito;nota");
}

// --- Input rules: each row breaks one rule of a valid drained footing (B 2, L 3, D 1, φ' 30°,
// γ 18, N 100), or checks that a value at a boundary, or a field of the other condition, passes.
// The field and the message are checked in the first row of each rule.
struct ValidationRow {
  const char* name;
  void (*edit)(Footing&, LoadCombination&);
  std::optional<InputRule> rule;
  const char* field = nullptr;
  const char* message = nullptr;
};
using F = Footing&;
using C = LoadCombination&;
using R = InputRule;
// clang-format off
const ValidationRow kValidationRows[] = {
    {"valid", [](F, C) {}, std::nullopt},
    {"width_zero", [](F f, C) { f.B = 0; }, R::kWidthPositive,
     "larghezza", "Il valore di larghezza deve essere maggiore di zero."},
    {"width_nan", [](F f, C) { f.B = kNaN; }, R::kWidthPositive},
    {"length_below_width", [](F f, C) { f.L = 1.9; }, R::kLengthNotBelowWidth,
     "lunghezza", "Il valore di lunghezza deve essere non minore di larghezza."},
    {"length_equal_width", [](F f, C) { f.L = 2; }, std::nullopt},
    {"length_infinite", [](F f, C) { f.L = kInf; }, R::kLengthNotBelowWidth},
    {"depth_negative", [](F f, C) { f.D = -0.1; }, R::kDepthNotNegative,
     "profondita", "Il valore di profondita deve essere non negativo."},
    {"depth_zero", [](F f, C) { f.D = 0; }, std::nullopt},
    {"inclination_negative", [](F f, C) { f.alpha = -1; }, R::kBaseInclinationInRange,
     "inclinazione_base",
     "Il valore di inclinazione_base deve essere non negativo e minore di 45 gradi."},
    {"inclination_45", [](F f, C) { f.alpha = 45; }, R::kBaseInclinationInRange},
    {"angle_zero", [](F f, C) { f.phi_k = 0; }, R::kFrictionAngleInRange,
     "angolo", "Il valore di angolo deve essere maggiore di zero e non maggiore di 50 gradi."},
    {"angle_50", [](F f, C) { f.phi_k = 50; }, std::nullopt},
    {"angle_past_50", [](F f, C) { f.phi_k = 50.01; }, R::kFrictionAngleInRange},
    {"drained_cohesion_negative", [](F f, C) { f.c_k = -1; }, R::kDrainedCohesionNotNegative,
     "coesione_drenata", "Il valore di coesione_drenata deve essere non negativo."},
    {"undrained_strength_zero", [](F f, C) { f.condition = Condition::kUndrained; },
     R::kUndrainedStrengthPositive,
     "coesione_non_drenata", "Il valore di coesione_non_drenata deve essere maggiore di zero."},
    {"undrained_ignores_drained_fields", [](F f, C) {
       f.condition = Condition::kUndrained, f.cu_k = 20, f.phi_k = 0, f.c_k = -1, f.zw = -1; },
     std::nullopt},
    {"soil_weight_zero", [](F f, C) { f.gamma = 0; }, R::kSoilWeightPositive,
     "peso_terreno", "Il valore di peso_terreno deve essere maggiore di zero."},
    {"saturated_weight_missing", [](F f, C) { f.zw = 1; }, R::kSaturatedWeightAboveWater,
     "peso_saturo",
     "Con la falda il valore di peso_saturo deve essere maggiore del peso dell'acqua, 9,81 kN/m³."},
    {"saturated_weight_of_water", [](F f, C) { f.zw = 1, f.gamma_sat = 9.81; },
     R::kSaturatedWeightAboveWater},
    {"saturated_weight_above_water", [](F f, C) { f.zw = 0, f.gamma_sat = 9.82; }, std::nullopt},
    {"water_table_negative", [](F f, C) { f.zw = -0.5, f.gamma_sat = 20; },
     R::kWaterTableNotNegative, "falda", "Il valore di falda deve essere non negativo."},
    {"vertical_load_zero", [](F, C c) { c.N = 0; }, R::kVerticalLoadPositive,
     "N", "Il valore di N deve essere maggiore di zero."},
    {"vertical_load_negative", [](F, C c) { c.N = -5; }, R::kVerticalLoadPositive},
    {"moment_B_infinite", [](F, C c) { c.MB = kInf; }, R::kMomentBFinite,
     "MB", "Il valore di MB deve essere un numero finito."},
    {"moment_L_nan", [](F, C c) { c.ML = kNaN; }, R::kMomentLFinite,
     "ML", "Il valore di ML deve essere un numero finito."},
    {"horizontal_B_infinite", [](F, C c) { c.HB = -kInf; }, R::kHorizontalLoadBFinite,
     "HB", "Il valore di HB deve essere un numero finito."},
    {"horizontal_L_nan", [](F, C c) { c.HL = kNaN; }, R::kHorizontalLoadLFinite,
     "HL", "Il valore di HL deve essere un numero finito."},
    {"first_rule_wins", [](F f, C c) { f.B = 0, c.N = 0; }, R::kWidthPositive},
};
// clang-format on
class Validation : public ::testing::TestWithParam<ValidationRow> {};
TEST_P(Validation, FirstBrokenRule) {
  const ValidationRow& row = GetParam();
  Footing f = drained(2, 3);
  LoadCombination loads{.N = 100};
  row.edit(f, loads);
  const auto outcome = validate(f, loads);
  if (!row.rule) {
    EXPECT_TRUE(outcome.ok()) << outcome.error().message;
    return;
  }
  ASSERT_FALSE(outcome.ok());
  EXPECT_EQ(outcome.error().rule, *row.rule);
  if (row.field) {
    EXPECT_EQ(outcome.error().field, row.field);
  }
  if (row.message) {
    EXPECT_EQ(outcome.error().message, row.message);
  }
}
INSTANTIATE_TEST_SUITE_P(Rows, Validation, ::testing::ValuesIn(kValidationRows), RowName());

}  // namespace
}  // namespace fondara::verifica
