// The four windows of the program, defined in the window registry by name.
#pragma once

namespace fondara::gui {
class WindowRegistry;
}

namespace fondara::app {

void define_windows(gui::WindowRegistry& registry);

}  // namespace fondara::app
