#include "verifica/validation.h"

#include <array>
#include <cmath>

namespace fondara::verifica {
namespace {

const PartialFactorSet& set_named(std::string_view code) {
  for (const PartialFactorSet& set : kPartialFactorSets)
    if (set.code == code) return set;
  programming_error("no partial-factor set " + std::string(code));
}

// How each value is read from its check.
constexpr auto nq = [](const Verification& v) { return v.drained->Nq; };
constexpr auto nc = [](const Verification& v) { return v.Nc; };
constexpr auto ngamma = [](const Verification& v) { return v.drained->Ngamma; };
constexpr auto b_eff = [](const Verification& v) { return v.B_eff; };
constexpr auto l_eff = [](const Verification& v) { return v.L_eff; };
constexpr auto m = [](const Verification& v) { return v.drained->m.value_or(0); };
constexpr auto iq = [](const Verification& v) { return v.drained->iq; };
constexpr auto igamma = [](const Verification& v) { return v.drained->igamma; };
constexpr auto r_a = [](const Verification& v) { return v.R_A; };
constexpr auto q_eff = [](const Verification& v) { return v.q_eff; };
constexpr auto rd = [](const Verification& v) { return v.Rd; };
constexpr auto zq = [](const Verification& v) { return v.inertia->zq.value_or(0); };
constexpr auto zc = [](const Verification& v) { return v.inertia->zc; };

// U.S. Army Corps of Engineers, EM 1110-1-1905 (1992), Table 4-4, to two decimals;
// Nγ = 2(Nq − 1) tan φ.
constexpr std::array<ValidationValue, 3> bearing_factors(double Nq, double Nc, double Ngamma) {
  return {
      {{"N_{q}", Nq, 0.01, 2, nq}, {"N_{c}", Nc, 0.01, 2, nc}, {"N_{γ}", Ngamma, 0.01, 2, ngamma}}};
}
constexpr auto kFactors30 = bearing_factors(18.40, 30.14, 20.09);
constexpr auto kFactors40 = bearing_factors(64.20, 75.31, 106.05);
// The spreadsheet prints three decimals, m two, R/A' to the kPa.
constexpr std::array kSpreadsheet{
    ValidationValue{"B'", 0.700, 0.0005, 3, b_eff},
    ValidationValue{"L'", 5.120, 0.0005, 3, l_eff},
    ValidationValue{"m", 1.73, 0.005, 2, m},
    ValidationValue{"i_{q}", 0.494, 0.0005, 3, iq},
    ValidationValue{"i_{γ}", 0.328, 0.0005, 3, igamma},
    ValidationValue{"R/A'", 95.0, 1.0, 2, r_a},
};
// The book rounds its factors to two decimals along the way: Rd within 0,2 %.
constexpr std::array kTextbook{
    ValidationValue{"q'", 18.4, 0.05, 2, q_eff},
    ValidationValue{"B'", 2.535, 0.0005, 3, b_eff},
    ValidationValue{"m", 1.542, 0.0005, 3, m},
    ValidationValue{"i_{q}", 0.88, 0.005, 2, iq},
    ValidationValue{"i_{γ}", 0.81, 0.005, 2, igamma},
    ValidationValue{"R_{d}", 3081, 6.0, 2, rd},
};
// Paolucci and Pecker's formulas, to four decimals.
constexpr std::array<ValidationValue, 2> inertia_factors(double z_q, double z_c) {
  return {{{"z_{q} = z_{γ}", z_q, 0.00005, 4, zq}, {"z_{c}", z_c, 0.00005, 4, zc}}};
}
constexpr auto kInertia10 = inertia_factors(0.9356, 0.9680);
constexpr auto kInertia20 = inertia_factors(0.8889, 0.9360);

// A drained footing without a water table, checked with the set called `set`.
Footing drained_footing(double B, double L, double D, double phi, double gamma,
                        std::string_view set) {
  Footing footing;
  footing.B = B;
  footing.L = L;
  footing.D = D;
  footing.phi_k = phi;
  footing.gamma = gamma;
  footing.factors = set_named(set);
  return footing;
}

// The textbook's square footing with the water table at its base.
Footing textbook_footing() {
  Footing footing = drained_footing(3, 3, 1, 30, 18.4, "EC7-DA2");
  footing.gamma_sat = 19;
  footing.zw = 1;
  return footing;
}

// A seismic check with the soil's inertia: γR,v 1,8 (NTC 2018 §7.11.5.3.1).
Footing inertia_footing(double phi, double kh) {
  Footing footing = drained_footing(2, 2, 1, phi, 18, "NTC2018-A2");
  footing.kh = kh;
  footing.gamma_R_seismic = kSeismicGammaRWithInertia;
  return footing;
}

const std::vector<ValidationCase>& cases() {
  static const std::vector<ValidationCase> all{
      {"Fattori di capacità portante, φ' = 30°",
       "U.S. Army Corps of Engineers, EM 1110-1-1905 (1992), Tab. 4-4",
       "fattori-30.fondara",
       drained_footing(1, 1, 0, 30, 18, "EC7-DA1-C1"),
       Condition::kDrained,
       {.N = 100},
       kFactors30},
      {"Fattori di capacità portante, φ' = 40°",
       "U.S. Army Corps of Engineers, EM 1110-1-1905 (1992), Tab. 4-4",
       "fattori-40.fondara",
       drained_footing(1, 1, 0, 40, 18, "EC7-DA1-C1"),
       Condition::kDrained,
       {.N = 100},
       kFactors40},
      {"Carico eccentrico e inclinato, EC7 DA1-C1",
       "Esempio di foglio di calcolo pubblicato \"Bearing resistance to EC7\" (EN 1997-1 "
       "Appendice D)",
       "foglio-ec7-da1.fondara",
       drained_footing(1, 6, 0.75, 30, 10, "EC7-DA1-C1"),
       Condition::kDrained,
       {.N = 200, .MB = 30, .ML = 88, .HB = 60, .HL = 30},
       kSpreadsheet},
      {"Plinto quadrato con falda al piano di posa, EC7 DA2",
       "Smith, Elements of Soil Mechanics, 9ª ed., esempio DA2",
       "smith-da2.fondara",
       textbook_footing(),
       Condition::kDrained,
       {.N = 1936, .MB = 450, .HB = 150},
       kTextbook},
      {"Inerzia del terreno, kh = 0,10, φ'd = 30°",
       "Paolucci e Pecker (1997), per formula",
       "inerzia-kh010.fondara",
       inertia_footing(30, 0.10),
       Condition::kDrained,
       {.N = 500, .situation = Situation::kSeismic},
       kInertia10},
      {"Inerzia del terreno, kh = 0,20, φ'd = 35°",
       "Paolucci e Pecker (1997), per formula",
       "inerzia-kh020.fondara",
       inertia_footing(35, 0.20),
       Condition::kDrained,
       {.N = 500, .situation = Situation::kSeismic},
       kInertia20},
  };
  return all;
}

}  // namespace

std::span<const ValidationCase> validation_cases() {
  return cases();
}

bool ValidationResult::within() const {
  return computed && std::fabs(*computed - value->published) <= value->tolerance;
}

std::vector<ValidationResult> recompute(std::span<const ValidationCase> all) {
  std::vector<ValidationResult> results;
  for (const ValidationCase& one : all) {
    const auto check = verify(one.footing, one.condition, one.loads);
    for (const ValidationValue& value : one.values)
      results.push_back(
          {&one, &value, check ? std::optional(value.computed(*check)) : std::nullopt});
  }
  return results;
}

}  // namespace fondara::verifica
