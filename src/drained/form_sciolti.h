// form_sciolti: the calculation window for granular soils and for cohesive soils in the
// long term (drained conditions).
//
// The user types L, B, H, phi', c', G, G1 and YR and says whether the foundation soil
// lies below the water table (Option1 "SI", Option2 "NO"); Calculate runs the drained
// kind's calculation (kind.h) and shows NY, Nq, Nc, qR and qd. "?" (cmdHelpGT) shows
// frmHelpG1 modally, owned by this window. Everything else lives in DesignedWindow.
#pragma once

#include "window/designed_window.h"

class QRadioButton;

namespace fondara::drained {

class form_sciolti : public window::DesignedWindow {
 public:
  form_sciolti();

 protected:
  // The water table of Option1 and Option2.
  void add_texts(FieldTexts& texts) const override;
  void take_texts(const FieldTexts& texts) override;

 private:
  void cmdHelpGT_Click();
  // Puts Label2's phi in the gap that t7's caption leaves for it.
  void place_phi();

  QRadioButton* Option1 = nullptr;
  QRadioButton* Option2 = nullptr;
  QPushButton* cmdHelpGT = nullptr;
};

}  // namespace fondara::drained
