// Widget tests' fixture: the windows of a Program as in main(); beep, message box and details,
// question (answered with `go_on`) and end of the program recorded; the save dialog answered with
// `save_path`, its type by its extension.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
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
  QWidget& start();  // the program started: its start window, once active
  QWidget& open(const char* start_button, const char* window_name);  // its button's, active
  static QWidget* top_level(const char* name);                       // or null
  // The named control of a window; the test fails when it is missing.
  template <typename W = QWidget>
  W* find(QWidget& window, const char* name) {
    auto* found = window.findChild<W*>(QString::fromLatin1(name));
    EXPECT_NE(found, nullptr) << "no control " << name;
    return found;
  }
  QLineEdit* field(QWidget& window, const char* name) { return find<QLineEdit>(window, name); }
  // Types each value over its field's whole text, key by key: "lunghezza=10 larghezza=2".
  void fill(QWidget& window, const QString& assignments);
  void click(QWidget& window, const char* name) {
    QTest::mouseClick(find<QAbstractButton>(window, name), Qt::LeftButton);
  }
  static QWidget* focus() { return QApplication::focusWidget(); }

  std::unique_ptr<app::Program> program;
  int beeps = 0, ends = 0;
  QStringList messages, details;  // of each message box
  QStringList questions;
  bool go_on = true;
  QTemporaryDir folder;
  QString save_path;
};

}  // namespace fondara::testing_gui
