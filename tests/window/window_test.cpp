// The calculation windows under the user's keys and a dark scheme; Save through the real dialog.
#include <sys/mount.h>

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QTimer>
#include <cmath>
#include <deque>

#include "gui_fixture.h"
#include "pdf_lines.h"
#include "row_name.h"
#include "test_data.h"
#include "undrained/kind.h"
#include "window/save_dialog.h"
#include "window/save_print.h"
#include "window/toolkit.h"

namespace fondara::testing_gui {
namespace {

// The first worked examples' fields.
const QString coesivi = QStringLiteral(
    "lunghezza=10 larghezza=2 altezza=1 peso_terreno_rinterro=1800 coesione_non_drenata=0,5");
const QString sciolti = QStringLiteral(
    "lunghezza=10 larghezza=2 altezza=1 angolo=30 coesione_drenata=0 "
    "peso_terreno_fondazione=1900 peso_terreno_rinterro=1800");

// Keys as X11 delivers them: All (Ctrl+A), Del (text "\x7f"), paste:TEXT; any other is typed.
void edit(QLineEdit* box, const QString& script) {
  for (const QString& key : script.split(u' ', Qt::SkipEmptyParts)) {
    if (key.startsWith(u"paste:"))
      box->insert(key.mid(6));
    else if (key == u"All")
      QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
    else if (key == u"Del")
      QTest::sendKeyEvent(QTest::Click, box, Qt::Key_Delete, QStringLiteral("\x7f"), {});
    else
      QTest::sendKeyEvent(QTest::Click, box, Qt::Key_unknown, key, {});
  }
}

// A number field takes 100 characters: of these 102 keys it refuses the last two.
const std::string long_number = "0," + std::string(99, '0') + "1";
const std::string full = long_number.substr(0, 100);

struct KeysRow {
  const char *name, *typed, *then, *shown;  // typed key by key, then keys as edit() reads them
  int beeps;
};

// clang-format off
const KeysRow keys_rows[] = {
    {"full_stop_becomes_comma", "2.5", "", "2,5", 0},
    {"character_whose_low_byte_is_a_digit_dropped", "12", "‰", "12", 0},
    {"delete_of_the_whole_selection_beeps_once", "1234", "All Del", "", 1},
    {"keys_beyond_the_longest_text_refused_with_a_beep_each", long_number.c_str(), "", full.c_str(), 2},
    {"key_over_the_selection_of_a_full_field_taken", full.c_str(), "All 5", "5", 0},
    {"pasted_letters_refused_with_two_beeps", "", "paste:abc", "", 2},
};
// clang-format on

class Keys : public GuiTest, public ::testing::WithParamInterface<KeysRow> {};

// Every window's number fields are one control: checked in one window.
TEST_P(Keys, FieldShowsWhatTheFilterAndTheCheckLeave) {
  QLineEdit* box = field(open("pulsante_coesivi", "form_coesivi"), "larghezza");
  box->setFocus();
  QTest::keyClicks(box, QString::fromUtf8(GetParam().typed));
  edit(box, QString::fromUtf8(GetParam().then));
  EXPECT_EQ(box->text(), QString::fromUtf8(GetParam().shown));
  EXPECT_EQ(beeps, GetParam().beeps);
  EXPECT_EQ(focus(), box);
}

INSTANTIATE_TEST_SUITE_P(Typed, Keys, ::testing::ValuesIn(keys_rows), testing_support::RowName{});

using Windows = GuiTest;

// Calculate waits for each number field; the keystroke that fills the last one enables it.
// L < B is refused; the last results stay and are what Save reports, without the later edits.
TEST_F(Windows, CalculateWaitsForEveryNumberFieldAndLengthBelowWidthIsRefused) {
  QWidget& window = open("pulsante_coesivi", "form_coesivi");
  QWidget* calcola = find(window, "calcola");
  const auto box = [&](const Field& f) { return field(window, f.text.control.data()); };
  for (const Field& last : undrained::undrained_kind().fields) {
    if (last.type != FieldType::number) continue;
    for (const Field& other : undrained::undrained_kind().fields)
      if (other.type == FieldType::number) box(other)->setText(QStringLiteral("1"));
    box(last)->clear();
    EXPECT_FALSE(calcola->isEnabled()) << last.text.name;
    box(last)->setFocus();
    QTest::keyClick(box(last), Qt::Key_3);
    EXPECT_TRUE(calcola->isEnabled()) << last.text.name;
  }
  fill(window, coesivi + QStringLiteral(" coefficiente_sicurezza=2,3"));
  click(window, "calcola");
  beeps = 0;
  fill(window, QStringLiteral("lunghezza=1 altezza=3"));
  click(window, "calcola");
  EXPECT_EQ(messages, QStringList{"La lunghezza deve essere superiore alla larghezza"});
  EXPECT_EQ(field(window, "lunghezza")->text() + field(window, "larghezza")->text(), "");
  EXPECT_EQ(beeps, 2);  // one for each emptied field
  EXPECT_EQ(focus(), field(window, "larghezza"));
  EXPECT_FALSE(calcola->isEnabled());
  EXPECT_EQ(field(window, "Q_limite")->text() + ' ' + field(window, "Q_ammissibile")->text(),
            "2,88 1,25");
  click(window, "salva");
  EXPECT_EQ(test::read_file(save_path.toStdString()), test::read_data("non_drenato_yr23.txt"));
}

// Controls speak their table's names; a too wide result shows its leading digits, all of it in
// tooltip and to a screen reader. An emptied description beeps; Save reports the last water table.
TEST_F(Windows, ResultBoxesNamesAndSaveOfTheLastCalculation) {
  QWidget& window = open("pulsante_sciolti", "form_sciolti");
  EXPECT_EQ(field(window, "angolo")->accessibleName(),
            "Angolo di attrito del terreno di fondazione φ' (gradi)");
  EXPECT_EQ(field(window, "NY")->accessibleName(), "Fattore di portanza NY");
  fill(window, QStringLiteral("txtDescrizione=m"));
  QTest::keyClick(field(window, "txtDescrizione"), Qt::Key_Backspace);
  EXPECT_EQ(beeps, 1);
  fill(window, sciolti + QStringLiteral(" angolo=87,4"));
  click(window, "calcola");
  for (const char* name : {"NY", "Nq", "Nc", "Q_limite", "Q_ammissibile"}) {
    QLineEdit* box = field(window, name);
    EXPECT_TRUE(box->text().contains(u'E')) << name << ": " << box->text().toStdString();
    EXPECT_EQ(box->cursorPosition(), 0) << name;
    EXPECT_EQ(box->toolTip() + '|' + box->accessibleDescription(), box->text() + '|' + box->text());
  }
  fill(window, sciolti);
  click(window, "Option1");
  click(window, "calcola");
  click(window, "Option2");
  click(window, "salva");
  EXPECT_EQ(test::read_file(save_path.toStdString()), test::read_data("drenato_si.txt"));
  EXPECT_TRUE(messages.isEmpty()) << messages.join(u'\n').toStdString();
}

const QColor dark_grey(53, 53, 53);

// The web accessibility guidelines' contrast ratio, from relative luminances.
double contrast(const QColor& a, const QColor& b) {
  const auto luminance = [](const QColor& c) {
    double sum = 0;
    for (const auto& [v, w] : {std::pair(c.redF(), .2126), {c.greenF(), .7152}, {c.blueF(), .0722}})
      sum += w * (v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4));
    return sum;
  };
  const auto [dark, light] = std::minmax({luminance(a), luminance(b)});
  return (light + 0.05) / (dark + 0.05);
}

// Each control's text measures at least 3 on the fill behind it (red on white: 4); disabled less.
void expect_readable(const QWidget& window) {
  const auto controls = window.findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
  ASSERT_FALSE(controls.isEmpty());
  for (const QWidget* control : controls) {
    const QWidget* filler = control;
    while (!filler->isWindow() && !filler->autoFillBackground() &&
           !qobject_cast<const QLineEdit*>(filler) && !qobject_cast<const QPushButton*>(filler))
      filler = filler->parentWidget();
    const auto ratio = [&](QPalette::ColorGroup group) {
      return contrast(control->palette().color(group, control->foregroundRole()),
                      filler->palette().color(group, filler->backgroundRole()));
    };
    EXPECT_GE(ratio(QPalette::Active), 3.0) << qPrintable(control->objectName());
    if (control->isEnabled()) continue;
    EXPECT_LT(ratio(QPalette::Disabled), ratio(QPalette::Active)) << "looks enabled";
  }
}

// Runs `check` on the modal window that `show` opens, then closes it.
void on_modal(const std::function<void()>& show, const std::function<void(QWidget&)>& check) {
  QWidget* modal = nullptr;
  QTimer::singleShot(0, [&] {
    if ((modal = QApplication::activeModalWidget())) check(*modal), modal->close();
  });
  show();
  EXPECT_NE(modal, nullptr);
}

// A dark scheme as Qt derives it from one colour: light texts, darker where disabled.
class DarkScheme : public GuiTest {
 protected:
  void SetUp() override { QApplication::setPalette(QPalette(dark_grey)), GuiTest::SetUp(); }
  void TearDown() override { GuiTest::TearDown(), QApplication::setPalette(desktop); }
  const QPalette desktop = QApplication::palette();
};

// Windows as opened and calculated, the designs' colours kept (the red result caption); Qt's
// dialogs take the desktop's colours (message box: ours).
TEST_F(DarkScheme, TextsReadableOnTheirBackgroundsAndQtsDialogsFollowTheDesktop) {
  QWidget& start_window = start();
  expect_readable(start_window);
  click(start_window, "pulsante_sciolti");
  QWidget& window = *top_level("form_sciolti");
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  expect_readable(window);
  EXPECT_EQ(find(window, "t22")->palette().color(QPalette::WindowText), QColor(255, 0, 0));
  on_modal([&] { click(window, "cmdHelpGT"); }, expect_readable);
  fill(window, sciolti);
  click(window, "calcola");
  EXPECT_FALSE(field(window, "Q_ammissibile")->text().isEmpty());
  expect_readable(window);
  on_modal([&] { window::show_message_box(&window, QStringLiteral("Problema"), "causa"); },
           [](QWidget& dialog) {
             auto& box = dynamic_cast<QMessageBox&>(dialog);
             EXPECT_EQ(box.palette().color(QPalette::Window), dark_grey);
             EXPECT_EQ(box.windowTitle() + ' ' + box.text() + ' ' + box.detailedText(),
                       "Fondara Problema causa");
             // OK and the button that shows the details
             EXPECT_TRUE(box.icon() == QMessageBox::NoIcon && box.buttons().size() == 2);
           });
  on_modal([&] { window::ask_save_choice(&window); },
           [](QWidget& dialog) { EXPECT_EQ(dialog.palette().color(QPalette::Window), dark_grey); });
}

using namespace window;
using Step = std::function<bool(QWidget* modal)>;

// A step on the modal widget if it is a W; its click runs later, as it may open another modal.
template <typename W>
Step on(std::function<QAbstractButton*(W*)> act) {
  return [act](QWidget* modal) {
    auto* widget = qobject_cast<W*>(modal);
    if (QAbstractButton* button = widget ? act(widget) : nullptr)
      QTimer::singleShot(0, button, [button] { QTest::mouseClick(button, Qt::LeftButton); });
    return widget != nullptr;
  };
}

// Picks the type (0: text, 1: PDF/A, 2: data) and types the name with the keyboard, clicks Save.
Step type_and_save(const QString& name, int type = 0) {
  return on<QFileDialog>([=](QFileDialog* dialog) {
    for (int down = 0; down < type; ++down)
      QTest::keyClick(dialog->findChild<QComboBox*>(QStringLiteral("fileTypeCombo")), Qt::Key_Down);
    auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    QApplication::setActiveWindow(dialog);
    edit->setFocus();
    edit->clear();
    QTest::keyClicks(edit, name);
    return dialog->findChild<QDialogButtonBox*>(QStringLiteral("buttonBox"))
        ->button(QDialogButtonBox::Save);
  });
}

// Answers a message box shown over the dialog, recording its text.
Step answer(QMessageBox::StandardButton button, QString* text) {
  return on<QMessageBox>(
      [=](QMessageBox* box) { return *text = box->text(), box->button(button); });
}

ReportOutcome worked_example(Version version) {
  // clang-format off
  const FieldTexts texts = {{"lunghezza", "10"}, {"larghezza", "2"}, {"altezza", "1"},
                            {"peso_terreno_rinterro", "1800"}, {"coesione_non_drenata", "0,5"}};
  // clang-format on
  return undrained::undrained_kind().compute(texts, Source::terminal)->report(version, "");
}

QString failure(const QString& path, const char* cause) {
  return QStringLiteral("Impossibile scrivere il file \"%1\": %2.").arg(path, cause);
}

class SaveDialog : public ::testing::Test {
 protected:
  void SetUp() override {
    qputenv("HOME", home.path().toUtf8());
    qunsetenv("XDG_CONFIG_HOME");
    ASSERT_TRUE(QDir(home.path()).mkdir(QStringLiteral("Documents")));
  }
  void TearDown() override { qputenv("HOME", saved_home); }
  QString in_documents(const char* name) const { return documents + u'/' + QLatin1String(name); }

