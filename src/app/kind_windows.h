// The window of every calculation kind, in the order of the program's list of kinds
// (src/CMakeLists.txt, FONDARA_KINDS), from which the build writes kind_windows.cpp.
#pragma once

#include <span>

#include "window/kind_window.h"

namespace fondara::app {

std::span<const window::KindWindow* const> kind_windows();

}  // namespace fondara::app
