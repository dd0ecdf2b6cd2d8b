// The window's Save through the shared file writer, in the terminal's wording; on a small
// tmpfs a failed write leaves the old file as it was and nothing beside it.
#include "window/save_print.h"

#include <gtest/gtest.h>
#include <sys/mount.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QWidget>

#include "qt_print.h"
#include "test_data.h"

namespace fondara::window {
namespace {

// A report and its file bytes: Windows-1252 ("à" is E0) with CR LF.
const Report report = {Statement{{std::string("PROGRAMMA: FONDARA")}}, Statement{},
                       Statement{{std::string("a profondità H")}}};
const std::string kReport = "PROGRAMMA: FONDARA\r\n\r\na profondit\xE0 H\r\n";

QStringList entries(const QTemporaryDir& folder) {
  return QDir(folder.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
}

QString failure(const QString& path, const char* cause) {
  return QStringLiteral("Impossibile scrivere il file \"%1\": %2.").arg(path, cause);
}

TEST(SaveReport, WritesOnlyWhenANameWasChosen) {
  const QTemporaryDir folder;
  QWidget window;
  QWidget* asked_parent = nullptr;
  QString chosen;  // none: the dialog was cancelled
  QStringList shown;
  const auto save = [&] {
    save_report(
        &window, [](Version) -> ReportOutcome { return report; }, {}, "FONDARA-DATI 1\n",
        [&](QWidget* parent) { return asked_parent = parent, SaveChoice(chosen); },
        [&](QWidget*, const QString& message) { shown << message; });
  };
  save();
  EXPECT_EQ(asked_parent, &window);
  EXPECT_TRUE(entries(folder).isEmpty() && shown.isEmpty());
  chosen = folder.filePath(QStringLiteral("manca/relazione.txt"));
  save();
  EXPECT_EQ(shown, QStringList{failure(chosen, "la cartella non esiste")});
  chosen = folder.filePath(QStringLiteral("relazione.txt"));
  save();
  EXPECT_EQ(shown.size(), 1);
  EXPECT_EQ(test::read_file(chosen.toStdString()), kReport);
  EXPECT_EQ(entries(folder), QStringList{QStringLiteral("relazione.txt")});
}

// The old file on a 64 KiB tmpfs, too small for the new one, then remounted read-only.
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
  EXPECT_EQ(write_report_file(target, kReport), failure(target, "il disco è in sola lettura"));
  EXPECT_EQ(test::read_file(target.toStdString()), "precedente");
  EXPECT_EQ(entries(folder), QStringList{QStringLiteral("relazione.txt")});
  ::umount2(disk, MNT_DETACH);
}

}  // namespace
}  // namespace fondara::window
