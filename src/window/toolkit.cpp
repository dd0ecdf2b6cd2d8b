#include "window/toolkit.h"

#include <QApplication>
#include <QMessageBox>

#include "report/cups_destination.h"

namespace fondara::gui {

void show_message_box(QWidget* parent, const QString& prompt) {
  QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Fondara"), prompt, QMessageBox::Ok, parent);
  box.setTextFormat(Qt::PlainText);
  box.exec();
}

Toolkit desktop_toolkit() {
  return {
      [] { QApplication::beep(); },      show_message_box,
      [] { QCoreApplication::exit(0); }, report::ask_save_choice,
      report::default_destination,
  };
}

Toolkit& toolkit() {
  static Toolkit services = desktop_toolkit();
  return services;
}

}  // namespace fondara::gui
