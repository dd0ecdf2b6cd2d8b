// Fixture of the widget tests: the program's windows defined in the registry, the
// beep, the message box and the end of the program replaced by recorders, Save and
// Print replaced by recorders of the values they receive.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QStringList>
#include <QTest>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "app/report_output.h"
#include "app/window_registry.h"

// Readable texts in the failure messages.
inline void PrintTo(const QString& text, std::ostream* os) {
  *os << '"' << text.toStdString() << '"';
}

namespace fondara::testing_gui {

using Fields = std::vector<std::pair<const char*, QString>>;

// The first worked example: the five empty fields of form_coesivi ...
inline const Fields coesivi_example{{"lunghezza", "10"},
                                    {"larghezza", "2"},
                                    {"altezza", "1"},
                                    {"peso_terreno_rinterro", "1800"},
                                    {"coesione_non_drenata", "0,5"}};

// ... and the seven empty fields of form_sciolti.
inline const Fields sciolti_example{{"lunghezza", "10"},
                                    {"larghezza", "2"},
                                    {"altezza", "1"},
                                    {"angolo", "30"},
                                    {"coesione_drenata", "0"},
                                    {"peso_terreno_fondazione", "1900"},
                                    {"peso_terreno_rinterro", "1800"}};

class GuiTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // The named control of a window; fails the test when it is missing.
  template <typename W = QWidget>
  W* find(QWidget& window, const char* name) {
    auto* found = window.findChild<W*>(QString::fromLatin1(name));
    EXPECT_NE(found, nullptr) << "no control " << name;
    return found;
  }
  QLineEdit* field(QWidget& window, const char* name) { return find<QLineEdit>(window, name); }
  QPushButton* button(QWidget& window, const char* name) { return find<QPushButton>(window, name); }

  // Opens a calculation window from the start window, as the user does, and waits
  // until it is the active window.
  QWidget& open_from_start(const char* start_button, const char* window_name);

  // Types into a field: focus, then one key press per character.
  void type(QWidget& window, const char* name, const QString& text);
  // Types each value over the whole text of its field, in that order.
  void fill(QWidget& window, const std::vector<std::pair<const char*, QString>>& values);
  // Clicks a button with the mouse.
  void click(QWidget& window, const char* name);
  // Deletes every character of a field with Backspace, from its end.
  void erase(QWidget& window, const char* name);
  // Puts text on the clipboard and pastes it into the field with Ctrl+V.
  void paste(QWidget& window, const char* name, const QString& text);

  int beeps = 0;
  QStringList messages;
  int ends = 0;
  std::vector<app::ReportValues> saved;
  std::vector<app::ReportValues> printed;
  // Runs inside the recorded message box, while it would be open.
  std::function<void()> during_message;
};

// A test of one calculation window, opened from the start window as the user does.
class CalculationWindowTest : public GuiTest {
 protected:
  CalculationWindowTest(const char* start_button, const char* window_name)
      : start_button_(start_button), window_name_(window_name) {}
  void SetUp() override {
    GuiTest::SetUp();
    window = &open_from_start(start_button_, window_name_);
  }
  QString text(const char* name) { return field(*window, name)->text(); }
  bool enabled(const char* name) { return button(*window, name)->isEnabled(); }
  static QWidget* focus() { return QApplication::focusWidget(); }

  QWidget* window = nullptr;

 private:
  const char* start_button_;
  const char* window_name_;
};

}  // namespace fondara::testing_gui
