// The undrained kind's window for the program: the start window's button and form_coesivi.
#pragma once

#include "window/kind_window.h"

namespace fondara::undrained {

const window::KindWindow& undrained_window();

}  // namespace fondara::undrained
