// The file writer on real files: permissions and umask, owner, links, extended attributes,
// a rename that fails, a folder that refuses the temporary file. Rows that need root (to
// give files away, to mount, to act as another user) are skipped without it.
#include "output/file_writer.h"

#include <gtest/gtest.h>
#include <pwd.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <set>

#include "row_name.h"
#include "test_data.h"

namespace fondara::output {
namespace {

namespace fs = std::filesystem;

void spit(const fs::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

const passwd& nobody() {
  static const passwd* entry = ::getpwnam("nobody");
  return *entry;
}

// A fresh folder that another user may pass through, removed with all it holds (and
// anything mounted in it) at the end.
struct Folder {
  Folder() {
    EXPECT_NE(::mkdtemp(name.data()), nullptr);
    ::chmod(name.c_str(), 0755);
  }
  ~Folder() {
    for (const fs::path& mount : mounts) ::umount2(mount.c_str(), MNT_DETACH);
    fs::permissions(name, fs::perms::owner_all, fs::perm_options::add);
    fs::remove_all(name);
  }
  fs::path operator/(const std::string& file) const { return fs::path(name) / file; }
  std::set<std::string> names() const {
    std::set<std::string> found;
    for (const auto& entry : fs::directory_iterator(name)) found.insert(entry.path().filename());
    return found;
  }
  std::string name = fs::temp_directory_path() / "fondara-file-XXXXXX";
  std::vector<fs::path> mounts;
};

mode_t mode_of(const fs::path& path) {
  struct stat status {};
  ::lstat(path.c_str(), &status);
  return status.st_mode & 07777;
}

// How a row writes "new bytes" to its target: the umask, and whether as user nobody
// (root only), in a child process that takes that user's identity.
struct Run {
  mode_t umask = 022;
  bool as_nobody = false;
};

// The errno of writing "new bytes" to `path` as `run` says; 0 on success.
int write_as(const fs::path& path, const Run& run) {
  const auto write = [&] {
    const mode_t previous = ::umask(run.umask);
    const WriteOutcome written = write_file(path, "new bytes");
    ::umask(previous);
    return written ? 0 : written.error();
  };
  if (!run.as_nobody) return write();
  const pid_t child = ::fork();
  if (child == 0) {
    if (::setgid(nobody().pw_gid) != 0 || ::setuid(nobody().pw_uid) != 0) ::_exit(255);
    ::_exit(write());
  }
  int status = 0;
  ::waitpid(child, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

struct Scene {
  const char* name;
  std::function<void(Folder&)> make;  // what stands in the folder before the write
  std::string target;
  Run run;
  int error;  // the errno the write fails with, 0 when it succeeds
  std::function<void(const Folder&)> check;
  bool needs_root = false;
};

const std::string kOld = "old bytes, longer than the new ones";

void old_file(Folder& folder, mode_t mode) {
  spit(folder / "r.txt", kOld);
  ::chmod((folder / "r.txt").c_str(), mode);
}

// A folder that takes no new file from the writer, and a file of nobody's in it with
// `mode`, with a second name: as root the write runs as nobody, whom the folder refuses.
void refusing_folder(Folder& folder, mode_t mode) {
  old_file(folder, mode);
  ::chown((folder / "r.txt").c_str(), nobody().pw_uid, nobody().pw_gid);
  fs::create_hard_link(folder / "r.txt", folder / "second.txt");
  ::chmod(folder.name.c_str(), 0555);
}

const Run kAsNobodyWhenRoot{022, ::geteuid() == 0};

const Scene kScenes[] = {
    {"replaced_0644_file_keeps_0644",
     [](Folder& f) { old_file(f, 0644); },
     "r.txt",
     {},
     0,
     [](const Folder& f) { EXPECT_EQ(mode_of(f / "r.txt"), 0644u); }},
    {"new_file_takes_0666_less_the_umask",
     [](Folder&) {},
     "r.txt",
     {027},
     0,
     [](const Folder& f) { EXPECT_EQ(mode_of(f / "r.txt"), 0640u); }},
    {"replaced_file_keeps_its_owner",
     [](Folder& f) {
       old_file(f, 0644);
       ::chown((f / "r.txt").c_str(), nobody().pw_uid, nobody().pw_gid);
     },
     "r.txt",
     {},
     0,
     [](const Folder& f) {
       struct stat status {};
       ::stat((f / "r.txt").c_str(), &status);
       EXPECT_EQ(status.st_uid, nobody().pw_uid);
       EXPECT_EQ(status.st_gid, nobody().pw_gid);
     },
     true},
    {"relative_link_is_resolved_from_its_own_folder",
     [](Folder& f) {
       fs::create_directory(f / "sub");
       spit(f / "sub/target.txt", kOld);
       spit(f / "target.txt", kOld);
       fs::create_symlink("target.txt", f / "sub/link");
     },
     "sub/link",
     {},
     0,
     [](const Folder& f) {
       EXPECT_EQ(test::read_file(f / "sub/target.txt"), "new bytes");
       EXPECT_EQ(test::read_file(f / "target.txt"), kOld);
       EXPECT_TRUE(fs::is_symlink(f / "sub/link"));
     }},
    {"other_names_of_a_replaced_file_keep_the_old_bytes",
     [](Folder& f) {
       old_file(f, 0644);
       fs::create_hard_link(f / "r.txt", f / "second.txt");
     },
     "r.txt",
     {},
     0,
     [](const Folder& f) { EXPECT_EQ(test::read_file(f / "second.txt"), kOld); }},
    {"extended_attributes_and_acl_are_kept",
     [](Folder& f) {
       old_file(f, 0640);
       ::setxattr((f / "r.txt").c_str(), "user.fondara", "valore", 6, 0);
       ASSERT_EQ(std::system(("setfacl -m u:nobody:rw " + (f / "r.txt").string()).c_str()), 0);
     },
     "r.txt",
     {},
     0,
     [](const Folder& f) {
       char value[16] = {};
       EXPECT_EQ(::getxattr((f / "r.txt").c_str(), "user.fondara", value, sizeof value), 6);
       EXPECT_STREQ(value, "valore");
       const std::string acl = "getfacl -c " + (f / "r.txt").string() + " 2>/dev/null";
       EXPECT_EQ(std::system((acl + " | grep -qx 'user:nobody:rw-'").c_str()), 0);
       EXPECT_EQ(mode_of(f / "r.txt"), 0660u);  // the ACL's mask in the group bits
     }},
    {"attribute_our_privileges_refuse_is_left_out",
     [](Folder& f) {
       old_file(f, 0666);
       ASSERT_EQ(::setxattr((f / "r.txt").c_str(), "security.fondara", "x", 1, 0), 0);
       ::chmod(f.name.c_str(), 0777);
     },
     "r.txt",
     {022, true},
     0,
     [](const Folder& f) {
       EXPECT_LT(::getxattr((f / "r.txt").c_str(), "security.fondara", nullptr, 0), 0);
     },
     true},
    {"failed_rename_is_reported_and_leaves_no_temporary",
     [](Folder& f) {
       old_file(f, 0644);
       spit(f / "bound.txt", "mounted over");
       ASSERT_EQ(
           ::mount((f / "bound.txt").c_str(), (f / "r.txt").c_str(), nullptr, MS_BIND, nullptr), 0);
       f.mounts.push_back(f / "r.txt");
     },
     "r.txt",
     {},
     EBUSY,
     [](const Folder& f) { EXPECT_EQ(test::read_file(f / "r.txt"), "mounted over"); },
     true},
    {"folder_refusing_the_temporary_writes_a_writable_file_in_place",
     [](Folder& f) { refusing_folder(f, 0644); }, "r.txt", kAsNobodyWhenRoot, 0,
     [](const Folder& f) {
       EXPECT_EQ(test::read_file(f / "second.txt"), "new bytes");
       EXPECT_EQ(mode_of(f / "r.txt"), 0644u);
     }},
    {"folder_refusing_the_temporary_refuses_a_read_only_file",
     [](Folder& f) { refusing_folder(f, 0444); }, "r.txt", kAsNobodyWhenRoot, EACCES,
     [](const Folder& f) { EXPECT_EQ(test::read_file(f / "second.txt"), kOld); }},
};

void PrintTo(const Scene& row, std::ostream* out) {
  *out << row.name;
}

class FileWriterScene : public testing::TestWithParam<Scene> {};

// Afterwards the target holds the new bytes, or its old ones after a failure, and the
// folder holds nothing that was not there before.
TEST_P(FileWriterScene, WritesAndLeavesTheFolderAsExpected) {
  const Scene& scene = GetParam();
  if ((scene.needs_root || scene.run.as_nobody) && ::geteuid() != 0)
    GTEST_SKIP() << "needs root: not run here";
  Folder folder;
  scene.make(folder);
  const std::set<std::string> before = folder.names();
  const fs::path target = folder / scene.target;
  EXPECT_EQ(write_as(target, scene.run), scene.error) << cause_text(scene.error);
  // A failed rename leaves what is mounted over the target, checked by its row.
  if (scene.error != EBUSY) {
    EXPECT_EQ(test::read_file(target), scene.error == 0 ? "new bytes" : kOld);
  }
  std::set<std::string> after = folder.names();
  after.erase(fs::path(scene.target).filename());
  std::set<std::string> expected = before;
  expected.erase(fs::path(scene.target).filename());
  EXPECT_EQ(after, expected) << "a temporary file was left";
  scene.check(folder);
}

INSTANTIATE_TEST_SUITE_P(Files, FileWriterScene, testing::ValuesIn(kScenes),
                         testing_support::RowName{});

}  // namespace
}  // namespace fondara::output
