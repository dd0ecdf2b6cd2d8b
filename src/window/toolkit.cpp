#include "window/toolkit.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

#include "output/cups_destination.h"
#include "window/file_opening.h"

namespace fondara::window {

void show_message_box(QWidget* parent, const QString& prompt, const QString& details) {
  QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Fondara"), prompt, QMessageBox::Ok, parent);
  box.setTextFormat(Qt::PlainText);
  if (!details.isEmpty()) box.setDetailedText(details);
  box.exec();
}

bool ask_to_continue(QWidget* parent, const QString& question) {
  QMessageBox box(QMessageBox::Warning, QStringLiteral("Fondara"), question, QMessageBox::NoButton,
                  parent);
  box.setTextFormat(Qt::PlainText);
  QPushButton* go_on = box.addButton(QStringLiteral("Continua"), QMessageBox::DestructiveRole);
  box.setDefaultButton(box.addButton(QStringLiteral("Annulla"), QMessageBox::RejectRole));
  box.exec();
  return box.clickedButton() == go_on;
}

Toolkit desktop_toolkit() {
  return {
      [] { QApplication::beep(); },
      show_message_box,
      ask_to_continue,
      [] { QCoreApplication::exit(0); },
      ask_save_choice,
      output::default_destination,
      ask_open_path,
      open_in_new_program,
  };
}

Toolkit& toolkit() {
  static Toolkit services = desktop_toolkit();
  return services;
}

}  // namespace fondara::window
