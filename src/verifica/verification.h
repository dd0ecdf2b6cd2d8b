// The verification kind: Ed ≤ Rd for a shallow footing, every ULS check of one footing.
//
// From the footing, the soil and one combination of design loads (N, MB, ML, HB, HL) in a
// situation (static or seismic), verify() computes one check under one condition: the effective
// foundation (EN 1997-1 Annex D, Meyerhof's effective area), the bearing resistance drained (D.4)
// or undrained (D.3) with the factors of the partial-factor set the situation gives, the soil's
// inertia in seismic checks (Paolucci and Pecker, 1997), the sliding check (NTC 2018 §6.4.2.1,
// EN 1997-1 §6.5.3), the utilisations and the verdict, all in double precision. check_footing()
// does the whole footing: the combinations generated from characteristic actions (NTC 2018
// §2.5.3, EN 1990 6.10) after the typed ones, every check under each condition, the governing
// check and the footing's verdict. Units: m, kN, kN·m, kPa, kN/m³; angles in degrees. The window,
// the terminal and the reports of the verification kind format these typed results through
// verification_texts.h; nothing else computes.
#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/outcome.h"
#include "verifica/actions.h"
#include "verifica/partial_factors.h"

namespace fondara::verifica {

inline constexpr double kGammaW = 9.81;  // unit weight of water γw, kN/m³

// The condition of one check.
enum class Condition { kDrained, kUndrained };
// The conditions the user asks for: both means two checks per combination, drained first.
enum class Conditions { kDrained, kUndrained, kBoth };

// The footing and its soil, shared by every check.
struct Footing {
  Conditions conditions = Conditions::kDrained;
  double B = 0;              // width, m
  double L = 0;              // length, m
  double D = 0;              // depth of the base below the ground surface, m
  double alpha = 0;          // inclination α of the base from the horizontal, degrees
  double phi_k = 0;          // φ'k, degrees (drained)
  double c_k = 0;            // c'k, kPa (drained)
  double cu_k = 0;           // cu,k, kPa (undrained)
  double gamma = 0;          // γ above the water table, kN/m³
  double gamma_sat = 0;      // γsat below the water table, kN/m³ (drained, with zw)
  std::optional<double> zw;  // depth of the water table below the ground surface, m (drained)
  PartialFactorSet factors = kDefaultPartialFactors;  // the set of the static combinations
  double kh = 0;                    // pseudo-static coefficient of the soil's inertia
  double gamma_R_seismic = 2.3;     // γR,v of the seismic checks: 2,3, or 1,8 with kh > 0
  std::optional<double> phi_cv_k;   // φ'cv,k of the sliding interface, degrees; none: φ'k
  bool precast = false;             // a smooth precast base: δ = ⅔ φ'cv,d
  bool water_at_interface = false;  // undrained sliding limited to 0,4·N
};

// The conditions of the footing's checks, in the order they are made.
std::span<const Condition> conditions_of(Conditions conditions);

// One combination of design loads on the base, footing weight included, and its situation.
// Moments and horizontal loads count by magnitude: their sign is the direction a structural
// program prints.
struct LoadCombination {
  double N = 0;   // design vertical load, kN
  double MB = 0;  // moment that moves the load along B, kN·m
  double ML = 0;  // moment that moves the load along L, kN·m
  double HB = 0;  // horizontal load along B, kN
  double HL = 0;  // horizontal load along L, kN
  Situation situation = Situation::kStatic;
};

// The input rules, in the order of the fields and checked in that order.
enum class InputRule {
  kWidthPositive,
  kLengthNotBelowWidth,
  kDepthNotNegative,
  kBaseInclinationInRange,
  kFrictionAngleInRange,
  kDrainedCohesionNotNegative,
  kUndrainedStrengthPositive,
  kSoilWeightPositive,
  kSaturatedWeightAboveWater,
  kWaterTableNotNegative,
  kSoilInertiaInRange,
  kSeismicFactorKnown,
  kSeismicFactorNeedsInertia,
  kCriticalAngleInRange,
  kVerticalLoadPositive,
  kMomentBFinite,
  kMomentLFinite,
  kHorizontalLoadBFinite,
  kHorizontalLoadLFinite,
  kSeismicNeedsNtc,       // a seismic combination or action with an EC7 set
  kActionsNeedStaticSet,  // actions with the legacy NTC2018-SISMA set
  kActionValueFinite,
  kCombinationMissing,  // neither a typed combination nor an action
  kTooManyActions,      // more than kMaxActions
};

// A violated rule: the field by its terminal name, the message the user reads and where: the
// typed combination or the action it belongs to, counted from 1 (0: the footing's fields).
struct InputFault {
  InputRule rule;
  std::string_view field;
  std::string_view message;
  std::size_t combination = 0;
  std::size_t action = 0;
};

// The first rule that the footing breaks, in field order. The fields of a condition the footing
// is not checked in are not checked (angolo, coesione_drenata, peso_saturo, falda and
// angolo_stato_critico without a drained check, coesione_non_drenata without an undrained one).
// Not-a-number and infinite values break their field's rule.
Outcome<Done, InputFault> validate_footing(const Footing& footing);

// The first rule that a typed combination breaks on the footing (its own fields only).
Outcome<Done, InputFault> validate_combination(const Footing& footing,
                                               const LoadCombination& loads);

// Both in order: the footing's rules first.
Outcome<Done, InputFault> validate(const Footing& footing, const LoadCombination& loads);

enum class RefusalCause {
  kInvalidInput,             // an input rule is broken: the message is the rule's
  kEccentricityBeyondThird,  // eB > B/3 or eL > L/3 (EN 1997-1 §6.5.4)
  kUndrainedHorizontalLoad,  // H > A'·cu,d: ic is not defined (D.3)
  kDrainedHorizontalLoad,    // t ≤ 0, an i factor below zero or R/A' ≤ 0 (D.4)
  kSoilInertia,              // kh ≥ tan φ'd: the seismic resistance is not defined
  kUplift,                   // a generated combination whose N is not above zero
  kNotComputable,            // inputs so extreme that a value leaves the range of a double
};

// Why a check has no resistance and no verdict; the message stands in their place.
struct Refusal {
  RefusalCause cause;
  std::string_view message;
};

enum class Verdict {
  kVerified,
  kBearingFails,
  kSlidingFails,
  kBearingAndSlidingFail,
};

// Values of the drained resistance (D.4), which an undrained check does not have.
struct DrainedTerms {
  double gamma_eff;         // unit weight in the term of B', kN/m³
  double tan_phi_d;         // tan φ'd = tan φ'k / γφ'
  double phi_d;             // φ'd, degrees
  double c_d;               // c'd, kPa
  double Nq, Ngamma;        // bearing factors
  double bq, bgamma;        // base-inclination factors
  double sq, sgamma;        // shape factors
  double mB, mL;            // exponents for a load along B' and along L'
  std::optional<double> m;  // exponent for the direction of H; only when H > 0
  double t;                 // 1 − H / (N + A'·c'd·cot φ'd); 1 when H = 0
  double iq, igamma;        // load-inclination factors
};

// The soil's inertia in a seismic check (Paolucci and Pecker, 1997); 1 when kh = 0.
struct InertiaFactors {
  std::optional<double> zq, zgamma;  // drained only: (1 − kh / tan φ'd)^0,35
  double zc;                         // 1 − 0,32·kh
};

// The sliding check, only when H > 0.
struct Sliding {
  std::optional<double> delta_d;  // δd of the drained interface, degrees
  bool interface_limit;           // undrained: 0,4·N governs Rd,h (water at the interface)
  double Rd_h;                    // design sliding resistance, kN
  double Ed_h;                    // design horizontal load H, kN
  double U_h;                     // Ed,h / Rd,h
};

// Every value of one check.
struct Verification {
  Condition condition;
  Situation situation;
  PartialFactorSet factors;  // the set applied: the static one, or the seismic one
  double eB, eL;             // eccentricities |MB|/N and |ML|/N, m
  bool partial_base;         // 6·eB/B + 6·eL/L > 1: the load falls outside the kern
  bool swapped;              // B − 2eB came out longer than L − 2eL and the two were exchanged
  double B_eff, L_eff;       // B' ≤ L', m
  double A_eff;              // A' = B'·L', m²
  double HB_eff;             // horizontal load along B', kN
  double HL_eff;             // horizontal load along L', kN
  double H;                  // resultant horizontal load, kN
  double q_eff;              // overburden at the base: q' (drained, effective) or q (total), kPa
  std::optional<double> cu_d;             // cu,d, kPa; undrained only
  std::optional<DrainedTerms> drained;    // drained only
  std::optional<InertiaFactors> inertia;  // seismic checks only
  double Nc;                              // (Nq − 1)·cot φ'd drained, π + 2 undrained
  double bc, sc, ic;                      // factors of the cohesion term
  double R_A;                             // bearing resistance per effective area R/A', kPa
  double Rd;                              // A'·(R/A')/γR,v, kN
  double Ed;                              // N, kN
  double U;                               // Ed / Rd
  std::optional<Sliding> sliding;
  Verdict verdict;
};

// The set of partial factors a check in `situation` applies on the footing: the static set, or
// the seismic one (M1, γR,h 1,1, γR,v = gamma_R_seismic) for a seismic combination and for
// every combination of the legacy NTC2018-SISMA set.
PartialFactorSet factors_of(const Footing& footing, Situation situation);

// The check of one combination on a footing under one condition, or why it is refused. The
// inputs are validated again here (a broken rule is a kInvalidInput refusal), so that nothing
// divides by zero.
Outcome<Verification, Refusal> verify(const Footing& footing, Condition condition,
                                      const LoadCombination& loads);

// The larger of U and Uh: what makes a check govern.
double utilisation(const Verification& verification);

// ---------------------------------------------------------------------------------------------
// The footing's checks

// One combination of the footing: typed by the user, or generated from the actions with the
// factor it gave each action (in the order of the actions; 0 for an action it leaves out).
struct Combination {
  LoadCombination loads;
  bool generated = false;
  std::vector<double> factors;
};

// The situation a combination is checked in: its own, or seismic for every combination of the
// legacy seismic set.
Situation situation_of(const Footing& footing, const LoadCombination& loads);

// One combination under one condition.
struct Check {
  std::size_t combination;  // index in FootingChecks::combinations
  Condition condition;
  Outcome<Verification, Refusal> outcome;
};

// A check that is refused or not verified.
bool fails(const Check& check);

// What fails across the footing's checks; verified when nothing does.
struct FootingVerdict {
  bool bearing_fails = false;
  bool sliding_fails = false;
  bool not_computable = false;  // a refused check: the footing cannot be shown safe for it
  bool verified() const { return !bearing_fails && !sliding_fails && !not_computable; }
};

struct FootingChecks {
  std::vector<Combination> combinations;  // typed first, in their order, then generated
  std::vector<Check> checks;              // per combination, each condition, drained first
  std::optional<std::size_t> governing;   // the computed check with the largest utilisation
  FootingVerdict verdict;
};

// Every check of the footing under the typed combinations and those generated from `actions`,
// or the first input rule broken (the footing's, then each typed combination's, then each
// action's).
Outcome<FootingChecks, InputFault> check_footing(const Footing& footing,
                                                 std::span<const Action> actions,
                                                 std::span<const LoadCombination> typed);

// The index of the governing check: the computed one with the largest of U and Uh (the first on
// a tie); none when every check is refused or there is none.
std::optional<std::size_t> governing_check(std::span<const Check> checks);

}  // namespace fondara::verifica