  // The messages of Save with `ask`, the dialog worked by `steps` (closed after 5 s: no hang).
  QStringList save(std::deque<Step> steps, const SaveChoiceProvider& ask = ask_save_choice) {
    QTimer timer;
    int ticks = 0;
    QObject::connect(&timer, &QTimer::timeout, &timer, [&] {
      QWidget* modal = QApplication::activeModalWidget();
      if (!steps.empty() && modal && steps.front()(modal)) steps.pop_front();
      if (modal && ++ticks > 500) modal->close();
    });
    timer.start(10);
    QStringList messages;
    save_report(nullptr, worked_example, QStringLiteral("Relazione di calcolo - terreni coesivi"),
                "FONDARA-DATI 1\ntipo=coesivi\n", ask,
                [&](QWidget*, const QString& text, const QString&) { messages << text; });
    EXPECT_TRUE(steps.empty()) << "a dialog step did not happen";
    return messages;
  }

  QTemporaryDir home;
  QString documents = home.filePath(QStringLiteral("Documents"));
  QByteArray saved_home = qgetenv("HOME");
};

// The message of a failed write through the file writer, empty when it succeeded.
QString write_failure(const QString& path, std::string_view bytes) {
  const auto written = window::write_report_file(path, bytes);
  return written ? QString() : written.error();
}

// The dialog stays open over its messages: a missing folder refused, replacing declined, a
// folder's name opens it; a name without extension takes the chosen type's.
TEST_F(SaveDialog, ShowsItsSettingsRefusesAMissingFolderAsksBeforeReplacing) {
  ASSERT_EQ(write_failure(in_documents("relazione.txt"), "vecchia"), "");
  ASSERT_TRUE(QDir(documents).mkdir(QStringLiteral("archivio")));
  QStringList seen;
  QString warning, question;
  const auto look = [&](QFileDialog* d) -> QAbstractButton* {
    seen << d->windowTitle() << d->nameFilters() << d->directory().absolutePath();
    return nullptr;
  };
  EXPECT_TRUE(save({on<QFileDialog>(look), type_and_save(QStringLiteral("manca/relazione.txt")),
                    answer(QMessageBox::Ok, &warning), type_and_save(QStringLiteral("relazione")),
                    answer(QMessageBox::No, &question), type_and_save(QStringLiteral("archivio")),
                    type_and_save(QStringLiteral("calcolo"), 2)})
                  .isEmpty());
  EXPECT_EQ(seen,
            QStringList({"VELDORA - salva file", "file di testo (*.txt)", "relazione PDF/A (*.pdf)",
                         "dati del calcolo (*.fondara)", "documento ODT (*.odt)", documents}));
  EXPECT_EQ(warning, "La cartella \"" + in_documents("manca") +
                         "\" non esiste.\nVerificare il percorso indicato.");
  EXPECT_TRUE(question.contains(QStringLiteral("relazione.txt"))) << question.toStdString();
  EXPECT_EQ(test::read_file(in_documents("relazione.txt").toStdString()), "vecchia");
  EXPECT_EQ(test::read_file(in_documents("archivio/calcolo.fondara").toStdString()),
            "FONDARA-DATI 1\ntipo=coesivi\n");
  ASSERT_TRUE(QDir(documents).removeRecursively());
  EXPECT_EQ(initial_save_folder(), home.path());  // without Documents the dialog starts at home
}

// A known extension, in any case, decides the type. The PDF/A: the printed report, titled.
TEST_F(SaveDialog, ExtensionDecidesTheType) {
  EXPECT_TRUE(save({type_and_save(QStringLiteral("relazione.PDF"), 0)}).isEmpty());
  EXPECT_EQ(QDir(documents).entryList(QDir::Files), QStringList{"relazione.PDF"});
  const QString path = in_documents("relazione.PDF");
  EXPECT_TRUE(
      test::tool_output(QStringLiteral("pdfinfo"), {path})
          .contains(QStringLiteral("Title:           Relazione di calcolo - terreni coesivi\n")));
  const QString printed = QString::fromStdString(test::read_data("non_drenato_yr23.stampa.txt"));
  EXPECT_EQ(test::read_pdf(path).texts, test::printed_texts(printed.split(u'\n')));
}

// A cancelled dialog writes nothing; a failed write says why in the terminal's wording. On a
// 64 KiB tmpfs too small for the new file, then read-only: the old file intact, nothing beside.
TEST_F(SaveDialog, WritesOnlyWhenANameWasChosenAndAFailureKeepsTheOldFile) {
  QString chosen;
  const auto ask = [&](QWidget*) { return SaveChoice(chosen); };
  EXPECT_TRUE(save({}, ask).isEmpty());
  EXPECT_TRUE(QDir(documents).isEmpty());
  chosen = in_documents("manca/relazione.txt");
  EXPECT_EQ(save({}, ask), QStringList{failure(chosen, "la cartella non esiste")});
  const QByteArray disk = QFile::encodeName(documents);
  const QString target = in_documents("relazione.txt");
  if (::mount("tmpfs", disk, "tmpfs", 0, "size=64k") != 0) GTEST_SKIP() << "needs root";
  EXPECT_EQ(write_failure(target, "precedente"), "");
  EXPECT_EQ(write_failure(target, std::string(200 * 1024, 'x')),
            failure(target, "spazio esaurito"));
  EXPECT_EQ(::mount(nullptr, disk, nullptr, MS_REMOUNT | MS_RDONLY, nullptr), 0);
  EXPECT_EQ(write_failure(target, "nuova"), failure(target, "il disco è in sola lettura"));
  EXPECT_EQ(test::read_file(target.toStdString()), "precedente");
  EXPECT_EQ(QDir(documents).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
            QStringList{QStringLiteral("relazione.txt")});
  ::umount2(disk, MNT_DETACH);
}

}  // namespace
}  // namespace fondara::testing_gui
