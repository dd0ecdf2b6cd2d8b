#include "drained/calcolo_drenato.h"

#include <cmath>

#include "input/number_text.h"

namespace fondara {

using checked::d;
using checked::divide;
using checked::store;

namespace {

// Angles from 90 degrees up have a meaningless tangent; the steps would return
// numbers that are not results.
constexpr float angolo_limite = 90.0f;

// The two-stage display of Nq and Nc: the 7-digit text of the float, read back as
// a double, cut to two decimals and written as a double.
std::string testo_due_stadi(float value) {
  const auto v = read_general_text(general_text(value));
  if (!v) return general_text(value);
  return general_text(std::floor(*v * 100.0) / 100.0);
}

}  // namespace

Outcome<ValoriDrenati> CalcoloDrenato(const DatiDrenati& in) {
  return checked::run<ValoriDrenati>([&] {
    if (!(in.phi < angolo_limite)) throw checked::Fault{Failure::angolo_fuori_campo};
    ValoriDrenati v;
    v.L = in.L;
    v.B = in.B;
    v.H = in.H;
    v.phi = in.phi;
    v.c = in.c;
    v.G = in.G;
    v.G1 = in.G1;
    v.YR = in.YR;
    v.falda = in.falda;

    // 1. Effective weight under water.
    if (v.falda) v.G = store(d(v.G) - 1000.0);
    // 2. Degrees to radians, daN/cm² to daN/m².
    v.phi = store(d(v.phi) * 0.0174533);
    v.c = store(d(v.c) * 10000.0);
    // 3.-5. tan φ', the power with base 2.7182 and π taken as 3.14, 45° as 3.14/4.
    v.z1 = store(std::tan(d(v.phi)));
    v.z2 = store(std::pow(2.7182, std::tan(d(v.phi)) * 3.14));
    v.z3 = store(std::pow(std::tan(d(v.phi) / 2.0 + 3.14 / 4.0), 2.0));
    // 6. Nγ.
    v.n1 = store((d(v.z3) * d(v.z2) - 1.0) * (d(v.z1) * 1.5));
    // 7.-8. Shape factor and friction term.
    v.s1 = store(1.0 - divide(d(v.B) * 0.4, d(v.L), Failure::lunghezza_zero));
    v.q2 = store(std::floor((1.0 / 2.0) * d(v.G) * d(v.B) * d(v.n1) * d(v.s1)));
    // 9.-12. Nq, shape and depth factors, backfill term.
    v.n2 = store(d(v.z3) * d(v.z2));
    v.s2 = store(divide(d(v.B), d(v.L), Failure::lunghezza_zero) * d(v.z1) + 1.0);
    const double h_su_b = divide(d(v.H), d(v.B), Failure::larghezza_zero);
    const bool h_oltre_b = v.H > v.B;
    const double k = std::pow(1.0 - std::sin(d(v.phi)), 2.0);
    const double t = d(v.z1) + d(v.z1);
    v.d2 = store(h_oltre_b ? k * t * std::atan(h_su_b) + 1.0 : k * t * h_su_b + 1.0);
    v.q1 = store(std::floor(d(v.G1) * d(v.H) * d(v.n2) * d(v.s2) * d(v.d2)));
    // 13.-16. Nc, shape and depth factors, cohesion term.
    v.n3 = store((d(v.z3) * d(v.z2) - 1.0) * divide(1.0, d(v.z1), Failure::angolo_zero));
    v.s3 = store(divide(d(v.n2) * d(v.B), d(v.n3) * d(v.L), Failure::fuori_intervallo) + 1.0);
    v.d3 = store(h_oltre_b ? std::atan(h_su_b) * 0.4 + 1.0
                           : divide(d(v.H) * 0.4, d(v.B), Failure::larghezza_zero) + 1.0);
    v.q3 = store(std::floor(d(v.n3) * d(v.c) * d(v.s3) * d(v.d3)));
    // 17.-19. Sum of the floored contributions, then daN/m² to daN/cm², cut.
    v.q_tot = store(d(v.q2) + d(v.q1) + d(v.q3));
    v.qR = store(std::floor(d(v.q_tot) / 10000.0 * 100.0) / 100.0);
    const double ratio = divide(d(v.q_tot), d(v.YR), Failure::coefficiente_zero);
    v.qd = store(std::floor(ratio / 10000.0 * 100.0) / 100.0);
    return v;
  });
}

TestiDrenati testi_risultati(const ValoriDrenati& v) {
  return {general_text(truncate_two_decimals(v.n1)), testo_due_stadi(v.n2), testo_due_stadi(v.n3),
          general_text(v.qR), general_text(v.qd)};
}

}  // namespace fondara
