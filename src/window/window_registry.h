// The program's windows, each a single instance reached by its name
// ("form_principale", "form_coesivi", "form_sciolti", "frmHelpG1").
//
// A window is created with the design values of its controls the first time it is
// referred to, without being shown; it lives until it is unloaded (a later reference
// creates it afresh) or until the program ends. main() defines the windows; the
// handlers of the windows show, hide, unload and end through windows().
#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>
#include <functional>
#include <map>

namespace fondara::gui {

class WindowRegistry {
 public:
  using Factory = std::function<QWidget*()>;

  // How to create the window called `name`; the factory gives a top-level widget.
  void define(const QString& name, Factory create);

  // The window, loaded (created) if needed but not shown.
  QWidget& window(const QString& name);

  bool is_loaded(const QString& name) const;

  // Visible := true shows the window modeless and returns at once; false loads it
  // and keeps it hidden.
  void set_visible(const QString& name, bool visible);

  // Shows the window (a QDialog) modally over `owner`, centred on it, and returns
  // when the user has closed it; the closed window is unloaded.
  void show_modal(const QString& name, QWidget& owner);

  // Destroys the window and its controls; safe from inside one of its own handlers.
  void unload(const QString& name);

  // Discards every window at once and ends the program.
  void end();

  // Destroys every loaded window now (after the event loop, and between tests).
  void discard_all();

 private:
  struct Entry {
    Factory create;
    QPointer<QWidget> instance;
  };
  Entry& entry(const QString& name);
  std::map<QString, Entry> entries_;
};

// The registry of this program.
WindowRegistry& windows();

}  // namespace fondara::gui
