#include "gui_test.h"

#include <QApplication>
#include <QClipboard>

#include "app/fondara_windows.h"
#include "app/toolkit.h"

namespace fondara::testing_gui {

void GuiTest::SetUp() {
  app::toolkit().beep = [this] { ++beeps; };
  app::toolkit().message_box = [this](QWidget*, const QString& prompt) {
    messages << prompt;
    if (during_message) during_message();
  };
  app::toolkit().end_program = [this] { ++ends; };
  app::report_output().salva = [this](QWidget&, const app::ReportValues& values) {
    saved.push_back(values);
  };
  app::report_output().stampa = [this](QWidget&, const app::ReportValues& values) {
    printed.push_back(values);
  };
  app::define_windows(app::windows());
}

void GuiTest::TearDown() {
  app::windows().discard_all();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  app::toolkit() = app::desktop_toolkit();
  app::report_output() = app::desktop_report_output();
}

QWidget& GuiTest::open_from_start(const char* start_button, const char* window_name) {
  auto& windows = app::windows();
  windows.set_visible(QStringLiteral("form_principale"), true);
  QWidget& start = windows.window(QStringLiteral("form_principale"));
  EXPECT_TRUE(QTest::qWaitForWindowActive(&start));
  QTest::mouseClick(button(start, start_button), Qt::LeftButton);
  QWidget& opened = windows.window(QString::fromLatin1(window_name));
  EXPECT_TRUE(QTest::qWaitForWindowActive(&opened));
  return opened;
}

void GuiTest::type(QWidget& window, const char* name, const QString& text) {
  QLineEdit* box = field(window, name);
  box->setFocus();
  for (const QChar character : text) {
    if (character.unicode() < 0x80) {
      QTest::keyClick(box, static_cast<char>(character.unicode()));
    } else {
      // Characters beyond ASCII arrive as a key without a key code of its own.
      QTest::sendKeyEvent(QTest::Press, box, Qt::Key_unknown, QString(character), Qt::NoModifier);
      QTest::sendKeyEvent(QTest::Release, box, Qt::Key_unknown, QString(character), Qt::NoModifier);
    }
  }
}

void GuiTest::fill(QWidget& window, const std::vector<std::pair<const char*, QString>>& values) {
  for (const auto& [name, text] : values) {
    // Typing over the selected text replaces it in one change.
    field(window, name)->selectAll();
    type(window, name, text);
  }
}

void GuiTest::click(QWidget& window, const char* name) {
  QTest::mouseClick(button(window, name), Qt::LeftButton);
}

void GuiTest::erase(QWidget& window, const char* name) {
  QLineEdit* box = field(window, name);
  box->setFocus();
  box->end(false);
  for (qsizetype n = box->text().size(); n > 0; --n) QTest::keyClick(box, Qt::Key_Backspace);
}

void GuiTest::paste(QWidget& window, const char* name, const QString& text) {
  QApplication::clipboard()->setText(text);
  QLineEdit* box = field(window, name);
  box->setFocus();
  QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
}

}  // namespace fondara::testing_gui
