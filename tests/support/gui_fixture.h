// Fixture of the widget tests: the program's windows, owned by a Program as in main(); the
// beep, the message box and the end of the program replaced by recorders; the save dialog
// answered with a file in a temporary folder.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "app/program.h"
#include "qt_print.h"

namespace fondara::testing_gui {

class GuiTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Starts the program and waits until its start window is the active window.
  QWidget& start();
  // Opens a calculation window from the start window, as the user does, and waits until
  // it is the active window.
  QWidget& open(const char* start_button, const char* window_name);

  // The top-level window called `name`, or null.
  static QWidget* top_level(const char* name);

  // The named control of a window; fails the test when it is missing.
  template <typename W = QWidget>
  W* find(QWidget& window, const char* name) {
    auto* found = window.findChild<W*>(QString::fromLatin1(name));
    EXPECT_NE(found, nullptr) << "no control " << name;
    return found;
  }
  QLineEdit* field(QWidget& window, const char* name) { return find<QLineEdit>(window, name); }

  // Types each value over the whole text of its field, key by key, in the order given:
  // "lunghezza=10 larghezza=2".
  void fill(QWidget& window, const QString& assignments);
  void click(QWidget& window, const char* name);
  static QWidget* focus() { return QApplication::focusWidget(); }

  std::unique_ptr<app::Program> program;
  int beeps = 0;
  QStringList messages;
  int ends = 0;
  // The save dialog's answer: this file in a temporary folder.
  QTemporaryDir folder;
  QString save_path;
};

}  // namespace fondara::testing_gui
