// The calculation windows: what typed keys leave in a number field and the beeps, Calculate
// enabled exactly when no field is empty, L < B refused, the result boxes, Save of the last
// calculation, the screen-reader names, the windows under a dark desktop scheme. Save through
// the real save dialog, worked as a user would; the file writer under Save on a small tmpfs.
#include <sys/mount.h>

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QTimer>
#include <cmath>
#include <deque>

#include "drained/kind.h"
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

// Presses the keys of `script` as the desktop delivers them: Home, All (Ctrl+A), Del (on X11
// Delete carries the text "\x7f"); "paste:TEXT" pastes TEXT; any other word is typed.
void edit(QLineEdit* box, const QString& script) {
  for (const QString& key : script.split(u' ', Qt::SkipEmptyParts)) {
    if (key.startsWith(u"paste:"))
      box->insert(key.mid(6));
    else if (key == u"Home")
      QTest::keyClick(box, Qt::Key_Home);
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
    {"delete_of_the_whole_selection_beeps_once", "1234", "All Del", "", 1},
    {"keys_beyond_the_longest_text_refused_with_a_beep_each", long_number.c_str(), "", full.c_str(), 2},
    {"key_over_the_selection_of_a_full_field_taken", full.c_str(), "All 5", "5", 0},
    {"pasted_letters_refused_with_two_beeps", "", "paste:abc", "", 2},
};
// clang-format on

class Keys : public GuiTest, public ::testing::WithParamInterface<KeysRow> {};

// The number fields of every window are one control: checked in the undrained window.
TEST_P(Keys, FieldShowsWhatTheFilterAndTheCheckLeave) {
  QLineEdit* box = field(open(coesivi.start_button, coesivi.name), "larghezza");
  box->setFocus();
  QTest::keyClicks(box, QString::fromUtf8(GetParam().typed));
  edit(box, QString::fromUtf8(GetParam().then));
  EXPECT_EQ(box->text(), QString::fromUtf8(GetParam().shown));
  EXPECT_EQ(beeps, GetParam().beeps);
  EXPECT_EQ(focus(), box);
}

INSTANTIATE_TEST_SUITE_P(Typed, Keys, ::testing::ValuesIn(keys_rows), testing_support::RowName{});

using Windows = GuiTest;

// With every other number field filled, Calculate waits for each one, and the keystroke that
// fills it enables Calculate. The windows share this: checked in the drained one.
TEST_F(Windows, CalculateWaitsForEveryNumberField) {
  QWidget& window = open(sciolti.start_button, sciolti.name);
  QWidget* calcola = find(window, "calcola");
  const auto box = [&](const Field& f) {
    return field(window, std::string(f.text.control).c_str());
  };
  for (const Field& last : sciolti.kind.fields) {
    if (last.type != FieldType::number) continue;
    for (const Field& other : sciolti.kind.fields)
      if (other.type == FieldType::number) box(other)->setText(QStringLiteral("1"));
    box(last)->clear();
    EXPECT_FALSE(calcola->isEnabled()) << last.text.name;
    box(last)->setFocus();
    QTest::keyClick(box(last), Qt::Key_3);
    EXPECT_TRUE(calcola->isEnabled()) << last.text.name;
  }
}

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

// A dark scheme as a desktop gives it: dark window, boxes and buttons, light texts, grey
// where disabled.
const QColor dark_grey(53, 53, 53);
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
  const auto linear = [](double v) {
    return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
  };
  const auto luminance = [&](const QColor& c) {
    return 0.2126 * linear(c.redF()) + 0.7152 * linear(c.greenF()) + 0.0722 * linear(c.blueF());
  };
  const double first = luminance(a), second = luminance(b);
  return (std::max(first, second) + 0.05) / (std::min(first, second) + 0.05);
}

// Every control's text measures at least 3 on the colour behind it as painted (its own fill:
// boxes, buttons, a control given a background; else the window's); the designs' red captions
// on white measure 4, an unreadable text near 1. A disabled one measures less than enabled.
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

