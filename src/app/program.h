// The program's windows, owned here: the start window, then, once a kind is chosen, one
// window of every kind, the chosen one shown and the others loaded and hidden (a run uses
// one calculation window; a new choice needs a new start). It also opens the files the
// user names (`fondara FILE`, Ctrl+O, a dropped file): a file of the shown window's kind
// fills that window, one of another kind opens in a new run of the program (a run that cannot
// start is told); a file the window cannot hold whole changes nothing. main() makes
// one Program; the widget tests make their own.
#pragma once

#include <QObject>
#include <QString>
#include <memory>
#include <vector>

#include "core/data_file.h"
#include "window/kind_window.h"

class QWidget;

namespace fondara::app {

class form_principale;

class Program : public QObject {
  Q_OBJECT

 public:
  Program();
  ~Program() override;

  // Shows the start window, or, given a file, the window of its kind filled from it (the
  // start window when the file cannot be opened, after the message that says why).
  void start(const QString& file = {});

  // The window of `kind`, once a kind has been chosen; null before.
  QWidget* window_of(const Kind& kind) const;

 private:
  // Makes the window of every kind, loaded but hidden, once.
  void make_windows();
  void choose(const window::KindWindow& chosen);
  // Opens the file at `path`, asked for over `window` (null: at start).
  void open(QWidget* window, const QString& path);
  // Shows the window of the data's kind (choosing it first if needed), filled from the data;
  // false, after a message over `window`, when the window cannot hold a value whole.
  bool fill(QWidget* window, const QString& path, const CalculationData& data);
  void watch_file_opening(QWidget& window);

  std::unique_ptr<form_principale> start_window_;
  std::vector<std::unique_ptr<QWidget>> windows_;
  const Kind* shown_ = nullptr;
};

}  // namespace fondara::app
