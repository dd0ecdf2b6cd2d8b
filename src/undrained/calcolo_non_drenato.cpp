#include "undrained/calcolo_non_drenato.h"

#include <cmath>

namespace fondara::undrained {

Outcome<UndrainedResults, Failure> CalcoloNonDrenato(const UndrainedInputs& in) {
  Steps s;
  // Shape term 1 + 0.2 B/L.
  double f = d(in.B) * 0.2;
  f = s.divide(f, d(in.L), Failure::lunghezza_zero);
  f = f + 1.0;
  // Cohesion term, daN/cm²; Nc = 5.14.
  const double c = d(in.cu) * 5.14;
  const double t = f * c;
  // Backfill term: G1 H in daN/m², 10000 cm² to the m².
  double g = d(in.G1) * 1.2;
  g = g * d(in.H);
  g = g / 10000.0;

  UndrainedResults out;
  out.qR_calcolo = s.store(t + g);
  out.qR = s.store(std::floor(d(out.qR_calcolo) * 100.0) / 100.0);
  // qd starts from the untruncated value, not from qR.
  const double ratio = s.divide(d(out.qR_calcolo), d(in.YR), Failure::coefficiente_zero);
  out.qd = s.store(std::floor(ratio * 100.0) / 100.0);
  if (s.failed()) return Failed{s.cause()};
  return out;
}

}  // namespace fondara::undrained
