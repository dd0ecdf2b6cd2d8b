// The plan of the footing under one load combination: B × L to scale, the central kern
// (the rhombus of half-diagonals B/6 and L/6), the load point at (eB, eL) and the effective
// area B' × L' shaded around it. L runs across, B up. The window and the printed report draw
// it.
#pragma once

#include "core/drawing.h"
#include "verifica/verification.h"

namespace fondara::verifica {

// The plan for eccentricities eB and eL (m, by magnitude) on the footing; the effective
// area is drawn when it has one (both sides positive).
Drawing footing_plan(double B, double L, double eB, double eL);

}  // namespace fondara::verifica