struct SchemeRow {
  const char* name;
  const Window* window;  // none: the start window
  bool help = false;     // the help window of `window`
};
const SchemeRow scheme_rows[] = {
    {"start", nullptr}, {"coesivi", &coesivi}, {"sciolti", &sciolti}, {"help", &sciolti, true}};

class DarkScheme : public GuiTest, public ::testing::WithParamInterface<SchemeRow> {
 protected:
  void SetUp() override { QApplication::setPalette(dark_desktop()), GuiTest::SetUp(); }
  void TearDown() override { GuiTest::TearDown(), QApplication::setPalette(desktop); }
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
             EXPECT_TRUE(box.icon() == QMessageBox::NoIcon && box.buttons().size() == 1);
           });
  on_modal([&] { window::ask_save_choice(&window); },
           [](QWidget& dialog) { EXPECT_EQ(dialog.palette().color(QPalette::Window), dark_grey); });
}

using namespace window;
using Step = std::function<bool(QWidget* modal)>;

// A step on the modal widget when it is a W; a click runs after the step, since a click
// that opens another modal widget must not run inside the driver's timer.
template <typename W>
Step on(std::function<QAbstractButton*(W*)> act) {
  return [act](QWidget* modal) {
    auto* widget = qobject_cast<W*>(modal);
    if (QAbstractButton* button = widget ? act(widget) : nullptr)
      QTimer::singleShot(0, button, [button] { QTest::mouseClick(button, Qt::LeftButton); });
    return widget != nullptr;
  };
}

// Picks the file type in the dialog's list (0: text, 1: PDF/A, 2: data) with the keyboard,
// types the name in the name box, which has the focus as for a user, clicks Save.
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

// Each test gets a fresh home folder holding a Documents folder.
class SaveDialog : public ::testing::Test {
 protected:
  void SetUp() override {
    qputenv("HOME", home.path().toUtf8());
    qunsetenv("XDG_CONFIG_HOME");
    ASSERT_TRUE(QDir(home.path()).mkdir(QStringLiteral("Documents")));
  }
  void TearDown() override { qputenv("HOME", saved_home); }
  QString in_documents(const char* name) const { return documents + u'/' + QLatin1String(name); }

  // Save with the choice of `ask`, the real dialog worked by `steps`, which must all happen
  // within five seconds (then the modal widgets are closed, so a test never hangs); the
  // messages shown.
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
                [&](QWidget*, const QString& text) { messages << text; });
    EXPECT_TRUE(steps.empty()) << "a dialog step did not happen";
    return messages;
  }

  QTemporaryDir home;
  QString documents = home.filePath(QStringLiteral("Documents"));
  QByteArray saved_home = qgetenv("HOME");
};

// The dialog stays open over its messages: a missing folder refused, a folder's name
// opens it, replacing the file that a name without extension names declined.
TEST_F(SaveDialog, ShowsItsSettingsRefusesAMissingFolderAsksBeforeReplacing) {
  ASSERT_EQ(write_report_file(in_documents("relazione.txt"), "vecchia"), std::nullopt);
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
                    type_and_save(QStringLiteral("nuova"))})
                  .isEmpty());
  const QStringList settings{"VELDORA - salva file", "file di testo (*.txt)",
                             "relazione PDF/A (*.pdf)", "dati del calcolo (*.fondara)"};
  EXPECT_EQ(seen, settings + QStringList{documents});
  EXPECT_EQ(warning, "La cartella \"" + in_documents("manca") +
                         "\" non esiste.\nVerificare il percorso indicato.");
  EXPECT_TRUE(question.contains(QStringLiteral("relazione.txt"))) << question.toStdString();
  EXPECT_EQ(test::read_file(in_documents("relazione.txt").toStdString()), "vecchia");
  EXPECT_TRUE(test::read_file(in_documents("archivio/nuova.txt").toStdString())
                  .starts_with("PROGRAMMA: FONDARA"));  // the text report
  ASSERT_TRUE(QDir(documents).removeRecursively());
  EXPECT_EQ(initial_save_folder(), home.path());  // without Documents the dialog starts at home
}

