// The file writer on real files, each scene made by shell commands in a fresh folder (skipped
// without root where it needs it); fondara-calc killed by a signal while it replaces a file.
#include "output/file_writer.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <pwd.h>
#include <signal.h>
#include <sys/mount.h>
#include <sys/wait.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "row_name.h"
#include "test_data.h"

namespace fondara::output {
namespace {

namespace fs = std::filesystem;

// A fresh folder another user may pass through, removed with all it holds and a scene's mount.
struct Folder {
  Folder() {
    EXPECT_NE(::mkdtemp(name.data()), nullptr);
    fs::permissions(name, fs::perms(0755));
  }
  ~Folder() { ::umount2((name + "/r").c_str(), MNT_DETACH), fs::remove_all(name); }
  int shell(const std::string& commands) const {
    return std::system(("cd '" + name + "' || exit; " + commands).c_str());
  }
  std::string name = fs::temp_directory_path() / "fondara-file-XXXXXX";
};

// What stands in the folder before "new" is written to `target`; a shell test afterwards.
struct Scene {
  const char* name;
  const char* before;
  int error;  // the errno the write fails with, 0 when it succeeds
  const char* after;
  bool as_nobody = false;
  mode_t umask = 022;
  std::string target = "r";
  const char* attribute = nullptr;  // an extended attribute given "v" on r before the write
  bool attribute_kept = true;
};

// clang-format off
const Scene kScenes[] = {
    {"new_file_takes_0666_less_the_umask", "", 0, "test $(stat -c %a r) = 640", false, 027},
    {"replaced_file_keeps_its_mode_and_owner", "echo old >r && chmod 604 r && chown nobody r", 0,
     "test $(cat r):$(stat -c %a:%U r) = new:604:nobody"},
    {"other_names_of_a_replaced_file_keep_the_old_bytes", "echo old >r && ln r second", 0, "test $(cat r):$(cat second) = new:old"},
    {"link_is_followed_from_its_folder", "mkdir sub && echo old >t && cp t sub && ln -s t sub/r", 0,
     "test -L sub/r && test $(cat sub/t):$(cat t) = new:old", false, 022, "sub/r"},
    {"dangling_link_creates_its_target", "ln -s t r", 0, "test -L r && test $(cat t) = new"},
    {"acl_and_extended_attributes_are_kept", "echo old >r && setfacl -m u:nobody:rw r", 0,
     "getfacl -c r | grep -qx user:nobody:rw-", false, 022, "r", "user.f"},
    {"attribute_our_privileges_refuse_is_left_out", "echo old >r && chmod 666 r && chmod 777 .", 0,
     "test $(cat r) = new", true, 022, "r", "security.f", false},
    {"failed_rename_is_reported", "echo old >r && echo mounted >b && mount --bind b r", EBUSY, "test $(cat r) = mounted"},
    {"folder_refusing_the_temporary_writes_the_file_in_place", "echo old >r && chown nobody r && ln r second && chmod 555 .", 0,
     "test $(cat second) = new", true},
    {"another_users_file_in_a_shared_folder_is_refused", "echo old >r && chmod 777 .", EACCES, "test $(cat r) = old", true},
    {"read_only_file_in_a_writable_folder_is_refused", "echo old >r && chmod 444 r", EACCES, "test $(cat r) = old"},
    {"device_is_written_not_replaced", "mknod r c 1 7", ENOSPC, "test -c r"},
    {"fifo_without_a_reader_is_refused_at_once", "mkfifo r", ENXIO, "test -p r"},
    {"longest_name_is_written_its_temporary_name_shortened", "", 0, "test $(cat n*) = new", false, 022, std::string(255, 'n')},
};
// clang-format on

// The errno of writing "new" to `path` with the scene's umask and user, in a child process.
int write_new(const std::string& path, const Scene& scene) {
  if (const pid_t child = ::fork(); child != 0) {
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
  ::umask(scene.umask);
  const passwd* nobody = ::getpwnam("nobody");
  if (scene.as_nobody && (::setgid(nobody->pw_gid) != 0 || ::setuid(nobody->pw_uid) != 0))
    ::_exit(255);
  const WriteOutcome written = write_file(path, "new");
  ::_exit(written ? 0 : written.error());
}

class FileWriterScene : public testing::TestWithParam<Scene> {};

TEST_P(FileWriterScene, WritesOrFailsAndLeavesNoTemporary) {
  const Scene& scene = GetParam();
  const Folder folder;
  const int made = folder.shell(scene.before);
  if (::geteuid() != 0 && (made != 0 || scene.as_nobody)) GTEST_SKIP() << "needs root";
  ASSERT_EQ(made, 0);
  const std::string target = folder.name + "/" + scene.target;
  if (scene.attribute) {
    ASSERT_EQ(::setxattr(target.c_str(), scene.attribute, "v", 1, 0), 0);
  }
  EXPECT_EQ(write_new(target, scene), scene.error);
  EXPECT_EQ(folder.shell(scene.after), 0) << scene.after;
  char value = 0;
  if (scene.attribute) {
    EXPECT_EQ(::getxattr(target.c_str(), scene.attribute, &value, 1) == 1 && value == 'v',
              scene.attribute_kept);
  }
  EXPECT_EQ(folder.shell("test -z \"$(find . -name '.?*')\""), 0) << "a temporary file was left";
}

INSTANTIATE_TEST_SUITE_P(Files, FileWriterScene, testing::ValuesIn(kScenes),
                         testing_support::RowName{});

// A FIFO whose reader falls behind gets every byte: the writer waits for room in the pipe.
TEST(FileWriter, FifoWithASlowReaderGetsEveryByte) {
  const Folder folder;
  const std::string fifo = folder.name + "/r", bytes(1 << 20, 'x');
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  const int reader = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
  std::string received;
  std::thread slow([&] {
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    ::fcntl(reader, F_SETFL, 0);
    char chunk[4096];
    for (ssize_t n; (n = ::read(reader, chunk, sizeof chunk)) > 0 || received.empty();)
      received.append(chunk, static_cast<std::size_t>(std::max<ssize_t>(n, 0)));
  });
  EXPECT_TRUE(write_file(fifo, bytes).ok());
  slow.join();
  ::close(reader);
  EXPECT_EQ(received, bytes);
}

// fondara-calc replacing out.csv with a batch from a pipe, fed until the temporary file holds
// bytes, then signalled (under a size limit, by the kernel): it dies by the signal, leaving
// the old file alone. A signal ignored since the start (nohup) stays ignored.
const char* const kBatchScript = R"sh(ulimit -c 0 && printf 'precedente\r\n' >out.csv
{ echo 'lunghezza;larghezza;altezza;peso_terreno_rinterro;coesione_non_drenata'
  while [ $SIGNAL = XFSZ ] || [ -z "$(find . -name '.out.csv.?*' -size +0)" ]; do
    yes '10;2;1;1800;0,5' | head -n 2000 || exit
  done
  kill -$SIGNAL $(cat pid)
} | sh -c "echo \$\$ >pid && $BEFORE exec '$CALC' coesivi --csv - --output out.csv" 2>/dev/null
status=$?; rm pid; exit $status)sh";

struct Interruption {
  const char* name;
  const char* signal;
  int exit_status;  // the shell's: 128 and the signal's number for a program it ended
  const char* before = "";
};

const Interruption kInterruptions[] = {
    {"interrupt_from_the_terminal", "INT", 128 + SIGINT},
    {"termination", "TERM", 128 + SIGTERM},
    {"hangup", "HUP", 128 + SIGHUP},
    {"file_size_limit", "XFSZ", 128 + SIGXFSZ, "ulimit -f 512 &&"},
    {"hangup_ignored_since_the_start_lets_the_batch_finish", "HUP", 0, "trap \"\" HUP &&"},
};

class SignalCleanup : public testing::TestWithParam<Interruption> {};

TEST_P(SignalCleanup, LeavesTheOldFileAndNothingElse) {
  const Interruption& row = GetParam();
  const Folder folder;
  ::setenv("SCRIPT", kBatchScript, 1);
  const int status = folder.shell("SIGNAL=" + std::string(row.signal) + " BEFORE='" + row.before +
                                  "' CALC='" FONDARA_CALC "' timeout -s KILL 20 sh -c \"$SCRIPT\"");
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == row.exit_status) << status;
  const std::string kept = test::read_file(folder.name + "/out.csv");
  EXPECT_TRUE(row.exit_status ? kept == "precedente\r\n" : kept.starts_with("lunghezza;"));
  EXPECT_EQ(folder.shell("test \"$(ls -A)\" = out.csv"), 0) << "a temporary file was left";
}

INSTANTIATE_TEST_SUITE_P(Batch, SignalCleanup, testing::ValuesIn(kInterruptions),
                         testing_support::RowName{});

}  // namespace
}  // namespace fondara::output
