// Characteristic actions of the verification kind and their types.
//
// An action is a name, a type and its characteristic values at the centre of the footing base.
// The type says how the combinations take it: a permanent action (G1, G2) with the set's
// unfavourable or favourable factor, a variable one (Q of a category of NTC 2018 Tab. 2.5.I) as
// the leading action or with ψ0, and in seismic combinations with ψ2; a seismic action effect (Ex,
// Ey) in the seismic combinations only. combinations.h generates the design combinations.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace fondara::verifica {

// The design situation of a combination: persistent and transient (ULS) or seismic (SLV).
enum class Situation { kStatic, kSeismic };

enum class ActionType {
  kG1,
  kG2,
  kQA,
  kQB,
  kQC,
  kQD,
  kQE,
  kQF,
  kQG,
  kQH,
  kQWind,
  kQSnow,
  kQSnowHigh,
  kQThermal,
  kEx,
  kEy,
};

enum class ActionGroup { kG1, kG2, kVariable, kEx, kEy };

struct ActionTypeInfo {
  ActionType type;
  std::string_view code;   // as typed and written in a data file: "Q-A"
  std::string_view words;  // the category in words, for lists and --help
  ActionGroup group;
  double psi0 = 0, psi2 = 0;  // combination and quasi-permanent factors (variable actions)
};

// NTC 2018 Tab. 2.5.I (EN 1990 Table A1.1 gives the same values), in the order of ActionType.
inline constexpr std::array<ActionTypeInfo, 16> kActionTypes{{
    {ActionType::kG1, "G1", "permanente strutturale", ActionGroup::kG1},
    {ActionType::kG2, "G2", "permanente non strutturale", ActionGroup::kG2},
    {ActionType::kQA, "Q-A", "variabile, cat. A: ambienti ad uso residenziale",
     ActionGroup::kVariable, 0.7, 0.3},
    {ActionType::kQB, "Q-B", "variabile, cat. B: uffici", ActionGroup::kVariable, 0.7, 0.3},
    {ActionType::kQC, "Q-C", "variabile, cat. C: ambienti suscettibili di affollamento",
     ActionGroup::kVariable, 0.7, 0.6},
    {ActionType::kQD, "Q-D", "variabile, cat. D: ambienti ad uso commerciale",
     ActionGroup::kVariable, 0.7, 0.6},
    {ActionType::kQE, "Q-E", "variabile, cat. E: biblioteche, archivi, magazzini, industrie",
     ActionGroup::kVariable, 1.0, 0.8},
    {ActionType::kQF, "Q-F", "variabile, cat. F: rimesse e parcheggi (veicoli fino a 30 kN)",
     ActionGroup::kVariable, 0.7, 0.6},
    {ActionType::kQG, "Q-G", "variabile, cat. G: rimesse e parcheggi (veicoli oltre 30 kN)",
     ActionGroup::kVariable, 0.7, 0.3},
    {ActionType::kQH, "Q-H", "variabile, cat. H: coperture", ActionGroup::kVariable, 0.0, 0.0},
    {ActionType::kQWind, "Q-vento", "variabile: vento", ActionGroup::kVariable, 0.6, 0.0},
    {ActionType::kQSnow, "Q-neve", "variabile: neve (quota fino a 1000 m s.l.m.)",
     ActionGroup::kVariable, 0.5, 0.0},
    {ActionType::kQSnowHigh, "Q-neve-alta", "variabile: neve (quota oltre 1000 m s.l.m.)",
     ActionGroup::kVariable, 0.7, 0.2},
    {ActionType::kQThermal, "Q-termica", "variabile: variazioni termiche", ActionGroup::kVariable,
     0.6, 0.0},
    {ActionType::kEx, "Ex", "sismica allo SLV, direzione x", ActionGroup::kEx},
    {ActionType::kEy, "Ey", "sismica allo SLV, direzione y", ActionGroup::kEy},
}};

const ActionTypeInfo& info(ActionType type);

// The most actions a footing takes: its combinations grow with them (2 × (1 + variable ones)
// and 8 seismic ones, each keeping a factor per action), and a footing has far fewer.
inline constexpr std::size_t kMaxActions = 100;

// One characteristic action: values at the centre of the base, signed (N of a permanent or a
// variable action may be negative, an uplift).
struct Action {
  std::string name;  // free text, for the report
  ActionType type = ActionType::kG1;
  double N = 0;   // kN
  double MB = 0;  // kN·m, moves the load along B
  double ML = 0;  // kN·m, moves the load along L
  double HB = 0;  // kN
  double HL = 0;  // kN
};

}  // namespace fondara::verifica
