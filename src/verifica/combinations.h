// The design combinations generated from characteristic actions.
//
// Static combinations (NTC 2018 [2.5.1], EN 1990 6.10): for each variant of the permanent
// actions, all unfavourable then all favourable (one variant when the set's two rows are equal),
// and for each choice of the leading variable action, none first and then each variable action
// in the order given:
//   Fd = Σ γG1·G1 + Σ γG2·G2 + γQ·Qlead + Σ(others) γQ·ψ0·Q   (no leading action: no Q at all).
// Seismic combinations (NTC 2018 [2.5.5], §7.3.5), with a set that allows them:
//   Fd = Σ G1 + Σ G2 + Σ ψ2·Q + E,  E ∈ { ±1,00·Ex ± 0,30·Ey, ±0,30·Ex ± 1,00·Ey }
// in that order (+ before −, Ex's sign varying slowest); with only Ex or only Ey, its two signs.
// Static combinations are made when a permanent or variable action is given, seismic ones when a
// seismic action is. Each load is the sum over the actions, in their order, of factor × value;
// each combination keeps the factor it gave every action.
#pragma once

#include <span>
#include <vector>

#include "verifica/verification.h"

namespace fondara::verifica {

std::vector<Combination> generate_combinations(const PartialFactorSet& set,
                                               std::span<const Action> actions);

}  // namespace fondara::verifica
