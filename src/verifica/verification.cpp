#include "verifica/verification.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <initializer_list>
#include <numbers>
#include <optional>
#include <utility>

namespace fondara::verifica {
namespace {

constexpr double kPi = std::numbers::pi;

// ---------------------------------------------------------------------------------------------
// Input rules

// One row per rule, in the order of InputRule.
constexpr std::array<InputFault, 15> kInputFaults{{
    {InputRule::kWidthPositive, "larghezza",
     "Il valore di larghezza deve essere maggiore di zero."},
    {InputRule::kLengthNotBelowWidth, "lunghezza",
     "Il valore di lunghezza deve essere non minore di larghezza."},
    {InputRule::kDepthNotNegative, "profondita",
     "Il valore di profondita deve essere non negativo."},
    {InputRule::kBaseInclinationInRange, "inclinazione_base",
     "Il valore di inclinazione_base deve essere non negativo e minore di 45 gradi."},
    {InputRule::kFrictionAngleInRange, "angolo",
     "Il valore di angolo deve essere maggiore di zero e non maggiore di 50 gradi."},
    {InputRule::kDrainedCohesionNotNegative, "coesione_drenata",
     "Il valore di coesione_drenata deve essere non negativo."},
    {InputRule::kUndrainedStrengthPositive, "coesione_non_drenata",
     "Il valore di coesione_non_drenata deve essere maggiore di zero."},
    {InputRule::kSoilWeightPositive, "peso_terreno",
     "Il valore di peso_terreno deve essere maggiore di zero."},
    {InputRule::kSaturatedWeightAboveWater, "peso_saturo",
     "Con la falda il valore di peso_saturo deve essere maggiore del peso dell'acqua, 9,81 kN/m³."},
    {InputRule::kWaterTableNotNegative, "falda", "Il valore di falda deve essere non negativo."},
    {InputRule::kVerticalLoadPositive, "N", "Il valore di N deve essere maggiore di zero."},
    {InputRule::kMomentBFinite, "MB", "Il valore di MB deve essere un numero finito."},
    {InputRule::kMomentLFinite, "ML", "Il valore di ML deve essere un numero finito."},
    {InputRule::kHorizontalLoadBFinite, "HB", "Il valore di HB deve essere un numero finito."},
    {InputRule::kHorizontalLoadLFinite, "HL", "Il valore di HL deve essere un numero finito."},
}};

constexpr bool rows_in_rule_order() {
  for (std::size_t i = 0; i < kInputFaults.size(); ++i)
    if (static_cast<std::size_t>(kInputFaults[i].rule) != i) return false;
  return true;
}
static_assert(rows_in_rule_order());

bool finite(double value) {
  return std::isfinite(value);
}

// The first rule broken, in field order. Every comparison is false for a not-a-number value, so
// such a value breaks its field's rule; an infinite one breaks it through finite().
std::optional<InputRule> first_broken_rule(const Footing& f, const LoadCombination& c) {
  const bool drained = f.condition == Condition::kDrained;
  if (!(f.B > 0 && finite(f.B))) return InputRule::kWidthPositive;
  if (!(f.L >= f.B && finite(f.L))) return InputRule::kLengthNotBelowWidth;
  if (!(f.D >= 0 && finite(f.D))) return InputRule::kDepthNotNegative;
  if (!(f.alpha >= 0 && f.alpha < 45)) return InputRule::kBaseInclinationInRange;
  if (drained && !(f.phi_k > 0 && f.phi_k <= 50)) return InputRule::kFrictionAngleInRange;
  if (drained && !(f.c_k >= 0 && finite(f.c_k))) return InputRule::kDrainedCohesionNotNegative;
  if (!drained && !(f.cu_k > 0 && finite(f.cu_k))) return InputRule::kUndrainedStrengthPositive;
  if (!(f.gamma > 0 && finite(f.gamma))) return InputRule::kSoilWeightPositive;
  // γsat is required only with a water table, and both only in a drained check.
  if (drained && f.zw && !(f.gamma_sat > kGammaW && finite(f.gamma_sat)))
    return InputRule::kSaturatedWeightAboveWater;
  if (drained && f.zw && !(*f.zw >= 0 && finite(*f.zw))) return InputRule::kWaterTableNotNegative;
  if (!(c.N > 0 && finite(c.N))) return InputRule::kVerticalLoadPositive;
  if (!finite(c.MB)) return InputRule::kMomentBFinite;
  if (!finite(c.ML)) return InputRule::kMomentLFinite;
  if (!finite(c.HB)) return InputRule::kHorizontalLoadBFinite;
  if (!finite(c.HL)) return InputRule::kHorizontalLoadLFinite;
  return std::nullopt;
}

// ---------------------------------------------------------------------------------------------
// Refusals

std::string_view refusal_message(RefusalCause cause) {
  switch (cause) {
    case RefusalCause::kInvalidInput:
      return "I dati non rispettano le regole di ingresso.";
    case RefusalCause::kEccentricityBeyondThird:
      return "Eccentricità oltre un terzo del lato: la verifica richiede provvedimenti "
             "particolari (EN 1997-1, 6.5.4).";
    case RefusalCause::kUndrainedHorizontalLoad:
      return "Il carico orizzontale supera la resistenza non drenata della base.";
    case RefusalCause::kDrainedHorizontalLoad:
      return "Il carico orizzontale supera la resistenza per attrito e coesione della base.";
    case RefusalCause::kNotComputable:
      return "Con questi dati il calcolo esce dal campo dei numeri rappresentabili.";
  }
  programming_error("refusal without a message");
}

// A refusal, or nothing when the step went through.
using Step = std::optional<RefusalCause>;
constexpr Step kGoesOn = std::nullopt;

double radians(double angle) {
  return angle * kPi / 180.0;
}
double degrees(double angle) {
  return angle * 180.0 / kPi;
}
double square(double value) {
  return value * value;
}

bool all_finite(std::initializer_list<double> values) {
  bool all = true;
  for (double value : values) all = all && std::isfinite(value);
  return all;
}

// ---------------------------------------------------------------------------------------------
// Effective foundation (EN 1997-1 Annex D, Meyerhof's effective area)

Step effective_foundation(const Footing& f, const LoadCombination& loads, Verification& v) {
  v.eB = std::abs(loads.MB) / loads.N;
  v.eL = std::abs(loads.ML) / loads.N;
  double B_eff = f.B - 2 * v.eB;
  double L_eff = f.L - 2 * v.eL;
  // Beyond a third the effective area is less than a third of the base (EN 1997-1 §6.5.4).
  if (v.eB > f.B / 3 || v.eL > f.L / 3) return RefusalCause::kEccentricityBeyondThird;
  // Beyond a sixth the resultant falls outside the kern: part of the base lifts.
  v.partial_base = v.eB > f.B / 6 || v.eL > f.L / 6;
  double HB_eff = std::abs(loads.HB);
  double HL_eff = std::abs(loads.HL);
  // B' is the shorter side; each horizontal component goes with its side.
  v.swapped = B_eff > L_eff;
  if (v.swapped) {
    std::swap(B_eff, L_eff);
    std::swap(HB_eff, HL_eff);
  }
  v.B_eff = B_eff;
  v.L_eff = L_eff;
  v.HB_eff = HB_eff;
  v.HL_eff = HL_eff;
  v.A_eff = B_eff * L_eff;
  // A load so large that its square overflows gives H = ∞, which every later check refuses.
  v.H = std::sqrt(HB_eff * HB_eff + HL_eff * HL_eff);
  // With e ≤ side/3 both sides keep at least a third of their length; only subnormal or
  // overflowing inputs get here with a side of zero or an infinite area.
  if (!(B_eff > 0) || !all_finite({v.eB, v.eL, v.A_eff})) return RefusalCause::kNotComputable;
  return kGoesOn;
}

// ---------------------------------------------------------------------------------------------
// Overburden and soil weight with the water table (drained)

struct Overburden {
  double q_eff;      // q', kPa
  double gamma_eff;  // γ in the term of B', kN/m³
};

Overburden drained_overburden(const Footing& f, double B_eff) {
  const double gamma = f.gamma;
  const double D = f.D;
  if (!f.zw) return {gamma * D, gamma};
  const double zw = *f.zw;
  const double gamma_sub = f.gamma_sat - kGammaW;  // γ'
  if (zw <= D) return {gamma * zw + gamma_sub * (D - zw), gamma_sub};
  if (zw < D + B_eff) return {gamma * D, gamma_sub + (zw - D) / B_eff * (gamma - gamma_sub)};
  return {gamma * D, gamma};
}

// ---------------------------------------------------------------------------------------------
// Undrained resistance (EN 1997-1 D.3)

Step undrained_resistance(const Footing& f, Verification& v) {
  v.q_eff = f.gamma * f.D;  // total overburden
  const double cu_d = f.cu_k / f.factors.gamma_cu;
  v.cu_d = cu_d;
  v.Nc = kPi + 2;
  v.bc = 1 - 2 * radians(f.alpha) / (kPi + 2);
  v.sc = 1 + 0.2 * (v.B_eff / v.L_eff);
  // ic is defined for H ≤ A'·cu,d only.
  const double base_resistance = v.A_eff * cu_d;
  if (v.H > base_resistance) return RefusalCause::kUndrainedHorizontalLoad;
  // The formula gives 1 for H = 0 too; the branch keeps 0/0 out when A'·cu,d underflows.
  v.ic = v.H > 0 ? 0.5 * (1 + std::sqrt(1 - v.H / base_resistance)) : 1.0;
  v.R_A = (kPi + 2) * cu_d * v.bc * v.sc * v.ic + v.q_eff;
  return kGoesOn;
}

// ---------------------------------------------------------------------------------------------
// Drained resistance (EN 1997-1 D.4)

void bearing_factors(double phi, double tan_phi, DrainedTerms& d, Verification& v) {
  d.Nq = std::exp(kPi * tan_phi) * square(std::tan(kPi / 4 + phi / 2));
  v.Nc = (d.Nq - 1) * (1 / tan_phi);
  d.Ngamma = 2 * (d.Nq - 1) * tan_phi;
}

void base_factors(double alpha, double tan_phi, DrainedTerms& d, Verification& v) {
  d.bq = square(1 - alpha * tan_phi);
  d.bgamma = d.bq;
  v.bc = d.bq - (1 - d.bq) / (v.Nc * tan_phi);
}

void shape_factors(double phi, DrainedTerms& d, Verification& v) {
  const double B_L = v.B_eff / v.L_eff;
  d.sq = 1 + B_L * std::sin(phi);
  d.sgamma = 1 - 0.3 * B_L;
  v.sc = (d.sq * d.Nq - 1) / (d.Nq - 1);
}

Step inclination_factors(double N, double tan_phi, DrainedTerms& d, Verification& v) {
  const double B_L = v.B_eff / v.L_eff;
  const double L_B = v.L_eff / v.B_eff;
  d.mB = (2 + B_L) / (1 + B_L);
  d.mL = (2 + L_B) / (1 + L_B);
  if (!(v.H > 0)) {  // no horizontal load: every i factor is 1
    d.t = 1;
    d.iq = d.igamma = v.ic = 1;
    return kGoesOn;
  }
  // θ is the angle of H to L': cos²θ = (HL'/H)², sin²θ = (HB'/H)².
  const double m = d.mL * square(v.HL_eff / v.H) + d.mB * square(v.HB_eff / v.H);
  d.m = m;
  d.t = 1 - v.H / (N + v.A_eff * d.c_d * (1 / tan_phi));
  if (!(d.t > 0)) return RefusalCause::kDrainedHorizontalLoad;
  d.iq = std::pow(d.t, m);
  d.igamma = std::pow(d.t, m + 1);
  v.ic = d.iq - (1 - d.iq) / (v.Nc * tan_phi);
  if (d.iq < 0 || d.igamma < 0 || v.ic < 0) return RefusalCause::kDrainedHorizontalLoad;
  return kGoesOn;
}

Step drained_resistance(const Footing& f, const LoadCombination& loads, Verification& v) {
  DrainedTerms& d = v.drained.emplace();
  const Overburden overburden = drained_overburden(f, v.B_eff);
  v.q_eff = overburden.q_eff;
  d.gamma_eff = overburden.gamma_eff;
  // Design strengths: tan φ'd = tan φ'k / γφ', c'd = c'k / γc'.
  d.tan_phi_d = std::tan(radians(f.phi_k)) / f.factors.gamma_phi;
  const double tan_phi = d.tan_phi_d;
  // φ'd in radians, from tan φ'd; with γφ' = 1 it is φ'k itself, taken as given rather than
  // through atan(tan φ'k), which may differ from it in the last bit.
  const double phi = f.factors.gamma_phi == 1 ? radians(f.phi_k) : std::atan(tan_phi);
  d.phi_d = degrees(phi);
  d.c_d = f.c_k / f.factors.gamma_c;
  // cot φ, Nc, bc, sc and ic divide by tan φ and by Nq − 1: both positive for φ > 0, unless a
  // vanishing φ'k rounds them to zero.
  if (!(tan_phi > 0)) return RefusalCause::kNotComputable;
  bearing_factors(phi, tan_phi, d, v);
  if (!(d.Nq > 1)) return RefusalCause::kNotComputable;
  base_factors(radians(f.alpha), tan_phi, d, v);
  shape_factors(phi, d, v);
  if (const Step refused = inclination_factors(loads.N, tan_phi, d, v)) return refused;
  v.R_A = d.c_d * v.Nc * v.bc * v.sc * v.ic + v.q_eff * d.Nq * d.bq * d.sq * d.iq +
          0.5 * d.gamma_eff * v.B_eff * d.Ngamma * d.bgamma * d.sgamma * d.igamma;
  if (!(v.R_A > 0)) return RefusalCause::kDrainedHorizontalLoad;
  return kGoesOn;
}

// ---------------------------------------------------------------------------------------------
// Design resistances, effects and verdict

Step bearing_check(const Footing& f, const LoadCombination& loads, Verification& v) {
  v.Rd = v.A_eff * v.R_A / f.factors.gamma_R_v;
  v.Ed = loads.N;
  if (!(v.Rd > 0) || !std::isfinite(v.Rd)) return RefusalCause::kNotComputable;
  v.U = v.Ed / v.Rd;
  return kGoesOn;
}

// NTC 2018 §6.4.2.1, EN 1997-1 §6.5.3: friction on a base cast in place (δ = φ'd), or the
// undrained strength over the effective area.
Step sliding_check(const Footing& f, const LoadCombination& loads, Verification& v) {
  if (!(v.H > 0)) return kGoesOn;
  Sliding s{};
  s.Rd_h = v.drained ? loads.N * v.drained->tan_phi_d / f.factors.gamma_R_h
                     : v.A_eff * *v.cu_d / f.factors.gamma_R_h;
  s.Ed_h = v.H;
  if (!(s.Rd_h > 0) || !std::isfinite(s.Rd_h)) return RefusalCause::kNotComputable;
  s.U_h = s.Ed_h / s.Rd_h;
  v.sliding = s;
  return kGoesOn;
}

Verdict verdict_of(const Verification& v) {
  const bool bearing_fails = !(v.U <= 1);
  const bool sliding_fails = v.sliding && !(v.sliding->U_h <= 1);
  if (bearing_fails && sliding_fails) return Verdict::kBearingAndSlidingFail;
  if (bearing_fails) return Verdict::kBearingFails;
  if (sliding_fails) return Verdict::kSlidingFails;
  return Verdict::kVerified;
}

// Every value that may be shown is a finite number.
bool shown_values_finite(const Verification& v) {
  if (!all_finite({v.q_eff, v.Nc, v.bc, v.sc, v.ic, v.R_A, v.U})) return false;
  if (v.sliding && !all_finite({v.sliding->U_h})) return false;
  if (!v.drained) return true;
  const DrainedTerms& d = *v.drained;
  return all_finite({d.gamma_eff, d.c_d, d.Nq, d.Ngamma, d.bq, d.sq, d.sgamma, d.mB, d.mL,
                     d.m.value_or(0), d.t, d.iq, d.igamma});
}

Failed<Refusal> refused(RefusalCause cause) {
  return Failed{Refusal{cause, refusal_message(cause)}};
}

}  // namespace

Outcome<Done, InputFault> validate(const Footing& footing, const LoadCombination& loads) {
  if (const std::optional<InputRule> rule = first_broken_rule(footing, loads))
    return Failed{kInputFaults[static_cast<std::size_t>(*rule)]};
  return Done{};
}

Outcome<Verification, Refusal> verify(const Footing& footing, const LoadCombination& loads) {
  if (const auto valid = validate(footing, loads); !valid)
    return Failed{Refusal{RefusalCause::kInvalidInput, valid.error().message}};
  Verification v{};
  v.condition = footing.condition;
  if (const Step refused_step = effective_foundation(footing, loads, v))
    return refused(*refused_step);
  const Step resistance = footing.condition == Condition::kDrained
                              ? drained_resistance(footing, loads, v)
                              : undrained_resistance(footing, v);
  if (resistance) return refused(*resistance);
  if (const Step refused_step = bearing_check(footing, loads, v)) return refused(*refused_step);
  if (const Step refused_step = sliding_check(footing, loads, v)) return refused(*refused_step);
  if (!shown_values_finite(v)) return refused(RefusalCause::kNotComputable);
  v.verdict = verdict_of(v);
  return v;
}

std::optional<std::size_t> governing_combination(
    std::span<const Outcome<Verification, Refusal>> outcomes) {
  std::optional<std::size_t> governing;
  double largest = 0;
  for (std::size_t i = 0; i < outcomes.size(); ++i) {
    if (!outcomes[i].ok()) continue;
    const Verification& v = outcomes[i].value();
    const double utilisation = v.sliding ? std::max(v.U, v.sliding->U_h) : v.U;
    // Strictly larger: on a tie the earlier combination stays the governing one.
    if (!governing || utilisation > largest) {
      governing = i;
      largest = utilisation;
    }
  }
  return governing;
}

}  // namespace fondara::verifica
