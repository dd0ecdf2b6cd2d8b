// Partial-factor sets of the verification kind (`approccio`).
//
// Each set holds the factors on the actions that generate design combinations (EN 1990 Tables
// A1.2(B) and A1.2(C), NTC 2018 Tab. 6.2.I), the material factors on the characteristic strengths
// (γφ' on tan φ', γc' on c', γcu on cu) and the resistance factors on bearing (γR,v) and sliding
// (γR,h): NTC 2018 Tab. 6.2.II, 6.4.I and 7.11.II, EN 1997-1 Annex A (Tables A.4, A.5). Unit
// weights are never factored. The verification takes its set from the footing record; the
// window, the terminal and the report look a set up by its code and name it in words.
#pragma once

#include <array>
#include <string_view>

namespace fondara::verifica {

// Factors on the actions: unfavourable and favourable for the permanent ones, unfavourable for
// the variable ones (their favourable factor is 0: they are left out).
struct ActionFactors {
  double G1_unfavourable, G1_favourable;
  double G2_unfavourable, G2_favourable;
  double Q;
};

struct PartialFactorSet {
  std::string_view code;  // the value of `approccio` in the terminal and in a CSV file
  std::string_view name;  // the set in words, as the window and the report name it
  double gamma_phi;       // γφ', divides tan φ'k
  double gamma_c;         // γc', divides c'k
  double gamma_cu;        // γcu, divides cu,k
  double gamma_R_v;       // γR,v, divides the bearing resistance
  double gamma_R_h;       // γR,h, divides the sliding resistance
  ActionFactors actions = {};
  bool seismic = false;   // seismic combinations are checked with it (NTC 2018 only)
  bool generates = true;  // combinations may be generated from actions with it
};

// NTC 2018 Tab. 6.2.I, column A1 (STR/GEO with Approccio 2).
inline constexpr ActionFactors kNtcA1{1.3, 1.0, 1.5, 0.8, 1.5};
// EN 1990 Table A1.2(B), equation 6.10.
inline constexpr ActionFactors kEc7A1{1.35, 1.0, 1.35, 1.0, 1.5};
// EN 1990 Table A1.2(C).
inline constexpr ActionFactors kEc7A2{1.0, 1.0, 1.0, 1.0, 1.3};

// The first set is the default one, used when `approccio` is not given.
inline constexpr std::array<PartialFactorSet, 6> kPartialFactorSets{{
    // NTC 2018 §6.4.2.1: A1+M1+R3, R3 = 2,3 on bearing and 1,1 on sliding (Tab. 6.4.I).
    {"NTC2018-A2", "NTC 2018 Approccio 2 (A1+M1+R3), Tab. 6.2.I, 6.2.II, 6.4.I", 1.0, 1.0, 1.0, 2.3,
     1.1, kNtcA1, true},
    // NTC 2018 seismic combination: M1 and the factors on shallow foundations of Tab. 7.11.II.
    // Kept for the calculations that named it: every typed combination is seismic.
    {"NTC2018-SISMA", "NTC 2018 combinazione sismica, M1 + Tab. 7.11.II", 1.0, 1.0, 1.0, 2.3, 1.1,
     kNtcA1, true, false},
    // EN 1997-1 Annex A: M1 (Table A.4) and R1 (Table A.5).
    {"EC7-DA1-C1", "EN 1997-1 DA1, combinazione 1: A1+M1+R1", 1.0, 1.0, 1.0, 1.0, 1.0, kEc7A1},
    // M2 (Table A.4) and R1.
    {"EC7-DA1-C2", "EN 1997-1 DA1, combinazione 2: A2+M2+R1", 1.25, 1.25, 1.4, 1.0, 1.0, kEc7A2},
    // M1 and R2 (Table A.5).
    {"EC7-DA2", "EN 1997-1 DA2: A1+M1+R2", 1.0, 1.0, 1.0, 1.4, 1.1, kEc7A1},
    // M2 and R3 (Table A.5).
    {"EC7-DA3", "EN 1997-1 DA3: A1/A2+M2+R3", 1.25, 1.25, 1.4, 1.0, 1.0, kEc7A1},
}};

inline constexpr const PartialFactorSet& kDefaultPartialFactors = kPartialFactorSets[0];
static_assert(kDefaultPartialFactors.code == "NTC2018-A2");
// The seismic checks take this set with γR,v replaced by the footing's γR,v of the seismic
// combinations (NTC 2018 §7.11.5.3.1).
inline constexpr const PartialFactorSet& kSeismicPartialFactors = kPartialFactorSets[1];
static_assert(kSeismicPartialFactors.code == "NTC2018-SISMA");

// The two values of γR,v that NTC 2018 §7.11.5.3.1 allows in seismic bearing checks: 2,3, and
// 1,8 when the soil's inertia is taken into account.
inline constexpr double kSeismicGammaR = 2.3;
inline constexpr double kSeismicGammaRWithInertia = 1.8;

}  // namespace fondara::verifica
