#include "window/toolkit.h"

#include <QApplication>
#include <QMessageBox>
#include <QPrinter>

namespace fondara::gui {

void show_message_box(QWidget* parent, const QString& prompt) {
  QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Fondara"), prompt, QMessageBox::Ok, parent);
  box.setTextFormat(Qt::PlainText);
  box.exec();
}

Toolkit desktop_toolkit() {
  return {
      [] { QApplication::beep(); }, show_message_box,        [] { QCoreApplication::exit(0); },
      report::ask_save_file_name,   report::default_printer,
  };
}

Toolkit& toolkit() {
  static Toolkit services = desktop_toolkit();
  return services;
}

}  // namespace fondara::gui
