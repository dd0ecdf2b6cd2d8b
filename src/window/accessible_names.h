// Names that a screen reader speaks for the controls of the calculation windows that
// are not fields or result boxes (those take theirs from the windows' field tables).
#pragma once

#include <QString>
#include <string_view>

namespace fondara::window {

// The accessible name of the control called `control` (its objectName), or an empty
// string for controls whose own text names them.
QString accessible_name(std::string_view control);

}  // namespace fondara::window
