#include "verifica/verification.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <initializer_list>
#include <numbers>
#include <optional>
#include <utility>

#include "verifica/combinations.h"

namespace fondara::verifica {
namespace {

constexpr double kPi = std::numbers::pi;

bool all_finite(std::initializer_list<double> values) {
  bool all = true;
  for (double value : values) all = all && std::isfinite(value);
  return all;
}

// ---------------------------------------------------------------------------------------------
// Input rules

// One row per rule, in the order of InputRule.
constexpr std::array<InputFault, 24> kInputFaults{{
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
    {InputRule::kSoilInertiaInRange, "kh_terreno",
     "Il valore di kh_terreno deve essere non negativo e minore di 1."},
    {InputRule::kSeismicFactorKnown, "gamma_r_sismico",
     "Il valore di gamma_r_sismico deve essere 2,3 oppure 1,8."},
    {InputRule::kSeismicFactorNeedsInertia, "gamma_r_sismico",
     "gamma_r_sismico = 1,8 vale solo se il carico limite considera l'inerzia del terreno: "
     "indicare kh_terreno maggiore di zero (NTC 2018, 7.11.5.3.1)."},
    {InputRule::kCriticalAngleInRange, "angolo_stato_critico",
     "Il valore di angolo_stato_critico deve essere maggiore di zero e non maggiore di 50 gradi."},
    {InputRule::kVerticalLoadPositive, "N", "Il valore di N deve essere maggiore di zero."},
    {InputRule::kMomentBFinite, "MB", "Il valore di MB deve essere un numero finito."},
    {InputRule::kMomentLFinite, "ML", "Il valore di ML deve essere un numero finito."},
    {InputRule::kHorizontalLoadBFinite, "HB", "Il valore di HB deve essere un numero finito."},
    {InputRule::kHorizontalLoadLFinite, "HL", "Il valore di HL deve essere un numero finito."},
    {InputRule::kSeismicNeedsNtc, "situazione",
     "Le combinazioni sismiche si verificano con le NTC 2018 (approccio NTC2018-A2)."},
    {InputRule::kActionsNeedStaticSet, "approccio",
     "Con l'approccio NTC2018-SISMA le combinazioni non si generano dalle azioni: generarle con "
     "l'approccio NTC2018-A2."},
    {InputRule::kActionValueFinite, "azione",
     "I valori di un'azione (N, MB, ML, HB, HL) devono essere numeri finiti."},
    {InputRule::kCombinationMissing, "combinazione",
     "Manca una combinazione di carico: indicare almeno una combinazione o un'azione."},
    {InputRule::kTooManyActions, "azione",
     "Le azioni sono più di 100: riunire quelle dello stesso tipo, che si combinano allo "
     "stesso modo."},
}};

constexpr bool rows_in_rule_order() {
  for (std::size_t i = 0; i < kInputFaults.size(); ++i)
    if (static_cast<std::size_t>(kInputFaults[i].rule) != i) return false;
  return true;
}
static_assert(rows_in_rule_order());

InputFault fault(InputRule rule) {
  return kInputFaults[static_cast<std::size_t>(rule)];
}

bool finite(double value) {
  return std::isfinite(value);
}

bool checked_in(const Footing& f, Condition condition) {
  return f.conditions == Conditions::kBoth ||
         (condition == Condition::kDrained) == (f.conditions == Conditions::kDrained);
}

// The first rule of the footing broken, in field order. Every comparison is false for a
// not-a-number value, so such a value breaks its field's rule; an infinite one breaks it
// through finite().
std::optional<InputRule> first_broken_rule(const Footing& f) {
  const bool drained = checked_in(f, Condition::kDrained);
  const bool undrained = checked_in(f, Condition::kUndrained);
  if (!(f.B > 0 && finite(f.B))) return InputRule::kWidthPositive;
  if (!(f.L >= f.B && finite(f.L))) return InputRule::kLengthNotBelowWidth;
  if (!(f.D >= 0 && finite(f.D))) return InputRule::kDepthNotNegative;
  if (!(f.alpha >= 0 && f.alpha < 45)) return InputRule::kBaseInclinationInRange;
  if (drained && !(f.phi_k > 0 && f.phi_k <= 50)) return InputRule::kFrictionAngleInRange;
  if (drained && !(f.c_k >= 0 && finite(f.c_k))) return InputRule::kDrainedCohesionNotNegative;
  if (undrained && !(f.cu_k > 0 && finite(f.cu_k))) return InputRule::kUndrainedStrengthPositive;
  if (!(f.gamma > 0 && finite(f.gamma))) return InputRule::kSoilWeightPositive;
  // γsat is required only with a water table, and both only in a drained check.
  if (drained && f.zw && !(f.gamma_sat > kGammaW && finite(f.gamma_sat)))
    return InputRule::kSaturatedWeightAboveWater;
  if (drained && f.zw && !(*f.zw >= 0 && finite(*f.zw))) return InputRule::kWaterTableNotNegative;
  if (!(f.kh >= 0 && f.kh < 1)) return InputRule::kSoilInertiaInRange;
  if (f.gamma_R_seismic != kSeismicGammaR && f.gamma_R_seismic != kSeismicGammaRWithInertia)
    return InputRule::kSeismicFactorKnown;
  if (f.gamma_R_seismic == kSeismicGammaRWithInertia && !(f.kh > 0))
    return InputRule::kSeismicFactorNeedsInertia;
  if (drained && f.phi_cv_k && !(*f.phi_cv_k > 0 && *f.phi_cv_k <= 50))
    return InputRule::kCriticalAngleInRange;
  return std::nullopt;
}

std::optional<InputRule> first_broken_rule(const Footing& f, const LoadCombination& c) {
  if (!(c.N > 0 && finite(c.N))) return InputRule::kVerticalLoadPositive;
  if (!finite(c.MB)) return InputRule::kMomentBFinite;
  if (!finite(c.ML)) return InputRule::kMomentLFinite;
  if (!finite(c.HB)) return InputRule::kHorizontalLoadBFinite;
  if (!finite(c.HL)) return InputRule::kHorizontalLoadLFinite;
  if (c.situation == Situation::kSeismic && !f.factors.seismic) return InputRule::kSeismicNeedsNtc;
  return std::nullopt;
}

std::optional<InputRule> first_broken_rule(const Footing& f, const Action& a) {
  if (!f.factors.generates) return InputRule::kActionsNeedStaticSet;
  if (!all_finite({a.N, a.MB, a.ML, a.HB, a.HL})) return InputRule::kActionValueFinite;
  const ActionGroup group = info(a.type).group;
  if ((group == ActionGroup::kEx || group == ActionGroup::kEy) && !f.factors.seismic)
    return InputRule::kSeismicNeedsNtc;
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
    case RefusalCause::kSoilInertia:
      return "Il coefficiente sismico del terreno kh non è minore di tan φ'd: la resistenza "
             "sismica non è definita.";
    case RefusalCause::kUplift:
      return "Il carico verticale della combinazione non è positivo: la fondazione è sollevata.";
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

// ---------------------------------------------------------------------------------------------
// Effective foundation (EN 1997-1 Annex D, Meyerhof's effective area)

Step effective_foundation(const Footing& f, const LoadCombination& loads, Verification& v) {
  v.eB = std::abs(loads.MB) / loads.N;
  v.eL = std::abs(loads.ML) / loads.N;
  double B_eff = f.B - 2 * v.eB;
  double L_eff = f.L - 2 * v.eL;
  // Beyond a third the effective area is less than a third of the base (EN 1997-1 §6.5.4).
  if (v.eB > f.B / 3 || v.eL > f.L / 3) return RefusalCause::kEccentricityBeyondThird;
  // Outside the kern, the rhombus 6·eB/B + 6·eL/L ≤ 1, part of the base lifts.
  v.partial_base = 6 * v.eB / f.B + 6 * v.eL / f.L > 1;
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
// What every check of a footing shares under one condition and in one situation

// tan φ'd from a characteristic angle: tan φ'k / γφ'.
double design_tangent(double angle_k, double gamma_phi) {
  return std::tan(radians(angle_k)) / gamma_phi;
}

// A design angle in radians from its tangent; with γφ' = 1 it is the characteristic angle itself,
// taken as given rather than through atan(tan φ'k), which may differ from it in the last bit.
double design_angle(double angle_k, double tan_d, double gamma_phi) {
  return gamma_phi == 1 ? radians(angle_k) : std::atan(tan_d);
}

// 1 − 0,32·kh, the reduction of the cohesion term (Paolucci and Pecker, 1997).
double zc_of(double kh) {
  return 1 - 0.32 * kh;
}

// The set applied, the design strengths, the bearing and base factors, the soil's inertia and the
// interface's angle: the same for every combination, so computed once. Each value is the one the
// method's step gives, in its order; a refusal the soil makes is kept for the step that meets it.
struct Ground {
  Condition condition;
  Situation situation;
  PartialFactorSet factors;
  std::optional<InertiaFactors> inertia;  // seismic checks only
  // Drained (D.4).
  Step not_computable = kGoesOn;   // tan φ'd or Nq − 1 not above zero
  Step inertia_refused = kGoesOn;  // kh ≥ tan φ'd in a seismic check
  double tan_phi = 0, phi_d = 0, c_d = 0;
  double Nq = 0, Nc = 0, Ngamma = 0, bq = 0, bc = 0, sin_phi = 0;
  double tan_delta = 0, delta_d = 0;  // the interface, δd in degrees
  // Undrained (D.3).
  double cu_d = 0;
};

void drained_ground(const Footing& f, Ground& g) {
  // Design strengths: tan φ'd = tan φ'k / γφ', c'd = c'k / γc'.
  g.tan_phi = design_tangent(f.phi_k, g.factors.gamma_phi);
  const double phi = design_angle(f.phi_k, g.tan_phi, g.factors.gamma_phi);
  g.phi_d = degrees(phi);
  g.c_d = f.c_k / g.factors.gamma_c;
  // cot φ, Nc, bc, sc and ic divide by tan φ and by Nq − 1: both positive for φ > 0, unless a
  // vanishing φ'k rounds them to zero.
  if (!(g.tan_phi > 0)) {
    g.not_computable = RefusalCause::kNotComputable;
    return;
  }
  g.Nq = std::exp(kPi * g.tan_phi) * square(std::tan(kPi / 4 + phi / 2));
  g.Nc = (g.Nq - 1) * (1 / g.tan_phi);
  g.Ngamma = 2 * (g.Nq - 1) * g.tan_phi;
  if (!(g.Nq > 1)) {
    g.not_computable = RefusalCause::kNotComputable;
    return;
  }
  g.bq = square(1 - radians(f.alpha) * g.tan_phi);
  g.bc = g.bq - (1 - g.bq) / (g.Nc * g.tan_phi);
  g.sin_phi = std::sin(phi);
  if (g.situation == Situation::kSeismic) {
    if (f.kh >= g.tan_phi) {
      g.inertia_refused = RefusalCause::kSoilInertia;
    } else {
      const double z = f.kh > 0 ? std::pow(1 - f.kh / g.tan_phi, 0.35) : 1.0;
      g.inertia = InertiaFactors{z, z, f.kh > 0 ? zc_of(f.kh) : 1.0};
    }
  }
  // The interface: δd = φ'cv,d cast in place, ⅔·φ'cv,d precast; φ'cv,k = φ'k when not given.
  // Cast in place, tan δd is tan φ'cv,d itself: without φ'cv version 1's check is unchanged.
  const double phi_cv_k = f.phi_cv_k.value_or(f.phi_k);
  const double tan_cv_d = design_tangent(phi_cv_k, g.factors.gamma_phi);
  const double cv_d = design_angle(phi_cv_k, tan_cv_d, g.factors.gamma_phi);
  const double delta = f.precast ? 2.0 / 3.0 * cv_d : cv_d;
  g.tan_delta = f.precast ? std::tan(delta) : tan_cv_d;
  g.delta_d = degrees(delta);
}

void undrained_ground(const Footing& f, Ground& g) {
  g.cu_d = f.cu_k / g.factors.gamma_cu;
  g.bc = 1 - 2 * radians(f.alpha) / (kPi + 2);
  // The q term is not reduced by the soil's inertia.
  if (g.situation == Situation::kSeismic)
    g.inertia = InertiaFactors{std::nullopt, std::nullopt, f.kh > 0 ? zc_of(f.kh) : 1.0};
}

Ground ground_of(const Footing& f, Condition condition, Situation situation) {
  Ground g{condition, situation, factors_of(f, situation), std::nullopt};
  if (condition == Condition::kDrained)
    drained_ground(f, g);
  else
    undrained_ground(f, g);
  return g;
}

// The z factors of a term: 1 where the check has none.
double zq_of(const Verification& v) {
  return v.inertia && v.inertia->zq ? *v.inertia->zq : 1.0;
}
double zgamma_of(const Verification& v) {
  return v.inertia && v.inertia->zgamma ? *v.inertia->zgamma : 1.0;
}
double zc_of(const Verification& v) {
  return v.inertia ? v.inertia->zc : 1.0;
}

// ---------------------------------------------------------------------------------------------
// Undrained resistance (EN 1997-1 D.3)

Step undrained_resistance(const Footing& f, const Ground& g, Verification& v) {
  v.q_eff = f.gamma * f.D;  // total overburden
  const double cu_d = g.cu_d;
  v.cu_d = cu_d;
  v.Nc = kPi + 2;
  v.bc = g.bc;
  v.sc = 1 + 0.2 * (v.B_eff / v.L_eff);
  // ic is defined for H ≤ A'·cu,d only.
  const double base_resistance = v.A_eff * cu_d;
  if (v.H > base_resistance) return RefusalCause::kUndrainedHorizontalLoad;
  // The formula gives 1 for H = 0 too; the branch keeps 0/0 out when A'·cu,d underflows.
  v.ic = v.H > 0 ? 0.5 * (1 + std::sqrt(1 - v.H / base_resistance)) : 1.0;
  v.inertia = g.inertia;
  v.R_A = (kPi + 2) * cu_d * v.bc * v.sc * v.ic * zc_of(v) + v.q_eff;
  return kGoesOn;
}

// ---------------------------------------------------------------------------------------------
// Drained resistance (EN 1997-1 D.4)

void shape_factors(const Ground& g, DrainedTerms& d, Verification& v) {
  const double B_L = v.B_eff / v.L_eff;
  d.sq = 1 + B_L * g.sin_phi;
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

Step drained_resistance(const Footing& f, const Ground& g, const LoadCombination& loads,
                        Verification& v) {
  DrainedTerms& d = v.drained.emplace();
  const Overburden overburden = drained_overburden(f, v.B_eff);
  v.q_eff = overburden.q_eff;
  d.gamma_eff = overburden.gamma_eff;
  d.tan_phi_d = g.tan_phi;
  d.phi_d = g.phi_d;
  d.c_d = g.c_d;
  if (g.not_computable) return g.not_computable;
  d.Nq = g.Nq;
  v.Nc = g.Nc;
  d.Ngamma = g.Ngamma;
  d.bq = d.bgamma = g.bq;
  v.bc = g.bc;
  shape_factors(g, d, v);
  if (const Step refused = inclination_factors(loads.N, g.tan_phi, d, v)) return refused;
  if (g.inertia_refused) return g.inertia_refused;
  v.inertia = g.inertia;
  v.R_A = d.c_d * v.Nc * v.bc * v.sc * v.ic * zc_of(v) +
          v.q_eff * d.Nq * d.bq * d.sq * d.iq * zq_of(v) +
          0.5 * d.gamma_eff * v.B_eff * d.Ngamma * d.bgamma * d.sgamma * d.igamma * zgamma_of(v);
  if (!(v.R_A > 0)) return RefusalCause::kDrainedHorizontalLoad;
  return kGoesOn;
}

// ---------------------------------------------------------------------------------------------
// Design resistances, effects and verdict

Step bearing_check(const LoadCombination& loads, Verification& v) {
  v.Rd = v.A_eff * v.R_A / v.factors.gamma_R_v;
  v.Ed = loads.N;
  if (!(v.Rd > 0) || !std::isfinite(v.Rd)) return RefusalCause::kNotComputable;
  v.U = v.Ed / v.Rd;
  return kGoesOn;
}

// Drained (NTC 2018 §6.4.2.1, EN 1997-1 §6.5.3): friction on the interface at δd; cohesion and the
// passive resistance at the sides are neglected. Undrained: the strength over the effective
// area, at most 0,4·N when water or air can reach the interface (EN 1997-1 §6.5.3(12)).
Step sliding_check(const Footing& f, const Ground& g, const LoadCombination& loads,
                   Verification& v) {
  if (!(v.H > 0)) return kGoesOn;
  Sliding s{};
  if (v.drained) {
    s.delta_d = g.delta_d;
    s.Rd_h = loads.N * g.tan_delta / v.factors.gamma_R_h;
  } else {
    s.Rd_h = v.A_eff * *v.cu_d / v.factors.gamma_R_h;
    if (f.water_at_interface && 0.4 * loads.N < s.Rd_h) {
      s.Rd_h = 0.4 * loads.N;
      s.interface_limit = true;
    }
  }
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
  if (v.sliding && !all_finite({v.sliding->U_h, v.sliding->delta_d.value_or(0)})) return false;
  if (v.inertia && !all_finite({v.inertia->zq.value_or(0), v.inertia->zc})) return false;
  if (!v.drained) return true;
  const DrainedTerms& d = *v.drained;
  return all_finite({d.gamma_eff, d.c_d, d.Nq, d.Ngamma, d.bq, d.sq, d.sgamma, d.mB, d.mL,
                     d.m.value_or(0), d.t, d.iq, d.igamma});
}

Failed<Refusal> refused(RefusalCause cause) {
  return Failed{Refusal{cause, refusal_message(cause)}};
}

// One check of valid inputs on its ground.
Outcome<Verification, Refusal> check(const Footing& footing, const Ground& ground,
                                     const LoadCombination& loads) {
  // Every member a check reads is set on its way (a refused check is not kept), so the record
  // is not cleared first: a footing of thousands of checks makes this one per check.
  Verification v;
  v.condition = ground.condition;
  v.situation = ground.situation;
  v.factors = ground.factors;
  if (const Step refused_step = effective_foundation(footing, loads, v))
    return refused(*refused_step);
  const Step resistance = ground.condition == Condition::kDrained
                              ? drained_resistance(footing, ground, loads, v)
                              : undrained_resistance(footing, ground, v);
  if (resistance) return refused(*resistance);
  if (const Step refused_step = bearing_check(loads, v)) return refused(*refused_step);
  if (const Step refused_step = sliding_check(footing, ground, loads, v))
    return refused(*refused_step);
  if (!shown_values_finite(v)) return refused(RefusalCause::kNotComputable);
  v.verdict = verdict_of(v);
  return v;
}

constexpr Condition kBothConditions[] = {Condition::kDrained, Condition::kUndrained};

// The footing's verdict from its checks.
FootingVerdict verdict_of(std::span<const Check> checks) {
  FootingVerdict verdict;
  for (const Check& check : checks) {
    if (!check.outcome) {
      verdict.not_computable = true;
      continue;
    }
    const Verdict each = check.outcome->verdict;
    verdict.bearing_fails |=
        each == Verdict::kBearingFails || each == Verdict::kBearingAndSlidingFail;
    verdict.sliding_fails |=
        each == Verdict::kSlidingFails || each == Verdict::kBearingAndSlidingFail;
  }
  return verdict;
}

// A combination's check on its ground: a generated one's N may have come out not above zero, and
// its loads have not been validated.
Outcome<Verification, Refusal> check_combination(const Footing& footing, const Ground& ground,
                                                 const Combination& combination) {
  if (!combination.generated) return check(footing, ground, combination.loads);
  if (!(combination.loads.N > 0)) return refused(RefusalCause::kUplift);
  if (const auto valid = validate_combination(footing, combination.loads); !valid)
    return Failed{Refusal{RefusalCause::kInvalidInput, valid.error().message}};
  return check(footing, ground, combination.loads);
}

// The ground of each condition and situation, made when first needed.
class Grounds {
 public:
  explicit Grounds(const Footing& footing) : footing_(footing) {}
  const Ground& of(Condition condition, Situation situation) {
    std::optional<Ground>& ground =
        grounds_[static_cast<std::size_t>(condition)][static_cast<std::size_t>(situation)];
    if (!ground) ground = ground_of(footing_, condition, situation);
    return *ground;
  }

 private:
  const Footing& footing_;
  std::optional<Ground> grounds_[2][2];
};

}  // namespace

Situation situation_of(const Footing& footing, const LoadCombination& loads) {
  return footing.factors.generates ? loads.situation : Situation::kSeismic;
}

bool fails(const Check& check) {
  return !check.outcome || check.outcome->verdict != Verdict::kVerified;
}

std::span<const Condition> conditions_of(Conditions conditions) {
  switch (conditions) {
    case Conditions::kDrained:
      return {kBothConditions, 1};
    case Conditions::kUndrained:
      return {kBothConditions + 1, 1};
    case Conditions::kBoth:
      return kBothConditions;
  }
  programming_error("conditions without checks");
}

Outcome<Done, InputFault> validate_footing(const Footing& footing) {
  if (const std::optional<InputRule> rule = first_broken_rule(footing)) return Failed{fault(*rule)};
  return Done{};
}

Outcome<Done, InputFault> validate_combination(const Footing& footing,
                                               const LoadCombination& loads) {
  if (const std::optional<InputRule> rule = first_broken_rule(footing, loads))
    return Failed{fault(*rule)};
  return Done{};
}

Outcome<Done, InputFault> validate(const Footing& footing, const LoadCombination& loads) {
  if (auto valid = validate_footing(footing); !valid) return valid;
  return validate_combination(footing, loads);
}

PartialFactorSet factors_of(const Footing& footing, Situation situation) {
  if (situation == Situation::kStatic && footing.factors.generates) return footing.factors;
  PartialFactorSet set = kSeismicPartialFactors;
  set.gamma_R_v = footing.gamma_R_seismic;
  return set;
}

Outcome<Verification, Refusal> verify(const Footing& footing, Condition condition,
                                      const LoadCombination& loads) {
  if (const auto valid = validate(footing, loads); !valid)
    return Failed{Refusal{RefusalCause::kInvalidInput, valid.error().message}};
  return check(footing, ground_of(footing, condition, situation_of(footing, loads)), loads);
}

double utilisation(const Verification& v) {
  return v.sliding ? std::max(v.U, v.sliding->U_h) : v.U;
}

std::optional<std::size_t> governing_check(std::span<const Check> checks) {
  std::optional<std::size_t> governing;
  double largest = 0;
  for (std::size_t i = 0; i < checks.size(); ++i) {
    if (!checks[i].outcome.ok()) continue;
    const double each = utilisation(checks[i].outcome.value());
    // Strictly larger: on a tie the earlier check stays the governing one.
    if (!governing || each > largest) {
      governing = i;
      largest = each;
    }
  }
  return governing;
}

Outcome<FootingChecks, InputFault> check_footing(const Footing& footing,
                                                 std::span<const Action> actions,
                                                 std::span<const LoadCombination> typed) {
  if (auto valid = validate_footing(footing); !valid) return Failed{valid.error()};
  FootingChecks result;
  for (std::size_t i = 0; i < typed.size(); ++i) {
    if (auto valid = validate_combination(footing, typed[i]); !valid) {
      InputFault broken = valid.error();
      broken.combination = i + 1;
      return Failed{broken};
    }
    result.combinations.push_back({typed[i], false, {}});
    // Every typed combination of the legacy seismic set is seismic.
    if (!footing.factors.generates)
      result.combinations.back().loads.situation = Situation::kSeismic;
  }
  if (actions.size() > kMaxActions) return Failed{fault(InputRule::kTooManyActions)};
  for (std::size_t i = 0; i < actions.size(); ++i) {
    if (const std::optional<InputRule> rule = first_broken_rule(footing, actions[i])) {
      InputFault broken = fault(*rule);
      broken.action = i + 1;
      return Failed{broken};
    }
  }
  for (Combination& combination : generate_combinations(footing.factors, actions))
    result.combinations.push_back(std::move(combination));
  if (result.combinations.empty()) return Failed{fault(InputRule::kCombinationMissing)};

  const std::span<const Condition> conditions = conditions_of(footing.conditions);
  result.checks.reserve(result.combinations.size() * conditions.size());
  Grounds grounds(footing);
  for (std::size_t i = 0; i < result.combinations.size(); ++i) {
    const Combination& combination = result.combinations[i];
    for (const Condition condition : conditions) {
      const Ground& ground = grounds.of(condition, situation_of(footing, combination.loads));
      result.checks.push_back({i, condition, check_combination(footing, ground, combination)});
    }
  }
  result.governing = governing_check(result.checks);
  result.verdict = verdict_of(result.checks);
  return result;
}

}  // namespace fondara::verifica
