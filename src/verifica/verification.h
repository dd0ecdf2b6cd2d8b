// The verification kind: Ed ≤ Rd for a shallow footing under design load combinations.
//
// From the footing, the soil and one combination of design loads (N, MB, ML, HB, HL) it computes
// the effective foundation (EN 1997-1 Annex D, Meyerhof's effective area), the bearing resistance
// drained (D.4) or undrained (D.3) with the factors of a partial-factor set, the sliding check
// (NTC 2018 §6.4.2.1, EN 1997-1 §6.5.3), the utilisations and the verdict, all in double
// precision. Units: m, kN, kN·m, kPa, kN/m³; angles in degrees. The window, the terminal and the
// report of the verification kind validate their inputs here, verify each combination, pick the
// governing one and show the values through verification_texts.h.
#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string_view>

#include "core/outcome.h"
#include "verifica/partial_factors.h"

namespace fondara::verifica {

inline constexpr double kGammaW = 9.81;  // unit weight of water γw, kN/m³

enum class Condition { kDrained, kUndrained };

// The footing and its soil, shared by every load combination.
struct Footing {
  Condition condition = Condition::kDrained;
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
  PartialFactorSet factors = kDefaultPartialFactors;
};

// One combination of design loads on the base. Moments and horizontal loads count by magnitude:
// their sign is the direction a structural program prints.
struct LoadCombination {
  double N = 0;   // design vertical load, footing weight included, kN
  double MB = 0;  // moment that moves the load along B, kN·m
  double ML = 0;  // moment that moves the load along L, kN·m
  double HB = 0;  // horizontal load along B, kN
  double HL = 0;  // horizontal load along L, kN
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
  kVerticalLoadPositive,
  kMomentBFinite,
  kMomentLFinite,
  kHorizontalLoadBFinite,
  kHorizontalLoadLFinite,
};

// A violated rule: the field by its terminal name and the message the user reads.
struct InputFault {
  InputRule rule;
  std::string_view field;
  std::string_view message;
};

// The first rule that the footing and the combination break, in field order. The fields of the
// other condition are not checked (angolo, coesione_drenata, peso_saturo and falda in an
// undrained check, coesione_non_drenata in a drained one). Not-a-number and infinite values
// break their field's rule.
Outcome<Done, InputFault> validate(const Footing& footing, const LoadCombination& loads);

enum class RefusalCause {
  kInvalidInput,             // an input rule is broken: the message is the rule's
  kEccentricityBeyondThird,  // eB > B/3 or eL > L/3 (EN 1997-1 §6.5.4)
  kUndrainedHorizontalLoad,  // H > A'·cu,d: ic is not defined (D.3)
  kDrainedHorizontalLoad,    // t ≤ 0, an i factor below zero or R/A' ≤ 0 (D.4)
  kNotComputable,            // inputs so extreme that a value leaves the range of a double
};

// Why a combination has no resistance and no verdict; the message stands in their place.
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

// The sliding check, only when H > 0.
struct Sliding {
  double Rd_h;  // design sliding resistance, kN
  double Ed_h;  // design horizontal load H, kN
  double U_h;   // Ed,h / Rd,h
};

// Every value of one verified combination.
struct Verification {
  Condition condition;
  double eB, eL;        // eccentricities |MB|/N and |ML|/N, m
  bool partial_base;    // eB > B/6 or eL > L/6: the load falls outside the kern
  bool swapped;         // B − 2eB came out longer than L − 2eL and the two were exchanged
  double B_eff, L_eff;  // B' ≤ L', m
  double A_eff;         // A' = B'·L', m²
  double HB_eff;        // horizontal load along B', kN
  double HL_eff;        // horizontal load along L', kN
  double H;             // resultant horizontal load, kN
  double q_eff;         // overburden at the base: q' (drained, effective) or q (total), kPa
  std::optional<double> cu_d;           // cu,d, kPa; undrained only
  std::optional<DrainedTerms> drained;  // drained only
  double Nc;                            // (Nq − 1)·cot φ'd drained, π + 2 undrained
  double bc, sc, ic;                    // factors of the cohesion term
  double R_A;                           // bearing resistance per effective area R/A', kPa
  double Rd;                            // A'·(R/A')/γR,v, kN
  double Ed;                            // N, kN
  double U;                             // Ed / Rd
  std::optional<Sliding> sliding;
  Verdict verdict;
};

// The check of one combination on a footing, or why it is refused. The inputs are validated
// again here (a broken rule is a kInvalidInput refusal), so that nothing divides by zero.
Outcome<Verification, Refusal> verify(const Footing& footing, const LoadCombination& loads);

// The index of the governing combination: the verified one with the largest of U and Uh. Refused
// combinations are skipped; on a tie the first one governs. None when every combination is
// refused or there is none.
std::optional<std::size_t> governing_combination(
    std::span<const Outcome<Verification, Refusal>> outcomes);

}  // namespace fondara::verifica