// A cancelled dialog writes nothing; a failed write says why in the terminal's wording.
TEST_F(SaveDialog, WritesOnlyWhenANameWasChosen) {
  QString chosen;
  const auto ask = [&](QWidget*) { return SaveChoice(chosen); };
  EXPECT_TRUE(save({}, ask).isEmpty());
  EXPECT_TRUE(QDir(documents).isEmpty());
  chosen = in_documents("manca/relazione.txt");
  EXPECT_EQ(save({}, ask), QStringList{failure(chosen, "la cartella non esiste")});
}

struct TypeRow {
  const char* name;
  const char* typed;
  int chosen;           // the type chosen in the list: 0 text, 1 PDF/A, 2 data
  const char* written;  // the only file in Documents afterwards
  const char* start;    // its first bytes: a PDF, the text report or the data
};

// clang-format off
const TypeRow type_rows[] = {
    {"name_without_extension_takes_the_data_type_s", "calcolo", 2, "calcolo.fondara", "FONDARA-DATI 1"},
    {"pdf_extension_in_any_case_makes_a_pdf", "relazione.PDF", 0, "relazione.PDF", "%PDF-"},
    {"other_extension_kept_with_the_chosen_type", "relazione.rel", 1, "relazione.rel", "%PDF-"},
};
// clang-format on

class SaveDialogTypes : public SaveDialog, public ::testing::WithParamInterface<TypeRow> {};

TEST_P(SaveDialogTypes, NameAndTypeDecideTheFile) {
  const TypeRow& row = GetParam();
  EXPECT_TRUE(save({type_and_save(QString::fromLatin1(row.typed), row.chosen)}).isEmpty());
  EXPECT_EQ(QDir(documents).entryList(QDir::Files), QStringList{row.written});
  const std::string bytes = test::read_file(in_documents(row.written).toStdString());
  EXPECT_TRUE(bytes.starts_with(row.start)) << bytes.substr(0, 20);
}

INSTANTIATE_TEST_SUITE_P(Typed, SaveDialogTypes, ::testing::ValuesIn(type_rows),
                         testing_support::RowName{});

// A name without extension takes the PDF/A type chosen: the printed report, with the
// window's title.
TEST_F(SaveDialog, PdfTypeWritesThePrintedReportAsPdfa) {
  EXPECT_TRUE(save({type_and_save(QStringLiteral("relazione"), 1)}).isEmpty());
  const QString path = in_documents("relazione.pdf");
  EXPECT_TRUE(
      test::tool_output(QStringLiteral("pdfinfo"), {path})
          .contains(QStringLiteral("Title:           Relazione di calcolo - terreni coesivi\n")));
  const QString printed = QString::fromStdString(test::read_data("non_drenato_yr23.stampa.txt"));
  EXPECT_EQ(test::read_pdf(path).texts, test::printed_texts(printed.split(u'\n')));
}

// The old file on a 64 KiB tmpfs, too small for the new one, then read-only: each failure
// named, the old file left as it was and nothing beside it.
TEST(SaveReport, FailuresLeaveTheExistingFileIntact) {
  const QTemporaryDir folder;
  const QByteArray disk = QFile::encodeName(folder.path());
  const QString target = folder.filePath(QStringLiteral("relazione.txt"));
  if (::mount("tmpfs", disk, "tmpfs", 0, "size=64k") != 0) GTEST_SKIP() << "needs root";
  EXPECT_EQ(write_report_file(target, "precedente"), std::nullopt);
  EXPECT_EQ(write_report_file(target, std::string(200 * 1024, 'x')),
            failure(target, "spazio esaurito"));
  EXPECT_EQ(::mount(nullptr, disk, nullptr, MS_REMOUNT | MS_RDONLY, nullptr), 0);
  EXPECT_EQ(write_report_file(target, "nuova"), failure(target, "il disco è in sola lettura"));
  EXPECT_EQ(test::read_file(target.toStdString()), "precedente");
  EXPECT_EQ(QDir(folder.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
            QStringList{QStringLiteral("relazione.txt")});
  ::umount2(disk, MNT_DETACH);
}

}  // namespace
}  // namespace fondara::testing_gui
