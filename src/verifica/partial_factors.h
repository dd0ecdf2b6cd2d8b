// Partial-factor sets of the verification kind (`approccio`).
//
// Each set holds the material factors on the characteristic strengths (γφ' on tan φ', γc' on c',
// γcu on cu) and the resistance factors on bearing (γR,v) and sliding (γR,h): NTC 2018 Tab. 6.2.II,
// 6.4.I and 7.11.II, EN 1997-1 Annex A (Tables A.4, A.5). Unit weights are never factored. The
// verification takes its set from the footing record; the window, the terminal and the report look
// a set up by its code and name it in words.
#pragma once

#include <array>
#include <string_view>

namespace fondara::verifica {

struct PartialFactorSet {
  std::string_view code;  // the value of `approccio` in the terminal and in a CSV file
  std::string_view name;  // the set in words, as the window and the report name it
  double gamma_phi;       // γφ', divides tan φ'k
  double gamma_c;         // γc', divides c'k
  double gamma_cu;        // γcu, divides cu,k
  double gamma_R_v;       // γR,v, divides the bearing resistance
  double gamma_R_h;       // γR,h, divides the sliding resistance
};

// The first set is the default one, used when `approccio` is not given.
inline constexpr std::array<PartialFactorSet, 6> kPartialFactorSets{{
    // NTC 2018 §6.4.2.1: A1+M1+R3, R3 = 2,3 on bearing and 1,1 on sliding (Tab. 6.4.I).
    {"NTC2018-A2", "NTC 2018 Approccio 2, A1+M1+R3 (Tab. 6.2.II, 6.4.I)", 1.0, 1.0, 1.0, 2.3, 1.1},
    // NTC 2018 seismic combination: M1 and the factors on shallow foundations of Tab. 7.11.II.
    {"NTC2018-SISMA", "NTC 2018 combinazione sismica, M1 + Tab. 7.11.II", 1.0, 1.0, 1.0, 2.3, 1.1},
    // EN 1997-1 Annex A: M1 (Table A.4) and R1 (Table A.5).
    {"EC7-DA1-C1", "EN 1997-1 DA1, combinazione 1: A1+M1+R1", 1.0, 1.0, 1.0, 1.0, 1.0},
    // M2 (Table A.4) and R1.
    {"EC7-DA1-C2", "EN 1997-1 DA1, combinazione 2: A2+M2+R1", 1.25, 1.25, 1.4, 1.0, 1.0},
    // M1 and R2 (Table A.5).
    {"EC7-DA2", "EN 1997-1 DA2: A1+M1+R2", 1.0, 1.0, 1.0, 1.4, 1.1},
    // M2 and R3 (Table A.5).
    {"EC7-DA3", "EN 1997-1 DA3: A1/A2+M2+R3", 1.25, 1.25, 1.4, 1.0, 1.0},
}};

inline constexpr const PartialFactorSet& kDefaultPartialFactors = kPartialFactorSets[0];
static_assert(kDefaultPartialFactors.code == "NTC2018-A2");

}  // namespace fondara::verifica
