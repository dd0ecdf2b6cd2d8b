// form_principale: the start window, shown when the program starts.
//
// One button for each calculation kind, in the order of the program's list of kinds (the
// two bearing-pressure kinds side by side as designed, the others below them, the window
// growing to hold them). A button signals the chosen kind; the program shows that kind's
// window and closes this one. It owns no values.
#pragma once

#include <QWidget>
#include <span>

#include "window/kind_window.h"

namespace fondara::app {

class form_principale : public QWidget {
  Q_OBJECT

 public:
  explicit form_principale(std::span<const window::KindWindow* const> kinds);

 Q_SIGNALS:
  void chosen(const fondara::window::KindWindow& kind);

 protected:
  void closeEvent(QCloseEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  bool placed_ = false;
};

}  // namespace fondara::app
