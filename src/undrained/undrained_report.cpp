#include "undrained/undrained_report.h"

#include "core/bearing_report.h"

namespace fondara::undrained {
namespace {

// The printer starts at 10 points; the heading and the two empty lines after it
// stay there, the rest is printed at 8 points.
void testa_stampa(Builder& r) {
  r.text(kTitolo);
  r.empty();
  r.empty();
  r.font_size(8);
  introduzione_stampa(r);
  r.empty();
  r.empty();
}

void corpo(Builder& r, Steps& s, const UndrainedInputs& dati, const UndrainedResults& risultati,
           std::string_view descrizione) {
  // qR in daN/m², rounded to a float: the only value computed for the report.
  const float qR_daN_m2 = s.store(d(risultati.qR) * 10000.0);

  r.text("IL CALCOLO SI RIFERISCE AD UN TERRENO COESIVO IN CONDIZIONI NON DRENATE");
  r.empty();
  r.text_and_text("DESCRIZIONE:", std::string(descrizione));
  r.empty();
  r.text("DATI DI CALCOLO:");
  r.empty();
  r.labelled("L      = ", dati.L, " m, lunghezza della fondazione");
  r.labelled("B      = ", dati.B, " m, larghezza della fondazione");
  r.labelled("H      = ", dati.H, " m, altezza di rinterro dal piano di fondazione");
  r.labelled("G1     = ", dati.G1, " daN/m^3, peso specifico del terreno di rinterro");
  r.labelled("cu     = ", dati.cu,
             " daN/cm^2 (bar), coesione non drenata del terreno di fondazione");
  r.empty();
  r.text("In condizioni non drenate il fattore di portanza, Nc = 5,14");
  r.empty();
  r.text("Si calcola il carico limite:");
  r.empty();
  r.labelled("CARICO DI ROTTURA: qR = 5,14*cu*(1+0,2*B/L) + 1,2*G1*H = ", qR_daN_m2, " daN/m^2");
  r.empty();
  r.labelled("qR = ", risultati.qR, " daN/cm^2 (bar)");
  r.empty();
  r.labelled("Adottando un coefficiente parziale di sicurezza, YR = ", dati.YR);
  r.empty();
  carico_di_progetto(r, dati.YR, risultati.qd);
  r.empty();
}

}  // namespace

ReportOutcome undrained_report(const UndrainedInputs& in, const UndrainedResults& results,
                               std::string_view descrizione, Version version) {
  Builder r;
  Steps s;
  if (version == Version::file)
    testa_file(r, "a profondità H, secondo Fondara.");
  else
    testa_stampa(r);
  corpo(r, s, in, results, descrizione);
  if (s.failed()) return Failed{s.cause()};
  return r.take();
}

}  // namespace fondara::undrained
