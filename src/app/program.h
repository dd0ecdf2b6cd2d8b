// The program's windows, owned here: the start window, then, once a kind is chosen, one
// window of every kind, the chosen one shown and the others loaded and hidden (a run uses
// one calculation window; a new choice needs a new start). main() makes one Program; the
// widget tests make their own.
#pragma once

#include <QObject>
#include <memory>
#include <vector>

#include "window/kind_window.h"

class QWidget;

namespace fondara::app {

class form_principale;

class Program : public QObject {
  Q_OBJECT

 public:
  Program();
  ~Program() override;

  // Shows the start window.
  void start();

  // The window of `kind`, once a kind has been chosen; null before.
  QWidget* window_of(const Kind& kind) const;

 private:
  void choose(const window::KindWindow& chosen);

  std::unique_ptr<form_principale> start_window_;
  std::vector<std::unique_ptr<QWidget>> windows_;
};

}  // namespace fondara::app
