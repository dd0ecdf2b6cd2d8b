// The window's Save through the shared file writer: failures on a small tmpfs leave the old
// file as it was, in the terminal's wording; a FIFO is never replaced.
#include "report/file_channel.h"

#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QWidget>

#include "qt_print.h"

namespace fondara::report {
namespace {

// Windows-1252 report bytes: "à" is E0, "Ø" is D8, lines end in CR LF.
const std::string report_bytes = "PROGRAMMA: FONDARA\r\n\r\na profondit\xE0 H\r\n\xD8' = 30\r\n";
const QByteArray old_bytes = "relazione precedente\r\n\xE0\xD8\r\n";

QByteArray contents(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QStringList entries(const QString& folder) {
  return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
}

QString failure(const QString& path, const char* cause) {
  return QStringLiteral("Impossibile scrivere il file \"%1\": %2.").arg(path, cause);
}

class FileChannel : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(folder_.isValid()); }
  QTemporaryDir folder_;
  const QString target_ = folder_.filePath(QStringLiteral("relazione.txt"));
};

// After "Sì" in the dialog a FIFO under the chosen name is written, never replaced by a
// regular file; with no program reading it the Save fails at once.
TEST_F(FileChannel, FifoIsNeverReplaced) {
  ASSERT_EQ(::mkfifo(QFile::encodeName(target_).constData(), 0600), 0);
  EXPECT_EQ(write_file(target_, report_bytes),
            failure(target_, "nessun programma legge la FIFO, o il dispositivo non esiste"));
}

// A small tmpfs holding the old file, read-only or too small for the new one.
TEST_F(FileChannel, FailuresLeaveTheExistingFileIntact) {
  const std::string folder = QFile::encodeName(folder_.path()).toStdString();
  for (const bool read_only : {true, false}) {
    SCOPED_TRACE(read_only ? "read-only disk" : "full disk");
    if (::mount("tmpfs", folder.c_str(), "tmpfs", 0, "size=64k") != 0) {
      GTEST_SKIP() << "mounting a tmpfs needs root: read-only and full disk not tested";
    }
    QFile old(target_);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly) && old.write(old_bytes) == old_bytes.size());
    old.close();
    ASSERT_TRUE(!read_only ||
                ::mount(nullptr, folder.c_str(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr) == 0);
    EXPECT_EQ(write_file(target_, read_only ? report_bytes : std::string(200 * 1024, 'x')),
              failure(target_, read_only ? "il disco è in sola lettura" : "spazio esaurito"));
    EXPECT_EQ(contents(target_), old_bytes);
    EXPECT_EQ(entries(folder_.path()), QStringList{QStringLiteral("relazione.txt")});
    ::umount2(folder.c_str(), MNT_DETACH);
  }
}

TEST_F(FileChannel, SaveWritesOnlyWhenANameWasChosen) {
  QWidget window;
  QWidget* asked_parent = nullptr;
  const auto cancel = [&](QWidget* parent) { return asked_parent = parent, QString(); };
  EXPECT_EQ(save_file(&window, cancel, report_bytes).outcome, SaveResult::Outcome::cancelled);
  EXPECT_EQ(asked_parent, &window);
  EXPECT_TRUE(entries(folder_.path()).isEmpty());

  const QString missing = folder_.filePath(QStringLiteral("manca/relazione.txt"));
  const SaveResult failed = save_file(
      nullptr, [&](QWidget*) { return missing; }, report_bytes);
  EXPECT_EQ(failed.outcome, SaveResult::Outcome::failed);
  EXPECT_EQ(failed.error, failure(missing, "la cartella non esiste"));
  const SaveResult written = save_file(
      nullptr, [&](QWidget*) { return target_; }, report_bytes);
  EXPECT_EQ(written.outcome, SaveResult::Outcome::written);
  EXPECT_EQ(written.path, target_);
  EXPECT_EQ(contents(target_), QByteArray::fromStdString(report_bytes));
  EXPECT_EQ(entries(folder_.path()), QStringList{QStringLiteral("relazione.txt")});
}

}  // namespace
}  // namespace fondara::report
