// The four windows of the program, defined in the window registry by name.
#pragma once

namespace fondara::app {

class WindowRegistry;

void define_windows(WindowRegistry& registry);

}  // namespace fondara::app
