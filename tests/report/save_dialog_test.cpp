// Save through the real save dialog, driven as a user would: the dialog (and any message
// box over it) is found among the modal widgets while it runs, a file type picked, a
// name typed and Save clicked. The report is the undrained worked example.
#include "report/save_dialog.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <deque>

#include "pdf_lines.h"
#include "qt_print.h"
#include "report/channel_texts.h"
#include "report/save_print.h"
#include "sample_report.h"
#include "test_data.h"
#include "undrained/report_non_drenato.h"

namespace fondara::report {
namespace {

// Clicks `button` once the current event has been handled: a click that opens another
// modal widget must not run inside the driver's timer, which would then stay blocked.
void click_later(QAbstractButton* button) {
  QTimer::singleShot(0, button, [button] { QTest::mouseClick(button, Qt::LeftButton); });
}

// Runs steps against the active modal widget while a modal call runs. A step returns
// false while the widget it expects has not appeared yet. Steps still waiting after
// five seconds fail the test and close the modal widgets, so a test never hangs.
class ModalDriver {
 public:
  using Step = std::function<bool(QWidget* modal)>;

  explicit ModalDriver(std::deque<Step> steps) : steps_(std::move(steps)) {
    clock_.start();
    QObject::connect(&timer_, &QTimer::timeout, &timer_, [this] { tick(); });
    timer_.start(10);
  }
  bool finished() const { return steps_.empty(); }

 private:
  void tick() {
    QWidget* modal = QApplication::activeModalWidget();
    if (steps_.empty() || (modal && steps_.front()(modal))) {
      if (!steps_.empty()) steps_.pop_front();
      return;
    }
    if (clock_.elapsed() < 5000) return;
    ADD_FAILURE() << "a dialog step did not happen";
    steps_.clear();
    for (int i = 0; i < 5 && QApplication::activeModalWidget(); ++i)
      QApplication::activeModalWidget()->close();
  }

  std::deque<Step> steps_;
  QTimer timer_;
  QElapsedTimer clock_;
};

template <typename Widget>
ModalDriver::Step on(std::function<void(Widget*)> act) {
  return [act](QWidget* modal) {
    auto* widget = qobject_cast<Widget*>(modal);
    if (widget) act(widget);
    return widget != nullptr;
  };
}

QAbstractButton* dialog_button(QFileDialog* dialog, QDialogButtonBox::StandardButton which) {
  return dialog->findChild<QDialogButtonBox*>(QStringLiteral("buttonBox"))->button(which);
}

// Picks the PDF/A type with the keyboard when asked, types the name, clicks Save.
ModalDriver::Step type_and_save(const QString& name, bool pdfa = false) {
  return on<QFileDialog>([=](QFileDialog* dialog) {
    if (pdfa)
      QTest::keyClick(dialog->findChild<QComboBox*>(QStringLiteral("fileTypeCombo")), Qt::Key_Down);
    auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    edit->clear();
    QTest::keyClicks(edit, name);
    click_later(dialog_button(dialog, QDialogButtonBox::Save));
  });
}

ModalDriver::Step cancel() {
  return on<QFileDialog>(
      [](QFileDialog* d) { click_later(dialog_button(d, QDialogButtonBox::Cancel)); });
}

// Answers a message box shown over the dialog, recording its text.
ModalDriver::Step answer(QMessageBox::StandardButton button, QString* text) {
  return on<QMessageBox>([=](QMessageBox* box) {
    *text = box->text();
    click_later(box->button(button));
  });
}

QByteArray contents(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

Result worked_example(Version version) {
  const DatiNonDrenati dati{10, 2, 1, 0.5f, 1800, 2.3f};
  return report_non_drenato(dati, *CalcoloNonDrenato(dati), "", version);
}

// Each test gets a fresh home folder holding a Documents folder.
class SaveDialog : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(home_.isValid());
    qputenv("HOME", QFile::encodeName(home_.path()));
    qunsetenv("XDG_CONFIG_HOME");
    ASSERT_TRUE(QDir(home_.path()).mkdir(QStringLiteral("Documents")));
  }
  void TearDown() override { qputenv("HOME", saved_home_); }
  QString in_documents(const QString& name) const { return documents_ + QLatin1Char('/') + name; }

  // Save with the real dialog worked by `steps`; returns the messages it showed.
  QStringList save(std::deque<ModalDriver::Step> steps) {
    ModalDriver driver(std::move(steps));
    QStringList messages;
    save_report(nullptr, worked_example, QString::fromUtf8(report_kind_coesivi), ask_save_choice,
                [&](QWidget*, const QString& text) { messages << text; });
    EXPECT_TRUE(driver.finished());
    return messages;
  }

