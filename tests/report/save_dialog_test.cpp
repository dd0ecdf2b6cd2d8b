// The real save dialog, driven as a user would: the dialog (and any message box over
// it) is found among the modal widgets while it runs, a name is typed and Save clicked.
#include "report/save_dialog.h"

#include <gtest/gtest.h>

#include <QApplication>
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
#include <functional>

#include "qt_print.h"
#include "report/channel_texts.h"
#include "report/file_channel.h"

namespace fondara::report {
namespace {

// Clicks `button` once the current event has been handled: a click that opens another
// modal widget must not run inside the driver's timer, which would then stay blocked.
void click_later(QAbstractButton* button) {
  QTimer::singleShot(0, button, [button] { QTest::mouseClick(button, Qt::LeftButton); });
}

// Runs steps against the active modal widget while a modal call runs. A step returns
// false while the widget it expects has not appeared yet. Steps still waiting after
// five seconds fail the test and close every modal widget, so a test never hangs.
class ModalDriver {
 public:
  using Step = std::function<bool(QWidget* modal)>;

  explicit ModalDriver(std::deque<Step> steps) : steps_(std::move(steps)) {
    clock_.start();
    timer_.setInterval(10);
    QObject::connect(&timer_, &QTimer::timeout, &timer_, [this] { tick(); });
    timer_.start();
  }

  bool finished() const { return steps_.empty(); }

 private:
  void tick() {
    if (steps_.empty()) {
      timer_.stop();
      return;
    }
    QWidget* modal = QApplication::activeModalWidget();
    if (modal && steps_.front()(modal)) {
      steps_.pop_front();
      return;
    }
    if (clock_.elapsed() > 5000) {
      ADD_FAILURE() << "a dialog step did not happen";
      steps_.clear();
      for (int i = 0; i < 5 && QApplication::activeModalWidget(); ++i) {
        QWidget* open = QApplication::activeModalWidget();
        if (auto* dialog = qobject_cast<QDialog*>(open)) {
          dialog->reject();
        } else {
          open->close();
        }
      }
    }
  }

  std::deque<Step> steps_;
  QTimer timer_;
  QElapsedTimer clock_;
};

// What the dialog showed when it appeared.
struct Seen {
  QString title;
  QStringList filters;
  QString folder;
  QString suffix;
  bool native = true;
  bool save_mode = false;
  bool confirms_overwrite = false;
};

ModalDriver::Step type_and_save(const QString& name, Seen* seen = nullptr) {
  return [name, seen](QWidget* modal) {
    auto* dialog = qobject_cast<QFileDialog*>(modal);
    if (!dialog) return false;
    if (seen) {
      *seen = {dialog->windowTitle(),
               dialog->nameFilters(),
               dialog->directory().absolutePath(),
               dialog->defaultSuffix(),
               !dialog->testOption(QFileDialog::DontUseNativeDialog),
               dialog->acceptMode() == QFileDialog::AcceptSave,
               !dialog->testOption(QFileDialog::DontConfirmOverwrite)};
    }
    auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    auto* buttons = dialog->findChild<QDialogButtonBox*>(QStringLiteral("buttonBox"));
    if (!edit || !buttons || !buttons->button(QDialogButtonBox::Save)) {
      ADD_FAILURE() << "the save dialog has no name field or no Save button";
      dialog->reject();
      return true;
    }
    edit->clear();
    QTest::keyClicks(edit, name);
    click_later(buttons->button(QDialogButtonBox::Save));
    return true;
  };
}

ModalDriver::Step cancel() {
  return [](QWidget* modal) {
    auto* dialog = qobject_cast<QFileDialog*>(modal);
    if (!dialog) return false;
    auto* buttons = dialog->findChild<QDialogButtonBox*>(QStringLiteral("buttonBox"));
    click_later(buttons->button(QDialogButtonBox::Cancel));
    return true;
  };
}

// Answers a message box shown over the dialog, recording its text.
ModalDriver::Step answer(QMessageBox::StandardButton button, QString* text) {
  return [button, text](QWidget* modal) {
    auto* box = qobject_cast<QMessageBox*>(modal);
    if (!box) return false;
    *text = box->text();
    QAbstractButton* chosen = box->button(button);
    if (!chosen) chosen = box->defaultButton();
    click_later(chosen);
    return true;
  };
}

QByteArray contents(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

const std::string report_bytes = "PROGRAMMA: FONDARA\r\n\r\na profondit\xE0 H\r\n";

// Each test gets a fresh home folder holding a Documents folder.
class SaveDialog : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(home_.isValid());
    saved_home_ = qgetenv("HOME");
    saved_config_ = qgetenv("XDG_CONFIG_HOME");
    qputenv("HOME", QFile::encodeName(home_.path()));
    qunsetenv("XDG_CONFIG_HOME");
    ASSERT_TRUE(QDir(home_.path()).mkdir(QStringLiteral("Documents")));
    documents_ = home_.filePath(QStringLiteral("Documents"));
  }
  void TearDown() override {
    qputenv("HOME", saved_home_);
    if (saved_config_.isNull()) {
      qunsetenv("XDG_CONFIG_HOME");
    } else {
      qputenv("XDG_CONFIG_HOME", saved_config_);
    }
  }
  QString in_documents(const QString& name) const { return documents_ + QLatin1Char('/') + name; }

