#include "core/bearing_report.h"

namespace fondara {

void testa_file(Builder& r, std::string riga_profondita) {
  r.text(kTitolo);
  r.empty();
  r.text("Si calcola il carico limite del terreno sottostante la fondazione superficiale posta");
  r.text(std::move(riga_profondita));
  r.empty();
  r.text("Come noto si individua un meccanismo di rottura nel piano verticale che contiene");
  r.text("il lato minore  della fondazione, trascurando prudenzialmente l'attrito tra");
  r.text("fondazione e terreno.");
  r.empty();
}

void introduzione_stampa(Builder& r) {
  r.text(
      "Si calcola il carico limite del terreno sottostante la fondazione superficiale posta a "
      "profondita'H");
  r.text("secondo Fondara. ");
  r.empty();
  r.text(
      "Come noto si individua un meccanismo di rottura nel piano verticale che contiene il lato "
      "minore");
  r.text("della fondazione, trascurando prudenzialmente l'attrito tra fondaziuone e terreno.");
}

void carico_di_progetto(Builder& r, float YR, float qd) {
  r.open_text("Si ottiene il carico limite di progetto");
  if (YR == kYRApproccio2) r.text(" allo SLU, secondo Approccio 2:");
  if (YR == kYRApproccio1) r.text(" allo SLU, secondo Approccio 1, Comb.2:");
  r.empty();
  r.empty();
  r.labelled("qd = qR / YR = ", qd, " daN/cm^2 (bar)");
}

}  // namespace fondara
