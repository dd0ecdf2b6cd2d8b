// Save of the undrained worked example through the real save dialog, worked as a user would:
// each step acts on the modal widget it expects (the dialog, a message box over it) once it
// appears. And the shared file writer under Save, on a small tmpfs.
#include <sys/mount.h>

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QRegularExpression>
#include <QTimer>
#include <deque>

#include "gui_fixture.h"
#include "pdf_lines.h"
#include "row_name.h"
#include "test_data.h"
#include "undrained/kind.h"
#include "window/save_print.h"

namespace fondara::window {
namespace {

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
  const FieldTexts texts = {{"lunghezza", "10"},
                            {"larghezza", "2"},
                            {"altezza", "1"},
                            {"peso_terreno_rinterro", "1800"},
                            {"coesione_non_drenata", "0,5"}};
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
    {"name_without_extension_takes_the_pdf_type_s", "relazione", 1, "relazione.pdf", "%PDF-"},
    {"name_without_extension_takes_the_data_type_s", "calcolo", 2, "calcolo.fondara", "FONDARA-DATI 1"},
    {"pdf_extension_in_any_case_makes_a_pdf", "relazione.PDF", 0, "relazione.PDF", "%PDF-"},
    {"txt_extension_makes_a_text_report", "relazione.Txt", 1, "relazione.Txt", "PROGRAMMA: FONDARA"},
    {"fondara_extension_makes_a_data_file", "calcolo.fondara", 1, "calcolo.fondara", "FONDARA-DATI 1"},
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

// PDF/A-1b identification, every font embedded, title, creator, A4, the printed lines.
TEST_F(SaveDialog, PdfTypeWritesThePrintedReportAsPdfa) {
  EXPECT_TRUE(save({type_and_save(QStringLiteral("relazione"), 1)}).isEmpty());
  const QString path = in_documents("relazione.pdf");
  const QString info = test::tool_output(QStringLiteral("pdfinfo"), {path}) +
                       test::tool_output(QStringLiteral("pdfinfo"), {"-meta", path});
  for (const char* fact :
       {"pdfaid:part=\"1\"", "pdfaid:conformance=\"B\"", "(A4)\n",
        "Title:           Relazione di calcolo - terreni coesivi\n", "Creator:         Fondara\n"})
    EXPECT_TRUE(info.contains(QString::fromUtf8(fact))) << fact;
  const QString fonts = test::tool_output(QStringLiteral("pdffonts"), {path});
  const QRegularExpression not_embedded(QStringLiteral(" no +(yes|no) +(yes|no) +\\d"));
  EXPECT_TRUE(fonts.count(u'\n') > 2 && !fonts.contains(not_embedded)) << fonts.toStdString();
  const QString printed = QString::fromStdString(test::read_data("non_drenato_yr23.stampa.txt"));
  EXPECT_EQ(test::read_pdf(path).texts, test::printed_texts(printed.split(u'\n')));
}

// The old file on a 64 KiB tmpfs, too small for the new one, then remounted read-only: each
// failure is named and leaves the old file as it was and nothing beside it.
TEST(SaveReport, FailuresLeaveTheExistingFileIntact) {
  const QTemporaryDir folder;
  const QByteArray disk = QFile::encodeName(folder.path());
  const QString target = folder.filePath(QStringLiteral("relazione.txt"));
  if (::mount("tmpfs", disk, "tmpfs", 0, "size=64k") != 0)
    GTEST_SKIP() << "mounting a tmpfs needs root: not run here";
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
}  // namespace fondara::window
