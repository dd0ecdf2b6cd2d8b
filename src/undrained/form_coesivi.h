// form_coesivi: the calculation window for cohesive soils in the short term
// (undrained conditions).
//
// The user types L, B, H, G1, cu and YR; Calculate (calcola_Click) runs
// CalcoloNonDrenato and shows qR and qd. The window owns the inputs and results of
// its last completed calculation, which Save and Print report. The start window
// opens it through the window registry; Close ends the program.
#pragma once

#include "undrained/calcolo_non_drenato.h"
#include "window/calculation_window.h"

namespace fondara {

class form_coesivi : public gui::CalculationWindow {
  Q_OBJECT

 public:
  form_coesivi();

  report::Result report(report::Version version) const override;

 private:
  void calcola_Click();

  // Inputs and results of the last completed Calculate.
  DatiNonDrenati dati_;
  RisultatiNonDrenati risultati_;
};

}  // namespace fondara
