// fondara_e2e_geometry: where the end-to-end scenarios click. Makes the start window and
// every kind's window, as the program does but without showing them, and prints for each
// a bash associative array named after the window's objectName, from each control's
// objectName to its rectangle in the client area, in pixels ("left top width height"):
//
//   declare -gA form_sciolti=(
//     [calcola]="304 248 60 26"
//     ...
//   )
//
// e2e_lib.sh evaluates its output, so the scenarios click by control name wherever the
// design tables put the controls.
#include <QApplication>
#include <cstdio>

#include "app/form_principale.h"
#include "app/kind_windows.h"
#include "window/appearance.h"

namespace {

void print_geometry(const QWidget& window) {
  std::printf("declare -gA %s=(\n", qPrintable(window.objectName()));
  for (const QWidget* control : window.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
    if (control->objectName().isEmpty()) continue;
    const QRect at = control->geometry();
    std::printf("  [%s]=\"%d %d %d %d\"\n", qPrintable(control->objectName()), at.x(), at.y(),
                at.width(), at.height());
  }
  std::printf(")\n");
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  fondara::window::setup_desktop(app);
  print_geometry(fondara::app::form_principale(fondara::app::kind_windows()));
  for (const fondara::window::KindWindow* kind : fondara::app::kind_windows())
    print_geometry(*kind->make());
  // The scenarios must not click where a cut-off output left no control.
  return std::fflush(stdout) == 0 && std::ferror(stdout) == 0 ? 0 : 1;
}
