#include "gui_fixture.h"

#include "app/fondara_windows.h"
#include "window/toolkit.h"
#include "window/window_registry.h"

namespace fondara::testing_gui {

void GuiTest::SetUp() {
  save_path = folder.filePath(QStringLiteral("relazione.txt"));
  auto& services = gui::toolkit();
  services.beep = [this] { ++beeps; };
  services.message_box = [this](QWidget*, const QString& prompt) { messages << prompt; };
  services.end_program = [this] { ++ends; };
  services.save_choice = [this](QWidget*) { return save_path; };
  app::define_windows(gui::windows());
}

void GuiTest::TearDown() {
  gui::windows().discard_all();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  gui::toolkit() = gui::desktop_toolkit();
}

QWidget& GuiTest::open(const char* start_button, const char* window_name) {
  auto& windows = gui::windows();
  windows.set_visible(QStringLiteral("form_principale"), true);
  QWidget& start = windows.window(QStringLiteral("form_principale"));
  EXPECT_TRUE(QTest::qWaitForWindowActive(&start));
  click(start, start_button);
  QWidget& opened = windows.window(QString::fromLatin1(window_name));
  EXPECT_TRUE(QTest::qWaitForWindowActive(&opened));
  return opened;
}

void GuiTest::fill(QWidget& window, const QString& assignments) {
  for (const QString& assignment : assignments.split(u' ')) {
    const QString name = assignment.section(u'=', 0, 0);
    const QString text = assignment.section(u'=', 1);
    QLineEdit* box = window.findChild<QLineEdit*>(name);
    ASSERT_NE(box, nullptr) << name.toStdString();
    box->setFocus();
    // Typing over the selected text replaces it in one change.
    box->selectAll();
    QTest::keyClicks(box, text);
  }
}

void GuiTest::click(QWidget& window, const char* name) {
  QTest::mouseClick(find<QAbstractButton>(window, name), Qt::LeftButton);
}

}  // namespace fondara::testing_gui
