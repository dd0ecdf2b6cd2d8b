// form_sciolti: the calculation window for granular soils and for cohesive soils in
// the long term (drained conditions).
//
// The user types L, B, H, phi', c', G, G1 and YR and says whether the foundation soil
// lies below the water table (Option1 "SI", Option2 "NO"); Calculate (calcola_Click)
// runs CalcoloDrenato and shows NY, Nq, Nc, qR and qd. The window owns the
// ValoriDrenati record of its last completed calculation, water-table choice
// included, which Save and Print report. "?" (cmdHelpGT) shows frmHelpG1 modally.
#pragma once

#include "drained/calcolo_drenato.h"
#include "window/calculation_window.h"

class QRadioButton;

namespace fondara {

class form_sciolti : public gui::CalculationWindow {
  Q_OBJECT

 public:
  form_sciolti();

  report::Result report(report::Version version) const override;

 private:
  void calcola_Click();
  void cmdHelpGT_Click();
  // Puts Label2's phi in the gap that t7's caption leaves for it.
  void place_phi();

  QRadioButton* Option1 = nullptr;
  QRadioButton* Option2 = nullptr;
  QPushButton* cmdHelpGT = nullptr;

  // Inputs, intermediates and results of the last completed Calculate.
  ValoriDrenati valori_;
};

}  // namespace fondara
