// fondara: the desktop calculator. Starts in the start window; the program ends with
// the Close button or the close box of the window in use.
#include <QApplication>

#include "app/fondara_windows.h"
#include "window/appearance.h"
#include "window/window_registry.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  fondara::gui::setup_desktop(app);
  auto& windows = fondara::gui::windows();
  fondara::app::define_windows(windows);
  windows.set_visible(QStringLiteral("form_principale"), true);
  const int status = QApplication::exec();
  // Windows unloaded on the way out are still waiting for their deletion.
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  windows.discard_all();
  return status;
}
