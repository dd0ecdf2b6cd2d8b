// The designed windows under a dark desktop scheme: every control's text stays readable
// on the background it is painted on (results too, after a calculation), disabled texts
// still look disabled, and Qt's own dialogs take the desktop's colours.
#include <QTimer>
#include <algorithm>
#include <cmath>
#include <functional>

#include "gui_fixture.h"
#include "row_name.h"
#include "window/save_dialog.h"
#include "window/toolkit.h"

namespace fondara::testing_gui {
namespace {

const QColor dark_grey(53, 53, 53);
const QColor near_white(240, 240, 240);

// A dark scheme as a desktop gives it: dark window, boxes and buttons, light texts, grey
// where disabled.
QPalette dark_desktop() {
  QPalette dark(dark_grey);
  for (const auto role : {QPalette::Window, QPalette::Base, QPalette::Button})
    dark.setColor(role, dark_grey);
  for (const auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}) {
    dark.setColor(role, near_white);
    dark.setColor(QPalette::Disabled, role, QColor(127, 127, 127));
  }
  return dark;
}

// Relative luminance and contrast ratio as the web's accessibility guidelines define them.
double luminance(const QColor& colour) {
  const auto linear = [](double v) {
    return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
  };
  return 0.2126 * linear(colour.redF()) + 0.7152 * linear(colour.greenF()) +
         0.0722 * linear(colour.blueF());
}

double contrast(const QColor& a, const QColor& b) {
  const double first = luminance(a);
  const double second = luminance(b);
  return (std::max(first, second) + 0.05) / (std::min(first, second) + 0.05);
}

// The designs' red captions on white measure 4.0; an unreadable text measures near 1.
constexpr double readable = 3.0;

// The colour behind a control's text as it is painted: its own fill (boxes, buttons, a
// control given a background) or, through controls that do not fill, the window's.
QColor painted_background(const QWidget& control, QPalette::ColorGroup group) {
  const QWidget* filler = &control;
  while (!filler->isWindow() && !filler->autoFillBackground() &&
         qobject_cast<const QLineEdit*>(filler) == nullptr &&
         qobject_cast<const QPushButton*>(filler) == nullptr)
    filler = filler->parentWidget();
  return filler->palette().color(group, filler->backgroundRole());
}

void expect_readable(const QWidget& window) {
  const auto controls = window.findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
  ASSERT_FALSE(controls.isEmpty());
  for (const QWidget* control : controls) {
    const QColor text = control->palette().color(QPalette::Active, control->foregroundRole());
    const QColor behind = painted_background(*control, QPalette::Active);
    const double ratio = contrast(text, behind);
    EXPECT_GE(ratio, readable) << qPrintable(window.objectName() + u' ' + control->objectName() +
                                             u' ' + text.name() + u' ' + behind.name());
    if (control->isEnabled()) continue;
    const QColor disabled = control->palette().color(QPalette::Disabled, control->foregroundRole());
    EXPECT_LT(contrast(disabled, painted_background(*control, QPalette::Disabled)), ratio)
        << qPrintable(control->objectName()) << " does not look disabled";
  }
}

// Runs `check` on the modal window that `show` opens, then closes it.
void on_modal(const std::function<void()>& show, const std::function<void(QWidget&)>& check) {
  bool seen = false;
  QTimer::singleShot(0, [&] {
    QWidget* modal = QApplication::activeModalWidget();
    ASSERT_NE(modal, nullptr);
    seen = true;
    check(*modal);
    modal->close();
  });
  show();
  EXPECT_TRUE(seen);
}

class DarkScheme;

struct WindowRow {
  const char* name;
  void (DarkScheme::*check)();
};

class DarkScheme : public GuiTest, public ::testing::WithParamInterface<WindowRow> {
 public:
  void start_window() { expect_readable(start()); }
  void coesivi() {
    calculation_window("pulsante_coesivi", "form_coesivi",
                       "lunghezza=10 larghezza=2 altezza=1 peso_terreno_rinterro=1800 "
                       "coesione_non_drenata=0,5");
  }
  void sciolti() {
    calculation_window("pulsante_sciolti", "form_sciolti",
                       "lunghezza=10 larghezza=2 altezza=1 angolo=30 coesione_drenata=0 "
                       "peso_terreno_fondazione=1900 peso_terreno_rinterro=1800");
  }
  void help() {
    QWidget& sciolti = open("pulsante_sciolti", "form_sciolti");
    on_modal([&] { click(sciolti, "cmdHelpGT"); }, expect_readable);
  }

 protected:
  void SetUp() override {
    QApplication::setPalette(dark_desktop());
    GuiTest::SetUp();
  }
  void TearDown() override {
    GuiTest::TearDown();
    QApplication::setPalette(desktop);
  }

  // Checked as opened (Calculate, Print and Save disabled), then after a calculation.
  void calculation_window(const char* start_button, const char* name, const char* example) {
    QWidget& window = open(start_button, name);
    expect_readable(window);
    fill(window, QString::fromLatin1(example));
    click(window, "calcola");
    EXPECT_FALSE(field(window, "Q_ammissibile")->text().isEmpty());
    expect_readable(window);
  }

  const QPalette desktop = QApplication::palette();
};

const WindowRow windows[] = {
    {"start", &DarkScheme::start_window},
    {"coesivi", &DarkScheme::coesivi},
    {"sciolti", &DarkScheme::sciolti},
    {"help", &DarkScheme::help},
};

TEST_P(DarkScheme, TextsReadableOnTheirBackgrounds) {
  (this->*GetParam().check)();
}

INSTANTIATE_TEST_SUITE_P(Windows, DarkScheme, ::testing::ValuesIn(windows),
                         testing_support::RowName{});

TEST_F(DarkScheme, QtsOwnDialogsFollowTheDesktop) {
  QWidget& window = open("pulsante_coesivi", "form_coesivi");
  const auto dark_window = [](QWidget& dialog) {
    EXPECT_EQ(dialog.palette().color(QPalette::Window), dark_grey)
        << qPrintable(dialog.windowTitle());
  };
  on_modal([&] { window::show_message_box(&window, QStringLiteral("Problema")); }, dark_window);
  on_modal([&] { window::ask_save_choice(&window); }, dark_window);
}

}  // namespace
}  // namespace fondara::testing_gui
