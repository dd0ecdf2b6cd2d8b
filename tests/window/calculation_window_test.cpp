// The calculation windows: what typed keys leave in a number field and the beeps, Calculate
// enabled exactly when no field is empty, L < B refused, the result boxes, Save of the last
// calculation, the screen-reader names; the windows under a dark desktop scheme.
#include <QMessageBox>
#include <QTimer>
#include <cmath>

#include "drained/kind.h"
#include "gui_fixture.h"
#include "row_name.h"
#include "test_data.h"
#include "undrained/kind.h"
#include "window/save_dialog.h"
#include "window/toolkit.h"

namespace fondara::testing_gui {
namespace {

struct Window {
  const char* start_button;
  const char* name;
  const Kind& kind;
  const char* example;  // the first worked example's fields
};
const Window coesivi{"pulsante_coesivi", "form_coesivi", undrained::undrained_kind(),
                     "lunghezza=10 larghezza=2 altezza=1 peso_terreno_rinterro=1800 "
                     "coesione_non_drenata=0,5"};
const Window sciolti{"pulsante_sciolti", "form_sciolti", drained::drained_kind(),
                     "lunghezza=10 larghezza=2 altezza=1 angolo=30 coesione_drenata=0 "
                     "peso_terreno_fondazione=1900 peso_terreno_rinterro=1800"};

// Presses the keys of `script` as the desktop delivers them: Home, All (Ctrl+A), Del and KpDel
// (on X11 Delete carries the text "\x7f"), any other word as one key giving that text;
// "paste:TEXT" pastes TEXT.
void edit(QLineEdit* box, const QString& script) {
  for (const QString& key : script.split(u' ', Qt::SkipEmptyParts)) {
    const bool del = key.endsWith(u"Del"), all = key == u"All";
    if (key.startsWith(u"paste:"))
      box->insert(key.mid(6));
    else if (all || key == u"Home")
      QTest::keyClick(box, all ? Qt::Key_A : Qt::Key_Home,
                      all ? Qt::ControlModifier : Qt::NoModifier);
    else
      QTest::sendKeyEvent(QTest::Click, box, del ? Qt::Key_Delete : Qt::Key_unknown,
                          del ? QStringLiteral("\x7f") : key,
                          key == u"KpDel" ? Qt::KeypadModifier : Qt::NoModifier);
  }
}

// A number field takes 100 characters: of these 102 keys it refuses the last two.
const std::string long_number = "0," + std::string(99, '0') + "1";
const std::string full = long_number.substr(0, 100);

struct KeysRow {
  const char* name;
  const char* typed;  // typed first, key by key
  const char* then;   // further keys, as edit() reads them
  const char* shown;
  int beeps;
};

// clang-format off
const KeysRow keys_rows[] = {
    {"full_stop_becomes_comma", "2.5", "", "2,5", 0},
    {"character_whose_low_byte_is_a_digit_dropped", "12", "‰", "12", 0},
    {"delete_removes_the_character_after_the_cursor", "1234", "Home Del", "234", 0},
    {"keypad_delete_removes_the_character_after_the_cursor", "1234", "Home KpDel", "234", 0},
    {"delete_of_the_whole_selection_beeps_once", "1234", "All Del", "", 1},
    {"keys_beyond_the_longest_text_refused_with_a_beep_each", long_number.c_str(), "", full.c_str(), 2},
    {"key_over_the_selection_of_a_full_field_taken", full.c_str(), "All 5", "5", 0},
    {"pasted_letters_refused_with_two_beeps", "", "paste:abc", "", 2},
};
// clang-format on

class Keys : public GuiTest, public ::testing::WithParamInterface<std::tuple<Window, KeysRow>> {};

TEST_P(Keys, FieldShowsWhatTheFilterAndTheCheckLeave) {
  const auto& [window_row, row] = GetParam();
  QWidget& window = open(window_row.start_button, window_row.name);
  QLineEdit* box = field(window, "larghezza");
  box->setFocus();
  QTest::keyClicks(box, QString::fromUtf8(row.typed));
  edit(box, QString::fromUtf8(row.then));
  EXPECT_EQ(box->text(), QString::fromUtf8(row.shown));
  EXPECT_EQ(beeps, row.beeps);
  EXPECT_EQ(focus(), box);
}

INSTANTIATE_TEST_SUITE_P(Typed, Keys,
                         ::testing::Combine(::testing::Values(coesivi, sciolti),
                                            ::testing::ValuesIn(keys_rows)),
                         [](const auto& row) {
                           return std::get<0>(row.param).name + std::string("_") +
                                  std::get<1>(row.param).name;
                         });

class EveryField : public GuiTest, public ::testing::WithParamInterface<Window> {};

// With every other number field filled, Calculate waits for each one, and the keystroke that
// fills it enables Calculate.
TEST_P(EveryField, KeepsCalculateDisabledUntilItIsFilled) {
  QWidget& window = open(GetParam().start_button, GetParam().name);
  QWidget* calcola = find(window, "calcola");
  const auto box = [&](const Field& f) {
    return field(window, std::string(f.text.control).c_str());
  };
  for (const Field& last : GetParam().kind.fields) {
    if (last.type != FieldType::number) continue;
    for (const Field& other : GetParam().kind.fields)
      if (other.type == FieldType::number) box(other)->setText(QStringLiteral("1"));
    box(last)->clear();
    EXPECT_FALSE(calcola->isEnabled()) << last.text.name;
    box(last)->setFocus();
    QTest::keyClick(box(last), Qt::Key_3);
    EXPECT_TRUE(calcola->isEnabled()) << last.text.name;
  }
}

INSTANTIATE_TEST_SUITE_P(Windows, EveryField, ::testing::Values(coesivi, sciolti),
                         testing_support::RowName{});

using Windows = GuiTest;

// L < B is refused; the last results stay and are what Save reports, without the later edits.
TEST_F(Windows, LengthBelowWidthIsRefusedAndSaveReportsTheLastCalculation) {
  QWidget& window = open(coesivi.start_button, coesivi.name);
  fill(window, QString::fromLatin1(coesivi.example));
  click(window, "calcola");
  fill(window, QStringLiteral("lunghezza=1 altezza=3"));
  click(window, "calcola");
  EXPECT_EQ(messages, QStringList{"La lunghezza deve essere superiore alla larghezza"});
  EXPECT_EQ(field(window, "lunghezza")->text() + field(window, "larghezza")->text(), "");
  EXPECT_EQ(beeps, 2);  // one for each emptied field
  EXPECT_EQ(focus(), field(window, "larghezza"));
  EXPECT_FALSE(find(window, "calcola")->isEnabled());
  EXPECT_EQ(field(window, "Q_limite")->text() + ' ' + field(window, "Q_ammissibile")->text(),
            "2,88 1,25");
  click(window, "salva");
  EXPECT_EQ(test::read_file(save_path.toStdString()), test::read_data("non_drenato_yr23.txt"));
}

// An emptied description beeps and is not reported; the water table reported is the
// calculation's.
TEST_F(Windows, SaveFollowsTheWaterTableOfTheCalculationAndAnEmptiedDescription) {
  QWidget& window = open(sciolti.start_button, sciolti.name);
  fill(window, QStringLiteral("txtDescrizione=m"));
  QTest::keyClick(field(window, "txtDescrizione"), Qt::Key_Backspace);
  EXPECT_EQ(beeps, 1);
  fill(window, QString::fromLatin1(sciolti.example));
  click(window, "Option1");
  click(window, "calcola");
  click(window, "Option2");
  click(window, "salva");
  EXPECT_EQ(test::read_file(save_path.toStdString()), test::read_data("drenato_si.txt"));
  EXPECT_TRUE(messages.isEmpty()) << messages.join(u'\n').toStdString();
}

// Fields and result boxes speak the names their window's table gives them; a result wider
// than its box shows its leading digits, and all of it in its tooltip and to a screen reader.
TEST_F(Windows, ResultBoxesShowWideResultsAndControlsSpeakTheNamesOfTheTable) {
  QWidget& window = open(sciolti.start_button, sciolti.name);
  EXPECT_EQ(field(window, "angolo")->accessibleName(),
            "Angolo di attrito del terreno di fondazione φ' (gradi)");
  EXPECT_EQ(field(window, "NY")->accessibleName(), "Fattore di portanza NY");
  fill(window, sciolti.example + QStringLiteral(" angolo=87,4"));
  click(window, "calcola");
  ASSERT_TRUE(messages.isEmpty()) << messages.join(u'\n').toStdString();
  for (const char* name : {"NY", "Nq", "Nc", "Q_limite", "Q_ammissibile"}) {
    QLineEdit* box = field(window, name);
    EXPECT_TRUE(box->text().contains(u'E')) << name << ": " << box->text().toStdString();
    EXPECT_EQ(box->cursorPosition(), 0) << name;
    EXPECT_EQ(box->toolTip() + '|' + box->accessibleDescription(), box->text() + '|' + box->text());
  }
}

const QColor dark_grey(53, 53, 53);

// A dark scheme as a desktop gives it: dark window, boxes and buttons, light texts, grey
// where disabled.
QPalette dark_desktop() {
  QPalette dark(dark_grey);
  for (const auto role : {QPalette::Window, QPalette::Base, QPalette::Button})
    dark.setColor(role, dark_grey);
  for (const auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}) {
    dark.setColor(role, QColor(240, 240, 240));
    dark.setColor(QPalette::Disabled, role, QColor(127, 127, 127));
  }
  return dark;
}

// The contrast ratio of the web's accessibility guidelines, from relative luminances.
double contrast(const QColor& a, const QColor& b) {
  const auto luminance = [](const QColor& c) {
    const auto linear = [](double v) {
      return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(c.redF()) + 0.7152 * linear(c.greenF()) + 0.0722 * linear(c.blueF());
  };
  const double first = luminance(a), second = luminance(b);
  return (std::max(first, second) + 0.05) / (std::min(first, second) + 0.05);
}

// The colour behind a control's text as it is painted: its own fill (boxes, buttons, a
// control given a background) or, through controls that do not fill, the window's.
QColor painted_background(const QWidget& control, QPalette::ColorGroup group) {
  const QWidget* filler = &control;
  while (!filler->isWindow() && !filler->autoFillBackground() &&
         !qobject_cast<const QLineEdit*>(filler) && !qobject_cast<const QPushButton*>(filler))
    filler = filler->parentWidget();
  return filler->palette().color(group, filler->backgroundRole());
}

// Every control's text measures at least 3 on its background (the designs' red captions on
// white measure 4, an unreadable text near 1); a disabled one measures less than enabled.
void expect_readable(const QWidget& window) {
  const auto controls = window.findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
  ASSERT_FALSE(controls.isEmpty());
  for (const QWidget* control : controls) {
    const auto ratio = [&](QPalette::ColorGroup group) {
      return contrast(control->palette().color(group, control->foregroundRole()),
                      painted_background(*control, group));
    };
    EXPECT_GE(ratio(QPalette::Active), 3.0) << qPrintable(control->objectName());
    if (control->isEnabled()) continue;
    EXPECT_LT(ratio(QPalette::Disabled), ratio(QPalette::Active))
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

struct SchemeRow {
  const char* name;
  const Window* window;  // none: the start window
  bool help = false;     // the help window of `window`
};
const SchemeRow scheme_rows[] = {
    {"start", nullptr}, {"coesivi", &coesivi}, {"sciolti", &sciolti}, {"help", &sciolti, true}};

class DarkScheme : public GuiTest, public ::testing::WithParamInterface<SchemeRow> {
 protected:
  void SetUp() override {
    QApplication::setPalette(dark_desktop());
    GuiTest::SetUp();
  }
  void TearDown() override {
    GuiTest::TearDown();
    QApplication::setPalette(desktop);
  }
  const QPalette desktop = QApplication::palette();
};

// A calculation window checked as opened (Calculate, Print and Save disabled) and after a
// calculation.
TEST_P(DarkScheme, TextsReadableOnTheirBackgrounds) {
  const SchemeRow& row = GetParam();
  if (row.window == nullptr) return expect_readable(start());
  QWidget& window = open(row.window->start_button, row.window->name);
  if (row.help) return on_modal([&] { click(window, "cmdHelpGT"); }, expect_readable);
  expect_readable(window);
  fill(window, QString::fromLatin1(row.window->example));
  click(window, "calcola");
  EXPECT_FALSE(field(window, "Q_ammissibile")->text().isEmpty());
  expect_readable(window);
}

INSTANTIATE_TEST_SUITE_P(Windows, DarkScheme, ::testing::ValuesIn(scheme_rows),
                         testing_support::RowName{});

// Qt's own dialogs take the desktop's colours. The message box: title Fondara, the prompt,
// one OK button, no icon.
TEST_F(DarkScheme, QtsOwnDialogsFollowTheDesktop) {
  QWidget& window = open(coesivi.start_button, coesivi.name);
  on_modal([&] { window::show_message_box(&window, QStringLiteral("Problema")); },
           [](QWidget& dialog) {
             auto& box = dynamic_cast<QMessageBox&>(dialog);
             EXPECT_EQ(box.palette().color(QPalette::Window), dark_grey);
             EXPECT_EQ(box.windowTitle() + ' ' + box.text(), "Fondara Problema");
             EXPECT_EQ(box.icon(), QMessageBox::NoIcon);
             EXPECT_EQ(box.buttons().size(), 1);
           });
  on_modal([&] { window::ask_save_choice(&window); },
           [](QWidget& dialog) { EXPECT_EQ(dialog.palette().color(QPalette::Window), dark_grey); });
}

}  // namespace
}  // namespace fondara::testing_gui
