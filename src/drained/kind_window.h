// The drained kind's window for the program: the start window's button and form_sciolti.
#pragma once

#include "window/kind_window.h"

namespace fondara::drained {

const window::KindWindow& drained_window();

}  // namespace fondara::drained
