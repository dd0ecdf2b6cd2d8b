// The numeric fields of the calculation windows: what typed keys leave, the beeps of
// the change handling, Calculate enabled exactly when no field is empty.
#include <QKeyEvent>

#include "drained/kind.h"
#include "gui_fixture.h"
#include "undrained/kind.h"

namespace fondara::testing_gui {
namespace {

// Presses the keys named in `script` as the desktop delivers them (on X11 Delete carries
// the text "\x7f"); "paste:TEXT" inserts TEXT as a paste does.
void edit(QLineEdit* box, const QString& script) {
  const struct {
    const char* name;
    int key;
    Qt::KeyboardModifiers modifiers;
    const char* text;
  } keys[] = {{"Home", Qt::Key_Home, {}, ""},
              {"Right", Qt::Key_Right, {}, ""},
              {"All", Qt::Key_A, Qt::ControlModifier, "\x01"},
              {"Del", Qt::Key_Delete, {}, "\x7f"},
              {"KpDel", Qt::Key_Delete, Qt::KeypadModifier, "\x7f"},
              {"Bs", Qt::Key_Backspace, {}, "\b"},
              {"Five", Qt::Key_5, {}, "5"},
              {"Permille", Qt::Key_unknown, {}, "\u2030"}};
  for (const QString& token : script.split(u' ', Qt::SkipEmptyParts)) {
    if (token.startsWith(QStringLiteral("paste:"))) box->insert(token.mid(6));
    for (const auto& key : keys) {
      if (token != QLatin1StringView(key.name)) continue;
      QKeyEvent event(QEvent::KeyPress, key.key, key.modifiers, QString::fromUtf8(key.text));
      QApplication::sendEvent(box, &event);
    }
  }
}

// 102 keys: a number field takes 100 characters and refuses the keys beyond.
const std::string long_number = "0," + std::string(99, '0') + "1";
const std::string long_number_kept = long_number.substr(0, 100);
const std::string full_then_full_stop = long_number_kept + ".";

struct KeysRow {
  const char* name;
  const char* typed;  // typed first, key by key
  const char* then;   // further keys, as edit() reads them
  const char* shown;
  int beeps;
};

const KeysRow keys_rows[] = {
    {"full_stop_becomes_comma", "2.5", "", "2,5", 0},
    {"letters_signs_and_blanks_dropped", "1a-+e E2", "", "12", 0},
    {"character_whose_low_byte_is_a_digit_dropped", "12", "Home Right Permille", "12", 0},
    {"enter_and_escape_do_nothing", "4\r\x1b", "", "4", 0},
    {"lone_comma_refused_with_two_beeps", ",", "", "", 2},
    {"trailing_comma_stays", "5,", "", "5,", 0},
    {"second_comma_empties_the_field", "1,2,", "", "", 2},
    {"delete_removes_the_character_after_the_cursor", "1234", "Home Del", "234", 0},
    {"keypad_delete_removes_the_character_after_the_cursor", "1234", "Home Right KpDel", "134", 0},
    {"delete_of_the_whole_selection_beeps_once", "1234", "All Del", "", 1},
    {"backspace_of_the_last_character_beeps_once", "7", "Bs", "", 1},
    {"keys_beyond_the_longest_text_refused_with_a_beep_each", long_number.c_str(), "",
     long_number_kept.c_str(), 2},
    {"full_stop_beyond_the_longest_text_refused_with_a_beep", full_then_full_stop.c_str(), "",
     long_number_kept.c_str(), 1},
    {"key_over_the_selection_of_a_full_field_taken", long_number_kept.c_str(), "All Five", "5", 0},
    {"pasted_letters_refused_with_two_beeps", "", "paste:abc", "", 2},
    {"pasted_thousands_kept", "", "paste:1.000,5", "1.000,5", 0},
};

struct Window {
  const char* start_button;
  const char* name;
};
const Window windows[] = {{"pulsante_coesivi", "form_coesivi"},
                          {"pulsante_sciolti", "form_sciolti"}};

class Keys : public GuiTest, public ::testing::WithParamInterface<std::tuple<Window, KeysRow>> {};

TEST_P(Keys, FieldShowsWhatTheFilterAndTheCheckLeave) {
  const auto& [window_row, row] = GetParam();
  QWidget& window = open(window_row.start_button, window_row.name);
  QLineEdit* box = field(window, "larghezza");
  box->setFocus();
  QTest::keyClicks(box, QString::fromUtf8(row.typed));
  edit(box, QString::fromLatin1(row.then));
  EXPECT_EQ(box->text(), QString::fromUtf8(row.shown));
  EXPECT_EQ(beeps, row.beeps);
  EXPECT_EQ(focus(), box);
  EXPECT_FALSE(find<QPushButton>(window, "calcola")->isEnabled());
}

INSTANTIATE_TEST_SUITE_P(
    Typed, Keys, ::testing::Combine(::testing::ValuesIn(windows), ::testing::ValuesIn(keys_rows)),
    [](const auto& row) {
      return std::string(std::get<0>(row.param).name) + "_" + std::get<1>(row.param).name;
    });

// Every numeric field of a window's table counts: with all others filled, Calculate
// waits for it, and is enabled by the keystroke that fills it.
void expect_each_field_counts(QWidget& window, std::span<const Field> fields) {
  auto* calcola = window.findChild<QPushButton*>(QStringLiteral("calcola"));
  for (const auto& last : fields) {
    if (last.type != FieldType::number) continue;
    const auto name = QString::fromUtf8(last.text.control.data(), last.text.control.size());
    for (const auto& other : fields)
      if (other.type == FieldType::number && &other != &last)
        window
            .findChild<QLineEdit*>(
                QString::fromUtf8(other.text.control.data(), other.text.control.size()))
            ->setText(QStringLiteral("1"));
    auto* box = window.findChild<QLineEdit*>(name);
    box->clear();
    EXPECT_FALSE(calcola->isEnabled()) << name.toStdString();
    box->setFocus();
    QTest::keyClick(box, Qt::Key_3);
    EXPECT_TRUE(calcola->isEnabled()) << name.toStdString();
  }
}

using CalcolaReadiness = GuiTest;

TEST_F(CalcolaReadiness, WaitsForEveryNumericFieldOfTheUndrainedWindow) {
  expect_each_field_counts(open("pulsante_coesivi", "form_coesivi"),
                           undrained::undrained_kind().fields);
}

TEST_F(CalcolaReadiness, WaitsForEveryNumericFieldOfTheDrainedWindow) {
  expect_each_field_counts(open("pulsante_sciolti", "form_sciolti"),
                           drained::drained_kind().fields);
}

}  // namespace
}  // namespace fondara::testing_gui
