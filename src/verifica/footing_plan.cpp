#include "verifica/footing_plan.h"

#include <cmath>

#include "verifica/verification_texts.h"

namespace fondara::verifica {

Drawing footing_plan(double B, double L, const LoadCombination& loads, bool effective_area) {
  // Signed eccentricities: the load point on the side of the moments' signs.
  const double eB = loads.MB / loads.N, eL = loads.ML / loads.N;
  Drawing plan;
  // Room around the footing for the dimensions' labels.
  const double margin = 0.3 * (L > B ? L : B);
  plan.low = {-L / 2 - margin, -B / 2 - margin};
  plan.high = {L / 2 + margin, B / 2 + margin};
  // The shaded area first, so that the outlines stay visible over it.
  const double B_eff = B - 2 * std::abs(eB), L_eff = L - 2 * std::abs(eL);
  // The effective area keeps the load at its centre.
  if (effective_area && B_eff > 0 && L_eff > 0)
    plan.shapes.push_back(rectangle({eL, eB}, L_eff, B_eff, Stroke::shaded));
  plan.shapes.push_back(rectangle({0, 0}, L, B, Stroke::solid));
  plan.shapes.push_back({{{-L / 6, 0}, {0, -B / 6}, {L / 6, 0}, {0, B / 6}}, Stroke::dashed});
  plan.markers.push_back({eL, eB});
  plan.labels.push_back({{0, -B / 2 - margin / 2}, "L = " + fixed_text(L, 2) + " m"});
  plan.labels.push_back({{-L / 2 - margin / 2, 0}, "B = " + fixed_text(B, 2) + " m"});
  return plan;
}

}  // namespace fondara::verifica
