// Names that a screen reader speaks for the fields, result boxes and buttons of the
// calculation windows: the meaning of the control with its symbol and unit, as the
// label beside it says it.
#pragma once

#include <QString>

namespace fondara::app {

// The accessible name of the control called `control` (its objectName), or an empty
// string for controls whose own text names them.
QString accessible_name(const char* control);

}  // namespace fondara::app
