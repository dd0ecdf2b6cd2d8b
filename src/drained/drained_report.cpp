#include "drained/drained_report.h"

#include <cmath>

#include "core/bearing_report.h"

namespace fondara::drained {
namespace {

// The printer starts at 10 points: the heading and one empty line, then 8 points.
void testa_stampa(Builder& r) {
  r.text(kTitolo);
  r.empty();
  r.font_size(8);
  r.empty();
  introduzione_stampa(r);
  r.empty();
}

void dati_di_calcolo(Builder& r, Steps& s, const DrainedInputs& in, const ValoriDrenati& v,
                     std::string_view descrizione) {
  // Back to the units typed, from the values the calculation used: whole degrees
  // (rounded half up), daN/cm², and under water the saturated weight W.
  const double gradi = std::floor(d(v.phi_rad) / kRadiansPerDegree + 0.5);
  const float coesione = s.store(d(v.c_m2) / 10000.0);

  r.text("IL CALCOLO SI RIFERISCE AD UN TERRENO SCIOLTO");
  r.empty();
  r.text_and_text("DESCRIZIONE:", std::string(descrizione));
  r.empty();
  r.text("DATI DI CALCOLO:");
  r.empty();
  r.labelled("L     = ", in.L, " m, lunghezza della fondazione");
  r.labelled("B     = ", in.B, " m, larghezza della fondazione");
  r.labelled("H     = ", in.H, " m, altezza di rinterro dal piano di fondazione");
  r.labelled("Ø'    = ", gradi, " gradi, angolo attrito del terreno di fondazione");
  r.labelled("c'    = ", coesione, " daN/cm^2 (bar), coesione drenata del terreno di fondazione");
  if (in.falda) {
    r.labelled("W     = ", s.store(d(v.G_eff) + 1000.0),
               " daN/m^3, peso specifico del terreno di fondazione");
    r.labelled("G= W-1000    = ", v.G_eff,
               " daN/m^3, peso specifico del terreno di fondazione immerso");
  } else {
    r.labelled("G     = ", v.G_eff, " daN/m^3, peso specifico del terreno di fondazione");
  }
  r.labelled("G1    = ", in.G1, " daN/m^3, peso specifico del terreno di rinterro");
  r.empty();
  r.text(in.falda ? "La fondazione e' interessata da falda d'acqua"
                  : "La fondazione non e' interessata da falda d'acqua");
  r.empty();
}

// Every dotted label is 49 characters long, so the values line up in one column.
void valori_calcolati(Builder& r, const DrainedInputs& in, const ValoriDrenati& v) {
  r.text("Con i dati di cui sopra si calcolano i seguenti valori:");
  r.empty();
  r.labelled("z1    = tang(Ø') ............................... ", v.z1);
  r.labelled("z2    = e^[3,14*tang(Ø')] ...................... ", v.z2);
  r.labelled("z3    = (tang(45+Ø'/2))^2 ...................... ", v.z3);
  r.labelled("n1    = 1.5*z1( z2*z3 -1 ) ..................... ", v.n1);
  r.labelled("n2    = z2*z3 .................................. ", v.n2);
  r.labelled("n3    = (1/z1)*(z2*z3 -1) ...................... ", v.n3);
  r.labelled("s1    = 1 - 0.4 B/L ............................ ", v.s1);
  r.labelled("s2    = 1 +(B/L)*z1 ............................ ", v.s2);
  r.labelled("s3    = 1 +(n2*B)/(n3*L) ....................... ", v.s3);
  // The same test that chose the depth-factor formulas in the calculation.
  if (in.H > in.B) {
    r.labelled("d2    = 1+2*z1(1-sin(Ø'))^2*atn(H/B) ........... ", v.d2);
    r.labelled("d3    = 1+0.4*atn(H/B) ......................... ", v.d3);
  } else {
    r.labelled("d2    = 1+2*z1(1-sin(Ø'))^2*(H/B) .............. ", v.d2);
    r.labelled("d3    = 1+0.4*H/B .............................. ", v.d3);
  }
  r.empty();
}

void risultati(Builder& r, Steps& s, const DrainedInputs& in, const ValoriDrenati& v) {
  const float somma = s.store(d(v.q1) + d(v.q2) + d(v.q3));

  r.text("Risultano i seguenti fattori di portanza:");
  r.empty();
  r.labelled("Nq    = n2 = ................................... ", v.n2);
  r.labelled("NY    = 1,5x(Nq-1)tang(ø') ..................... ", v.n1);
  r.labelled("Nc    = (Nq-1)/tang(ø') ........................ ", v.n3);
  r.empty();
  r.text("Risultano i seguenti contributi di portanza, corretti:");
  r.empty();
  r.labelled("q1    = G1*H*Nq*s2*d2 (contributo rinterro) .... ", v.q1);
  r.labelled("q2    = (1/2)G*B*NY*s1 (contributo attrito) .... ", v.q2);
  r.labelled("q3    = c'*Nc*s3*d3 (contributo coesione) ...... ", v.q3);
  r.empty();
  r.labelled("CARICO DI ROTTURA: qR  ......................... ", somma, " daN/m^2");
  r.empty();
  r.labelled("qR = ", v.qR, " daN/cm^2 (bar)");
  r.empty();
  r.labelled("Adottando un coeff. parziale di sicurezza, YR = ", in.YR);
  r.empty();
  carico_di_progetto(r, in.YR, v.qd);
}

}  // namespace

ReportOutcome drained_report(const DrainedInputs& in, const ValoriDrenati& valori,
                             std::string_view descrizione, Version version) {
  Builder r;
  Steps s;
  if (version == Version::file)
    testa_file(r, "a profondita'H, secondo Fondara.");
  else
    testa_stampa(r);
  dati_di_calcolo(r, s, in, valori, descrizione);
  valori_calcolati(r, in, valori);
  risultati(r, s, in, valori);
  if (s.failed()) return Failed{s.cause()};
  return r.take();
}

}  // namespace fondara::drained
