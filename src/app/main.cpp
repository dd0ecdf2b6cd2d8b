// fondara: the desktop calculator. Starts in the start window, or with `fondara FILE` in the
// window of the file's calculation, filled from it; the program ends with the Close button
// or the close box of the window in use.
#include <QApplication>
#include <QStringList>

#include "app/program.h"
#include "output/file_writer.h"
#include "window/appearance.h"

int main(int argc, char** argv) {
  fondara::output::install_signal_cleanup();
  QApplication app(argc, argv);
  fondara::window::setup_desktop(app);
  // Qt has taken its own options; what is left is the file to open, if any.
  const QStringList arguments = QApplication::arguments();
  fondara::app::Program program;
  program.start(arguments.size() > 1 ? arguments.at(1) : QString());
  return QApplication::exec();
}
