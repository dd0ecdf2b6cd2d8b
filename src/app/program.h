// The program's windows, owned here: the start window, then, once a kind is chosen, the
// chosen kind's window, shown: a window built alone (the verification's) by itself, or
// a designed window with the other designed windows loaded and hidden (a run uses one
// calculation window; a new choice needs a new start). It also opens the files the user
// names (`fondara FILE`, Ctrl+O, a dropped file): a file of the shown window's kind fills
// that window once the window may let its data go, one of another kind opens in a new run
// of the program (a run that cannot start is told); a file the window cannot hold whole
// changes nothing. main() makes one Program; the widget tests make their own.
#pragma once

#include <QObject>
#include <QString>
#include <map>
#include <memory>

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
  static const window::KindWindow& kind_window(const Kind& kind);
  // Makes, once, the window of the chosen kind: alone for a window built alone (the
  // verification's), else with the other designed windows, loaded but hidden.
  void make_windows(const window::KindWindow& chosen);
  void choose(const window::KindWindow& chosen);
  // Opens the file at `path`, asked for over `window` (null: at start).
  void open(QWidget* window, const QString& path);
  // Shows the window of the data's kind (choosing it first if needed), filled from the data
  // of the file at `path`; false, after a message over `window`, when the window cannot hold a
  // value whole.
  bool fill(QWidget* window, const QString& path, CalculationData data);
  void watch_file_opening(QWidget& window);

  std::unique_ptr<form_principale> start_window_;
  std::map<const Kind*, std::unique_ptr<QWidget>> windows_;
  const Kind* shown_ = nullptr;
};

}  // namespace fondara::app
