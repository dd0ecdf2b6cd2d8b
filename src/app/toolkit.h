// The services the windows take from the desktop: the beep, the message box and the
// end of the program. Production uses QApplication::beep, QMessageBox and
// QCoreApplication::exit; tests replace them with recorders through toolkit().
#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace fondara::app {

struct Toolkit {
  std::function<void()> beep;
  // A modal message box over `parent`: title "Fondara", the prompt, one OK button,
  // no icon. Returns when it is dismissed.
  std::function<void(QWidget* parent, const QString& prompt)> message_box;
  // Ends the program once control returns to the event loop.
  std::function<void()> end_program;
};

// The services in use; starts with the production ones.
Toolkit& toolkit();

// The production services, for restoring them.
Toolkit desktop_toolkit();

// The production message box, shown and run to its end.
void show_message_box(QWidget* parent, const QString& prompt);

inline void beep() {
  toolkit().beep();
}
inline void message_box(QWidget* parent, const QString& prompt) {
  toolkit().message_box(parent, prompt);
}
inline void end_program() {
  toolkit().end_program();
}

}  // namespace fondara::app
