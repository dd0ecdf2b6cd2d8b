// form_coesivi: the calculation window for cohesive soils in the short term (undrained
// conditions).
//
// The user types L, B, H, G1, cu and YR; Calculate runs the undrained kind's calculation
// (kind.h) and shows qR and qd. Everything but the design lives in DesignedWindow.
// The program makes it through undrained_window(); Close ends the program.
#pragma once

#include "window/designed_window.h"

namespace fondara::undrained {

class form_coesivi : public window::DesignedWindow {
 public:
  form_coesivi();
};

}  // namespace fondara::undrained
