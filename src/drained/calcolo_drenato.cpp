#include "drained/calcolo_drenato.h"

#include <cmath>

namespace fondara::drained {
namespace {

// Angles from 90 degrees up have a meaningless tangent; the steps would return numbers
// that are not results.
constexpr float angolo_limite = 90.0f;

}  // namespace

Outcome<ValoriDrenati, Failure> CalcoloDrenato(const DrainedInputs& in) {
  if (!(in.phi < angolo_limite)) return Failed{Failure::angolo_fuori_campo};
  Steps s;
  ValoriDrenati v;
  // 1. Effective weight under water.
  v.G_eff = in.falda ? s.store(d(in.G) - 1000.0) : in.G;
  // 2. Degrees to radians, daN/cm² to daN/m².
  v.phi_rad = s.store(d(in.phi) * kRadiansPerDegree);
  v.c_m2 = s.store(d(in.c) * 10000.0);
  // 3.-5. tan φ', the power with base 2.7182 and π taken as 3.14, 45° as 3.14/4.
  v.z1 = s.store(std::tan(d(v.phi_rad)));
  v.z2 = s.store(std::pow(2.7182, std::tan(d(v.phi_rad)) * 3.14));
  v.z3 = s.store(std::pow(std::tan(d(v.phi_rad) / 2.0 + 3.14 / 4.0), 2.0));
  // 6. Nγ.
  v.n1 = s.store((d(v.z3) * d(v.z2) - 1.0) * (d(v.z1) * 1.5));
  // 7.-8. Shape factor and friction term.
  v.s1 = s.store(1.0 - s.divide(d(in.B) * 0.4, d(in.L), Failure::lunghezza_zero));
  v.q2 = s.store(std::floor((1.0 / 2.0) * d(v.G_eff) * d(in.B) * d(v.n1) * d(v.s1)));
  // 9.-12. Nq, shape and depth factors, backfill term.
  v.n2 = s.store(d(v.z3) * d(v.z2));
  v.s2 = s.store(s.divide(d(in.B), d(in.L), Failure::lunghezza_zero) * d(v.z1) + 1.0);
  const double h_su_b = s.divide(d(in.H), d(in.B), Failure::larghezza_zero);
  const bool h_oltre_b = in.H > in.B;
  const double k = std::pow(1.0 - std::sin(d(v.phi_rad)), 2.0);
  const double t = d(v.z1) + d(v.z1);
  v.d2 = s.store(h_oltre_b ? k * t * std::atan(h_su_b) + 1.0 : k * t * h_su_b + 1.0);
  v.q1 = s.store(std::floor(d(in.G1) * d(in.H) * d(v.n2) * d(v.s2) * d(v.d2)));
  // 13.-16. Nc, shape and depth factors, cohesion term.
  v.n3 = s.store((d(v.z3) * d(v.z2) - 1.0) * s.divide(1.0, d(v.z1), Failure::angolo_zero));
  v.s3 = s.store(s.divide(d(v.n2) * d(in.B), d(v.n3) * d(in.L), Failure::fuori_intervallo) + 1.0);
  v.d3 = s.store(h_oltre_b ? std::atan(h_su_b) * 0.4 + 1.0
                           : s.divide(d(in.H) * 0.4, d(in.B), Failure::larghezza_zero) + 1.0);
  v.q3 = s.store(std::floor(d(v.n3) * d(v.c_m2) * d(v.s3) * d(v.d3)));
  // 17.-19. Sum of the floored contributions, then daN/m² to daN/cm², cut.
  v.q_tot = s.store(d(v.q2) + d(v.q1) + d(v.q3));
  v.qR = s.store(std::floor(d(v.q_tot) / 10000.0 * 100.0) / 100.0);
  const double ratio = s.divide(d(v.q_tot), d(in.YR), Failure::coefficiente_zero);
  v.qd = s.store(std::floor(ratio / 10000.0 * 100.0) / 100.0);
  if (s.failed()) return Failed{s.cause()};
  return v;
}

}  // namespace fondara::drained
