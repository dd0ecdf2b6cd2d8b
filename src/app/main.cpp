// fondara: the desktop calculator. Starts in the start window; the program ends with
// the Close button or the close box of the window in use.
#include <QApplication>

#include "app/appearance.h"
#include "app/fondara_windows.h"
#include "app/window_registry.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  fondara::app::setup_desktop(app);
  auto& windows = fondara::app::windows();
  fondara::app::define_windows(windows);
  windows.set_visible(QStringLiteral("form_principale"), true);
  const int status = QApplication::exec();
  // Windows unloaded on the way out are still waiting for their deletion.
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  windows.discard_all();
  return status;
}
