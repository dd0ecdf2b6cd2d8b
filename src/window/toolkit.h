// The services the windows take from the desktop: the beep, the message box, the question
// before unsaved work goes, the end of the program, the save dialog's file name, the printer, the
// open dialog's file name and a new run of the program. Production uses QApplication::beep,
// QMessageBox, QCoreApplication::exit, the save and open dialogs, the default printer and a
// detached process; tests replace them through toolkit().
#pragma once

#include <QString>
#include <functional>

#include "output/printer_channel.h"
#include "window/save_dialog.h"

class QWidget;

namespace fondara::window {

struct Toolkit {
  std::function<void()> beep;
  // A modal message box over `parent`: title "Fondara", the prompt, one OK button,
  // no icon, and the details (if any) behind its "Show Details..." button. Returns when it
  // is dismissed.
  std::function<void(QWidget* parent, const QString& prompt, const QString& details)> message_box;
  // A modal question over `parent`, title "Fondara": true when the user goes on (and loses
  // what the question names), false when the user cancels.
  std::function<bool(QWidget* parent, const QString& question)> confirm;
  // Ends the program once control returns to the event loop.
  std::function<void()> end_program;
  // The name and the file type chosen in the save dialog; an empty name when cancelled.
  SaveChoiceProvider save_choice;
  // The destination that Print sends its document to, or why there is none.
  output::PrinterFactory printer;
  // The file chosen in the open dialog (Ctrl+O); an empty name when cancelled.
  std::function<QString(QWidget* parent)> open_choice;
  // Opens a file in a new run of the program: whether the program started.
  std::function<bool(const QString& path)> open_elsewhere;
};

// The services in use; starts with the production ones.
Toolkit& toolkit();

// The production services, for restoring them.
Toolkit desktop_toolkit();

// The production message box, shown and run to its end.
void show_message_box(QWidget* parent, const QString& prompt, const QString& details = {});
// The production question: "Continua" or "Annulla", Annulla the default.
bool ask_to_continue(QWidget* parent, const QString& question);

inline void beep() {
  toolkit().beep();
}
inline void message_box(QWidget* parent, const QString& prompt, const QString& details = {}) {
  toolkit().message_box(parent, prompt, details);
}
inline void end_program() {
  toolkit().end_program();
}

}  // namespace fondara::window
