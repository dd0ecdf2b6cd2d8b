// fondara: the desktop calculator. Starts in the start window; the program ends with the
// Close button or the close box of the window in use.
#include <QApplication>

#include "app/program.h"
#include "output/file_writer.h"
#include "window/appearance.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  fondara::output::install_signal_cleanup();
  fondara::window::setup_desktop(app);
  fondara::app::Program program;
  program.start();
  return QApplication::exec();
}
