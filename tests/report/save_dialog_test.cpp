// Save of the undrained worked example through the real save dialog, worked as a user
// would: each step acts on the modal widget it expects (the dialog, a message box over
// it) once it appears: a file type picked with the keyboard, a name typed, a click.
#include "report/save_dialog.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <deque>

#include "pdf_lines.h"
#include "qt_print.h"
#include "report/channel_texts.h"
#include "report/file_channel.h"
#include "report/save_print.h"
#include "sample_report.h"
#include "test_data.h"
#include "undrained/report_non_drenato.h"

namespace fondara::report {
namespace {

using Step = std::function<bool(QWidget* modal)>;

// A step on the first modal widget of type W; a click runs after the step, since a
// click that opens another modal widget must not run inside the driver's timer.
template <typename W>
Step on(std::function<QAbstractButton*(W*)> act) {
  return [act](QWidget* modal) {
    auto* widget = qobject_cast<W*>(modal);
    if (QAbstractButton* button = widget ? act(widget) : nullptr)
      QTimer::singleShot(0, button, [button] { QTest::mouseClick(button, Qt::LeftButton); });
    return widget != nullptr;
  };
}

QAbstractButton* dialog_button(QFileDialog* dialog, QDialogButtonBox::StandardButton which) {
  return dialog->findChild<QDialogButtonBox*>(QStringLiteral("buttonBox"))->button(which);
}

// Picks the PDF/A type when asked, types the name, clicks Save.
Step type_and_save(const QString& name, bool pdfa = false) {
  return on<QFileDialog>([=](QFileDialog* dialog) {
    if (pdfa)
      QTest::keyClick(dialog->findChild<QComboBox*>(QStringLiteral("fileTypeCombo")), Qt::Key_Down);
    auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    edit->clear();
    QTest::keyClicks(edit, name);
    return dialog_button(dialog, QDialogButtonBox::Save);
  });
}

const Step cancel =
    on<QFileDialog>([](QFileDialog* d) { return dialog_button(d, QDialogButtonBox::Cancel); });

// Answers a message box shown over the dialog, recording its text.
Step answer(QMessageBox::StandardButton button, QString* text) {
  return on<QMessageBox>([=](QMessageBox* box) {
    *text = box->text();
    return box->button(button);
  });
}

Result worked_example(Version version) {
  const DatiNonDrenati dati{10, 2, 1, 0.5f, 1800, 2.3f};
  return report_non_drenato(dati, *CalcoloNonDrenato(dati), "", version);
}

// Each test gets a fresh home folder holding a Documents folder.
class SaveDialog : public ::testing::Test {
 protected:
  void SetUp() override {
    qputenv("HOME", QFile::encodeName(home.path()));
    qunsetenv("XDG_CONFIG_HOME");
    ASSERT_TRUE(QDir(home.path()).mkdir(QStringLiteral("Documents")));
  }
  void TearDown() override { qputenv("HOME", saved_home); }
  QString in_documents(const QString& name) const { return documents + QLatin1Char('/') + name; }

  // Save with the real dialog worked by `steps`, which must all happen within five
  // seconds (then the modal widgets are closed, so a test never hangs); the messages.
  QStringList save(std::deque<Step> steps) {
    QTimer timer;
    int ticks = 0;
    QObject::connect(&timer, &QTimer::timeout, &timer, [&] {
      QWidget* modal = QApplication::activeModalWidget();
      if (!steps.empty() && modal && steps.front()(modal)) steps.pop_front();
      if (modal && ++ticks > 500) modal->close();
    });
    timer.start(10);
    QStringList messages;
    save_report(nullptr, worked_example, QString::fromUtf8(report_kind_coesivi), ask_save_choice,
                [&](QWidget*, const QString& text) { messages << text; });
    EXPECT_TRUE(steps.empty()) << "a dialog step did not happen";
    return messages;
  }

