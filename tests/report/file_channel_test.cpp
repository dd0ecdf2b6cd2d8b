// The file channel writing real files: new, replaced, and failing ones that must leave
// an existing file exactly as it was.
#include "report/file_channel.h"

#include <gtest/gtest.h>
#include <sys/mount.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QWidget>
#include <cstdlib>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "qt_print.h"

namespace fondara::report {
namespace {

// Windows-1252 report bytes: "à" is E0, "Ø" is D8, lines end in CR LF.
const std::string report_bytes =
    "PROGRAMMA: FONDARA\r\n\r\na profondit\xE0 H\r\n\xD8'    =  30  gradi\r\n\r\n";
const std::string old_bytes = "relazione precedente\r\n\xE0\xD8\r\n";

QByteArray contents(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return {};
  return file.readAll();
}

bool put(const QString& path, const std::string& bytes) {
  QFile file(path);
  return file.open(QIODevice::WriteOnly) &&
         file.write(bytes.data(), static_cast<qint64>(bytes.size())) ==
             static_cast<qint64>(bytes.size());
}

QStringList entries(const QString& folder) {
  return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
}

// A small tmpfs mounted on a folder for the length of a test (needs root).
class Tmpfs {
 public:
  explicit Tmpfs(const QString& folder) : folder_(QFile::encodeName(folder).toStdString()) {
    mounted_ = ::mount("tmpfs", folder_.c_str(), "tmpfs", 0, "size=64k") == 0;
  }
  ~Tmpfs() {
    if (mounted_) ::umount2(folder_.c_str(), MNT_DETACH);
  }
  Tmpfs(const Tmpfs&) = delete;
  Tmpfs& operator=(const Tmpfs&) = delete;

  bool mounted() const { return mounted_; }
  bool make_read_only() {
    return ::mount(nullptr, folder_.c_str(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr) == 0;
  }

 private:
  std::string folder_;
  bool mounted_ = false;
};

// Fills the file system holding `folder` until a write fails.
void fill(const QString& folder) {
  QFile filler(folder + QStringLiteral("/riempitivo"));
  if (!filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) return;
  const QByteArray block(512, 'x');
  while (filler.write(block) == block.size()) {
  }
  while (filler.write("x", 1) == 1) {
  }
}

// Drops the effective user id to "nobody" while it lives, so that folder permissions
// apply to a test run as root.
class AsNobody {
 public:
  AsNobody() : was_root_(::geteuid() == 0) {
    if (was_root_) dropped_ = ::seteuid(65534) == 0;
  }
  ~AsNobody() {
    // The rest of the run needs root back.
    if (dropped_ && ::seteuid(0) != 0) std::abort();
  }
  AsNobody(const AsNobody&) = delete;
  AsNobody& operator=(const AsNobody&) = delete;
  bool ok() const { return !was_root_ || dropped_; }

 private:
  bool was_root_;
  bool dropped_ = false;
};

class FileChannel : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(folder_.isValid()); }
  QString path(const QString& name) const { return folder_.filePath(name); }

