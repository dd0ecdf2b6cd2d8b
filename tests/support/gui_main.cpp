// GoogleTest main of the widget tests: one QApplication, set up as the program does.
#include <gtest/gtest.h>

#include <QApplication>

#include "window/appearance.h"

int main(int argc, char** argv) {
  // Test discovery runs this executable outside CTest's environment too.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  testing::InitGoogleTest(&argc, argv);
  QApplication app(argc, argv);
  fondara::window::setup_desktop(app);
  return RUN_ALL_TESTS();
}
