#include "undrained/calcolo_non_drenato.h"

#include <cmath>

#include "input/number_text.h"

namespace fondara {

using checked::d;
using checked::divide;
using checked::store;

Outcome<RisultatiNonDrenati> CalcoloNonDrenato(const DatiNonDrenati& in) {
  return checked::run<RisultatiNonDrenati>([&] {
    // Shape term 1 + 0.2 B/L.
    double f = d(in.B) * 0.2;
    f = divide(f, d(in.L), Failure::lunghezza_zero);
    f = f + 1.0;
    // Cohesion term, daN/cm²; Nc = 5.14.
    const double c = d(in.cu) * 5.14;
    const double t = f * c;
    // Backfill term: G1 H in daN/m², 10000 cm² to the m².
    double g = d(in.G1) * 1.2;
    g = g * d(in.H);
    g = g / 10000.0;

    RisultatiNonDrenati out;
    out.qR_calcolo = store(t + g);
    out.qR = store(std::floor(d(out.qR_calcolo) * 100.0) / 100.0);
    // qd starts from the untruncated value, not from qR.
    const double ratio = divide(d(out.qR_calcolo), d(in.YR), Failure::coefficiente_zero);
    out.qd = store(std::floor(ratio * 100.0) / 100.0);
    return out;
  });
}

TestiNonDrenati testi_risultati(const RisultatiNonDrenati& risultati) {
  return {general_text(risultati.qR), general_text(risultati.qd)};
}

}  // namespace fondara
