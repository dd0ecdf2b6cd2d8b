// The look of the program on this desktop: the Italian language of Qt's own texts,
// the Italian default locale whatever the machine's, one widget style, and the fonts
// the windows are designed with mapped to fonts that exist here.
#pragma once

#include <QFont>

class QApplication;

namespace fondara::window {

// Call once, right after the QApplication is created (main and the widget tests).
void setup_desktop(QApplication& app);

// A font as the window designs give it: family and size in points.
QFont design_font(const char* family, double points, bool bold = false);

}  // namespace fondara::window