  QTemporaryDir home;
  QString documents = home.filePath(QStringLiteral("Documents"));
  QByteArray saved_home = qgetenv("HOME");
};

TEST_F(SaveDialog, ShowsItsFixedSettingsAndWritesTheTextReport) {
  QStringList seen;
  const auto look = [&](QFileDialog* d) -> QAbstractButton* {
    seen << d->windowTitle() << d->nameFilters() << d->directory().absolutePath();
    return nullptr;
  };
  EXPECT_TRUE(
      save({on<QFileDialog>(look), type_and_save(QStringLiteral("relazione.txt"))}).isEmpty());
  EXPECT_EQ(seen, (QStringList{QStringLiteral("VELDORA - salva file"),
                               QStringLiteral("file di testo (*.txt)"),
                               QStringLiteral("relazione PDF/A (*.pdf)"), documents}));
  QFile text(in_documents(QStringLiteral("relazione.txt")));  // the text report
  EXPECT_TRUE(text.open(QIODevice::ReadOnly) && text.readLine().startsWith("PROGRAMMA: FONDARA"));
  ASSERT_TRUE(QDir(documents).removeRecursively());
  EXPECT_EQ(initial_save_folder(), home.path());  // without Documents the dialog starts at home
}

// PDF/A-1b identification, every font embedded, title, creator, A4, the printed lines.
TEST_F(SaveDialog, PdfTypeOrPdfNameWritesThePrintedReportAsPdfa) {
  std::vector<Line> expected;
  for (std::string& line : fondara::test::read_preview_lines("non_drenato_yr23.stampa.txt"))
    expected.push_back({std::move(line), 8});
  const QRegularExpression not_embedded(QStringLiteral(" no +(yes|no) +(yes|no) +\\d"));
  for (const auto& [file, pdfa] : {std::pair(QStringLiteral("relazione"), true),
                                   std::pair(QStringLiteral("relazione.PDF"), false)}) {
    SCOPED_TRACE(file.toStdString());
    EXPECT_TRUE(save({type_and_save(file, pdfa)}).isEmpty());
    const QString path = in_documents(file);
    const QString info =
        test::tool_output(QStringLiteral("pdfinfo"), {path}) +
        test::tool_output(QStringLiteral("pdfinfo"), {QStringLiteral("-meta"), path});
    for (const char* fact : {"pdfaid:part=\"1\"", "pdfaid:conformance=\"B\"", "(A4)\n",
                             "Title:           Relazione di calcolo - terreni coesivi\n",
                             "Creator:         Fondara\n"})
      EXPECT_TRUE(info.contains(QString::fromUtf8(fact))) << fact << info.toStdString();
    const QString fonts = test::tool_output(QStringLiteral("pdffonts"), {path});
    EXPECT_TRUE(fonts.count(QLatin1Char('\n')) > 2 && !fonts.contains(not_embedded))
        << fonts.toStdString();
    EXPECT_EQ(test::texts_of(test::rebuild_lines(test::read_pdf(path))),
              test::printed_texts(expected));
  }
  // Written like the text report: a missing folder gives the file channel's message.
  const QString missing = in_documents(QStringLiteral("manca/r.pdf"));
  QStringList shown;
  save_report(
      nullptr, worked_example, {}, [&](QWidget*) { return SaveChoice(missing, FileType::pdfa); },
      [&](QWidget*, const QString& text) { shown << text; });
  EXPECT_EQ(shown, QStringList{*write_file(missing, "x")});
}

// Declined, the dialog stays open (then cancelled) and the file keeps its content.
TEST_F(SaveDialog, AsksBeforeReplacingAnExistingFile) {
  QFile old(in_documents(QStringLiteral("relazione.txt")));
  ASSERT_TRUE(old.open(QIODevice::WriteOnly) && old.write("vecchia") == 7);
  old.close();
  QString question;
  save(
      {type_and_save(QStringLiteral("relazione.txt")), answer(QMessageBox::No, &question), cancel});
  EXPECT_TRUE(question.contains(QStringLiteral("relazione.txt"))) << question.toStdString();
  ASSERT_TRUE(old.open(QIODevice::ReadOnly));
  EXPECT_EQ(old.readAll(), "vecchia");
}

TEST_F(SaveDialog, RefusesANameInAMissingFolder) {
  QString warning;
  save({type_and_save(QStringLiteral("manca/relazione.txt")), answer(QMessageBox::Ok, &warning),
        cancel});
  EXPECT_EQ(warning,
            QStringLiteral("La cartella \"%1\" non esiste.\nVerificare il percorso indicato.")
                .arg(in_documents(QStringLiteral("manca"))));
}

}  // namespace
}  // namespace fondara::report