  QTemporaryDir home_;
  QString documents_;
  QByteArray saved_home_;
  QByteArray saved_config_;
};

TEST_F(SaveDialog, ShowsItsFixedSettingsAndWritesANewFile) {
  Seen seen;
  ModalDriver driver({type_and_save(QStringLiteral("relazione.txt"), &seen)});
  const SaveResult result = save_file(nullptr, ask_save_file_name, report_bytes);
  EXPECT_TRUE(driver.finished());

  EXPECT_EQ(seen.title, QStringLiteral("VELDORA - salva file"));
  EXPECT_EQ(seen.filters, QStringList{QStringLiteral("file di testo (*.txt)")});
  EXPECT_EQ(seen.folder, QDir(documents_).absolutePath());
  EXPECT_TRUE(seen.suffix.isEmpty());
  EXPECT_FALSE(seen.native);
  EXPECT_TRUE(seen.save_mode);
  EXPECT_TRUE(seen.confirms_overwrite);

  EXPECT_EQ(result.outcome, SaveResult::Outcome::written);
  EXPECT_EQ(result.path, in_documents(QStringLiteral("relazione.txt")));
  EXPECT_EQ(contents(result.path), QByteArray::fromStdString(report_bytes));
}

TEST_F(SaveDialog, UsesTheNameAsTyped) {
  ModalDriver driver({type_and_save(QStringLiteral("relazione"))});
  const QString path = ask_save_file_name(nullptr);
  EXPECT_TRUE(driver.finished());
  EXPECT_EQ(path, in_documents(QStringLiteral("relazione")));
}

TEST_F(SaveDialog, CancelWritesNothing) {
  ModalDriver driver({cancel()});
  const SaveResult result = save_file(nullptr, ask_save_file_name, report_bytes);
  EXPECT_TRUE(driver.finished());
  EXPECT_EQ(result.outcome, SaveResult::Outcome::cancelled);
  EXPECT_TRUE(result.path.isEmpty());
  EXPECT_TRUE(QDir(documents_).isEmpty());
}

TEST_F(SaveDialog, AsksBeforeReplacingAnExistingFile) {
  const QString existing = in_documents(QStringLiteral("relazione.txt"));
  {
    QFile file(existing);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("vecchia");
  }
  struct Case {
    const char* name;
    QMessageBox::StandardButton reply;
    SaveResult::Outcome outcome;
    QByteArray content;
  };
  const Case cases[] = {
      {"declined: the dialog stays open and is then cancelled", QMessageBox::No,
       SaveResult::Outcome::cancelled, QByteArrayLiteral("vecchia")},
      {"confirmed: the file is replaced", QMessageBox::Yes, SaveResult::Outcome::written,
       QByteArray::fromStdString(report_bytes)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    QString question;
    std::deque<ModalDriver::Step> steps = {type_and_save(QStringLiteral("relazione.txt")),
                                           answer(c.reply, &question)};
    if (c.reply == QMessageBox::No) steps.push_back(cancel());
    ModalDriver driver(std::move(steps));
    const SaveResult result = save_file(nullptr, ask_save_file_name, report_bytes);
    EXPECT_TRUE(driver.finished());
    EXPECT_TRUE(question.contains(QStringLiteral("relazione.txt"))) << question.toStdString();
    EXPECT_EQ(result.outcome, c.outcome);
    EXPECT_EQ(contents(existing), c.content);
  }
}

TEST_F(SaveDialog, RefusesANameInAMissingFolder) {
  QString warning;
  ModalDriver driver({type_and_save(QStringLiteral("manca/relazione.txt")),
                      answer(QMessageBox::Ok, &warning), cancel()});
  const SaveResult result = save_file(nullptr, ask_save_file_name, report_bytes);
  EXPECT_TRUE(driver.finished());
  EXPECT_EQ(warning,
            QStringLiteral("La cartella \"%1\" non esiste.\nVerificare il percorso indicato.")
                .arg(in_documents(QStringLiteral("manca"))));
  EXPECT_EQ(result.outcome, SaveResult::Outcome::cancelled);
  EXPECT_TRUE(QDir(documents_).isEmpty());
}

TEST_F(SaveDialog, StartsInDocumentsOrElseInHome) {
  EXPECT_EQ(initial_save_folder(), documents_);
  ASSERT_TRUE(QDir(documents_).removeRecursively());
  EXPECT_EQ(initial_save_folder(), QDir::homePath());
  EXPECT_EQ(QDir::homePath(), home_.path());
}

}  // namespace
}  // namespace fondara::report
