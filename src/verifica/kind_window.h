// The verification kind's window for the program: the start window's button and
// form_verifica.
#pragma once

#include "window/kind_window.h"

namespace fondara::verifica {

const window::KindWindow& verifica_window();

}  // namespace fondara::verifica
