#include "gui_fixture.h"

#include "window/appearance.h"
#include "window/toolkit.h"

namespace fondara::testing_gui {

void GuiTest::SetUp() {
  save_path = folder.filePath(QStringLiteral("relazione.txt"));
  auto& services = window::toolkit();
  services.beep = [this] { ++beeps; };
  services.message_box = [this](QWidget*, const QString& prompt, const QString& detail) {
    messages << prompt, details << detail;
  };
  services.confirm = [this](QWidget*, const QString& question) {
    questions << question;
    return go_on;
  };
  services.end_program = [this] { ++ends; };
  services.save_choice = [this](QWidget*) {
    const bool data = save_path.endsWith(QStringLiteral(".fondara"));
    const bool odt = save_path.endsWith(QStringLiteral(".odt"));
    return window::SaveChoice(save_path, data  ? window::FileType::data
                                         : odt ? window::FileType::odt
                                               : window::FileType::text);
  };
  program = std::make_unique<app::Program>();
}

void GuiTest::TearDown() {
  program.reset();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  window::toolkit() = window::desktop_toolkit();
}

QWidget* GuiTest::top_level(const char* name) {
  for (QWidget* widget : QApplication::topLevelWidgets())
    if (widget->objectName() == QLatin1StringView(name)) return widget;
  return nullptr;
}

QWidget& GuiTest::start() {
  program->start();
  QWidget* start_window = top_level("form_principale");
  EXPECT_TRUE(start_window && QTest::qWaitForWindowActive(start_window));
  return *start_window;
}

QWidget& GuiTest::open(const char* start_button, const char* window_name) {
  click(start(), start_button);
  QWidget* opened = top_level(window_name);
  EXPECT_TRUE(opened && QTest::qWaitForWindowActive(opened)) << window_name;
  return *opened;
}

void GuiTest::fill(QWidget& window, const QString& assignments) {
  for (const QString& assignment : assignments.split(u' ')) {
    QLineEdit* box = find<QLineEdit>(window, qPrintable(assignment.section(u'=', 0, 0)));
    if (box == nullptr) return;
    box->setFocus();
    box->selectAll();  // typing over the selection replaces it in one change
    QTest::keyClicks(box, assignment.section(u'=', 1));
  }
}

}  // namespace fondara::testing_gui

int main(int argc, char** argv) {
  // Test discovery runs this executable outside CTest's environment too.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  testing::InitGoogleTest(&argc, argv);
  QApplication app(argc, argv);
  fondara::window::setup_desktop(app);
  return RUN_ALL_TESTS();
}