  QTemporaryDir home_;
  QString documents_ = home_.filePath(QStringLiteral("Documents"));
  QByteArray saved_home_ = qgetenv("HOME");
};

TEST_F(SaveDialog, ShowsItsFixedSettingsAndWritesTheTextReport) {
  QString title, folder;
  QStringList filters;
  bool native = true, save_mode = false, confirms = false, no_suffix = false;
  const auto look = [&](QFileDialog* d) {
    title = d->windowTitle(), filters = d->nameFilters(), folder = d->directory().absolutePath();
    native = !d->testOption(QFileDialog::DontUseNativeDialog);
    save_mode = d->acceptMode() == QFileDialog::AcceptSave;
    confirms = !d->testOption(QFileDialog::DontConfirmOverwrite);
    no_suffix = d->defaultSuffix().isEmpty();
  };
  EXPECT_TRUE(
      save({on<QFileDialog>(look), type_and_save(QStringLiteral("relazione.txt"))}).isEmpty());
  EXPECT_EQ(title, QStringLiteral("VELDORA - salva file"));
  EXPECT_EQ(filters, (QStringList{QStringLiteral("file di testo (*.txt)"),
                                  QStringLiteral("relazione PDF/A (*.pdf)")}));
  EXPECT_EQ(folder, QDir(documents_).absolutePath());
  EXPECT_FALSE(native);
  EXPECT_TRUE(save_mode && confirms && no_suffix);
  EXPECT_EQ(contents(in_documents(QStringLiteral("relazione.txt"))).toStdString(),
            fondara::test::read_data("non_drenato_yr23.txt"));
}

TEST_F(SaveDialog, PdfTypeOrPdfNameWritesThePrintedReportAsPdfa) {
  std::vector<Line> expected;
  for (std::string& line : fondara::test::read_preview_lines("non_drenato_yr23.stampa.txt"))
    expected.push_back({std::move(line), 8});
  const struct {
    const char* name;
    QString file;
    bool pdfa;
  } rows[] = {{"PDF/A type, name as typed", QStringLiteral("relazione"), true},
              {"text type, name ending in .PDF", QStringLiteral("relazione.PDF"), false}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_TRUE(save({type_and_save(row.file, row.pdfa)}).isEmpty());
    const QString path = in_documents(row.file);
    EXPECT_TRUE(test::tool_output(QStringLiteral("pdfinfo"), {QStringLiteral("-meta"), path})
                    .contains(QStringLiteral("pdfaid:part=\"1\"")));
    const test::PdfText pdf = test::read_pdf(path);
    double left = 1e9;
    for (const auto& word : pdf.words) left = std::min(left, word.x_min);
    EXPECT_EQ(test::texts_of(test::rebuild_lines(pdf, left)), test::printed_texts(expected));
  }
}

TEST_F(SaveDialog, CancelWritesNothing) {
  EXPECT_TRUE(save({cancel()}).isEmpty());
  EXPECT_TRUE(QDir(documents_).isEmpty());
}

TEST_F(SaveDialog, AsksBeforeReplacingAnExistingFile) {
  const QString existing = in_documents(QStringLiteral("relazione.txt"));
  const struct {
    const char* name;
    QMessageBox::StandardButton reply;
    QByteArray content;
  } rows[] = {{"declined: the dialog stays open and is then cancelled", QMessageBox::No, "vecchia"},
              {"confirmed: the file is replaced", QMessageBox::Yes,
               QByteArray::fromStdString(fondara::test::read_data("non_drenato_yr23.txt"))}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    QFile old(existing);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly) && old.write("vecchia") == 7);
    old.close();
    QString question;
    std::deque<ModalDriver::Step> steps = {type_and_save(QStringLiteral("relazione.txt")),
                                           answer(row.reply, &question)};
    if (row.reply == QMessageBox::No) steps.push_back(cancel());
    save(std::move(steps));
    EXPECT_TRUE(question.contains(QStringLiteral("relazione.txt"))) << question.toStdString();
    EXPECT_EQ(contents(existing), row.content);
  }
}

TEST_F(SaveDialog, RefusesANameInAMissingFolder) {
  QString warning;
  save({type_and_save(QStringLiteral("manca/relazione.txt")), answer(QMessageBox::Ok, &warning),
        cancel()});
  EXPECT_EQ(warning,
            QStringLiteral("La cartella \"%1\" non esiste.\nVerificare il percorso indicato.")
                .arg(in_documents(QStringLiteral("manca"))));
  EXPECT_TRUE(QDir(documents_).isEmpty());
}

TEST_F(SaveDialog, StartsInDocumentsOrElseInHome) {
  EXPECT_EQ(initial_save_folder(), documents_);
  ASSERT_TRUE(QDir(documents_).removeRecursively());
  EXPECT_EQ(initial_save_folder(), home_.path());
}

}  // namespace
}  // namespace fondara::report
