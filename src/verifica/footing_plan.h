// The plan of the footing under one load combination: B × L to scale, the central kern
// (the rhombus of half-diagonals B/6 and L/6), the load point at (MB/N, ML/N) on the side the
// moments' signs give (a positive MB on the positive B side) and, for a computed check, the
// effective area B' × L' shaded around it. L runs across, B up. The window and the printed
// report draw it.
#pragma once

#include "core/drawing.h"
#include "verifica/verification.h"

namespace fondara::verifica {

// The plan for the loads on the footing; the effective area only when `effective_area` is set
// (a refused check has none) and both its sides are positive.
Drawing footing_plan(double B, double L, const LoadCombination& loads, bool effective_area);

}  // namespace fondara::verifica