  QTemporaryDir folder_;
};

TEST_F(FileChannel, WritesTheBytesToANewFile) {
  const QString target = path(QStringLiteral("relazione.txt"));
  EXPECT_EQ(write_file(target, report_bytes), std::nullopt);
  EXPECT_EQ(contents(target), QByteArray::fromStdString(report_bytes));
  EXPECT_EQ(entries(folder_.path()), QStringList{QStringLiteral("relazione.txt")});
}

TEST_F(FileChannel, ReplacesAnExistingFileWhole) {
  const QString target = path(QStringLiteral("relazione.txt"));
  const std::string longer = report_bytes + report_bytes + report_bytes;
  ASSERT_EQ(write_file(target, longer), std::nullopt);
  ASSERT_EQ(write_file(target, report_bytes), std::nullopt);
  EXPECT_EQ(contents(target), QByteArray::fromStdString(report_bytes));
  EXPECT_EQ(entries(folder_.path()), QStringList{QStringLiteral("relazione.txt")});
}

TEST_F(FileChannel, MissingFolderIsReportedAndNothingIsCreated) {
  const QString target = path(QStringLiteral("manca/relazione.txt"));
  const std::optional<QString> error = write_file(target, report_bytes);
  ASSERT_TRUE(error.has_value());
  EXPECT_EQ(
      *error,
      QStringLiteral("Impossibile scrivere il file \"%1\": la cartella non esiste.").arg(target));
  EXPECT_TRUE(entries(folder_.path()).isEmpty());
}

// Each failure names the file and its cause, and leaves the existing file byte for
// byte as it was, with no temporary file beside it.
TEST_F(FileChannel, FailuresLeaveTheExistingFileIntact) {
  struct Case {
    const char* name;
    const char* cause;
    // Prepares the folder that already holds the old file; false when the machine
    // cannot provide the condition.
    std::function<bool(const QString& folder, std::unique_ptr<Tmpfs>& mount)> prepare;
    std::string bytes;
    bool needs_mount = true;
    bool as_nobody = false;
  };
  const auto mount_with_old_file = [](const QString& folder, std::unique_ptr<Tmpfs>& mount) {
    mount = std::make_unique<Tmpfs>(folder);
    return mount->mounted() && put(folder + QStringLiteral("/relazione.txt"), old_bytes);
  };
  const Case cases[] = {
      {"read-only disk", "il disco è in sola lettura",
       [&](const QString& folder, std::unique_ptr<Tmpfs>& mount) {
         return mount_with_old_file(folder, mount) && mount->make_read_only();
       },
       report_bytes},
      // A write small enough for a buffer: it must fail, not commit an empty file.
      {"full disk, small report", "spazio esaurito sul disco",
       [&](const QString& folder, std::unique_ptr<Tmpfs>& mount) {
         if (!mount_with_old_file(folder, mount)) return false;
         fill(folder);
         return true;
       },
       report_bytes},
      {"full disk, large report", "spazio esaurito sul disco",
       [&](const QString& folder, std::unique_ptr<Tmpfs>& mount) {
         return mount_with_old_file(folder, mount);
       },
       std::string(200 * 1024, 'x')},
      {"no permission on the folder", "permesso negato",
       [](const QString& folder, std::unique_ptr<Tmpfs>&) {
         return put(folder + QStringLiteral("/relazione.txt"), old_bytes) &&
                QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner |
                                                  QFile::ReadOther | QFile::ExeOther);
       },
       report_bytes, false, true},
  };
  bool can_mount = false;
  {
    QTemporaryDir probe;
    can_mount = probe.isValid() && Tmpfs(probe.path()).mounted();
  }
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    if (c.needs_mount && !can_mount) continue;
    QTemporaryDir parent;
    ASSERT_TRUE(parent.isValid());
    QFile::setPermissions(parent.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                             QFile::ReadOther | QFile::ExeOther);
    const QString folder = parent.filePath(QStringLiteral("cartella"));
    ASSERT_TRUE(QDir().mkdir(folder));
    const QString target = folder + QStringLiteral("/relazione.txt");
    std::unique_ptr<Tmpfs> mount;
    ASSERT_TRUE(c.prepare(folder, mount));
    const QStringList before = entries(folder);

    std::optional<AsNobody> user;
    if (c.as_nobody) {
      user.emplace();
      ASSERT_TRUE(user->ok());
    }
    const std::optional<QString> error = write_file(target, c.bytes);
    user.reset();
    ASSERT_TRUE(error.has_value());
    EXPECT_EQ(*error, QStringLiteral("Impossibile scrivere il file \"%1\": %2.")
                          .arg(target, QString::fromUtf8(c.cause)));
    EXPECT_EQ(contents(target), QByteArray::fromStdString(old_bytes));
    EXPECT_EQ(entries(folder), before);
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
  }
  if (!can_mount) GTEST_SKIP() << "tmpfs cannot be mounted: read-only and full disk not tested";
}

TEST_F(FileChannel, SaveWritesOnlyWhenANameWasChosen) {
  const QString target = path(QStringLiteral("relazione.txt"));
  QWidget window;
  QWidget* asked_parent = nullptr;
  const SaveResult cancelled = save_file(
      &window,
      [&](QWidget* parent) {
        asked_parent = parent;
        return QString();
      },
      report_bytes);
  EXPECT_EQ(cancelled.outcome, SaveResult::Outcome::cancelled);
  EXPECT_EQ(asked_parent, &window);
  EXPECT_TRUE(entries(folder_.path()).isEmpty());

  const SaveResult written = save_file(
      nullptr, [&](QWidget*) { return target; }, report_bytes);
  EXPECT_EQ(written.outcome, SaveResult::Outcome::written);
  EXPECT_EQ(written.path, target);
  EXPECT_EQ(contents(target), QByteArray::fromStdString(report_bytes));

  const QString missing = path(QStringLiteral("manca/relazione.txt"));
  const SaveResult failed = save_file(
      nullptr, [&](QWidget*) { return missing; }, report_bytes);
  EXPECT_EQ(failed.outcome, SaveResult::Outcome::failed);
  EXPECT_TRUE(failed.error.contains(missing));
}

}  // namespace
}  // namespace fondara::report
