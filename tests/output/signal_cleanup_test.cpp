// fondara-calc, run as a child process, interrupted by a signal while its batch is being
// written over an existing file: it dies by that signal, the old file stays byte for byte
// and no temporary file is left beside it. A signal ignored from the start (nohup) stays
// ignored and the batch completes.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <set>
#include <thread>

#include "row_name.h"
#include "test_data.h"

namespace fondara::test {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr int kCleanupSignals[] = {SIGINT, SIGTERM, SIGHUP, SIGXFSZ, SIGPIPE};

struct Interruption {
  const char* name;
  int signal_number;
  bool ignored_at_start = false;
  rlim_t file_size_limit = RLIM_INFINITY;  // the kernel sends SIGXFSZ past it
};

const Interruption kInterruptions[] = {
    {"interrupt_from_the_terminal", SIGINT},
    {"termination", SIGTERM},
    {"hangup", SIGHUP},
    {"file_size_limit", SIGXFSZ, false, 256 * 1024},
    {"hangup_ignored_since_the_start_lets_the_batch_finish", SIGHUP, true},
};

// The batch's input: a header, then rows that compute.
const std::string kHeader =
    "lunghezza;larghezza;altezza;peso_terreno_rinterro;coesione_non_drenata\n";
std::string rows(int count) {
  std::string text;
  for (int i = 0; i < count; ++i) text += "10;2;1;1800;0,5\n";
  return text;
}

// Starts `fondara-calc coesivi --csv - --output out.csv` in `folder` with its standard
// input on the pipe `input`, its signals at their defaults but the row's ignored one, and
// the row's file-size limit. No core file is written.
pid_t start(const Interruption& row, const fs::path& folder, int input[2]) {
  const pid_t child = ::fork();
  if (child != 0) return child;
  ::dup2(input[0], 0);
  ::close(input[0]);
  ::close(input[1]);
  const int null = ::open("/dev/null", O_WRONLY);
  ::dup2(null, 1);
  ::dup2(null, 2);
  if (::chdir(folder.c_str()) != 0) ::_exit(127);
  for (const int signal_number : kCleanupSignals) ::signal(signal_number, SIG_DFL);
  if (row.ignored_at_start) ::signal(row.signal_number, SIG_IGN);
  sigset_t none;
  ::sigemptyset(&none);
  ::sigprocmask(SIG_SETMASK, &none, nullptr);
  const rlimit no_core{0, 0};
  ::setrlimit(RLIMIT_CORE, &no_core);
  const rlimit size{row.file_size_limit, row.file_size_limit};
  ::setrlimit(RLIMIT_FSIZE, &size);
  ::execl(FONDARA_CALC, "fondara-calc", "coesivi", "--csv", "-", "--output", "out.csv",
          static_cast<char*>(nullptr));
  ::_exit(127);
}

// A file other than out.csv in `folder` that already holds bytes: the batch is writing.
bool writing(const fs::path& folder) {
  for (const auto& entry : fs::directory_iterator(folder))
    if (entry.path().filename() != "out.csv" && entry.file_size() > 0) return true;
  return false;
}

// The wait status of `child`, killed if it has not ended within 20 seconds.
int wait_for(pid_t child) {
  int status = 0;
  for (const auto end = Clock::now() + std::chrono::seconds(20); Clock::now() < end;) {
    if (::waitpid(child, &status, WNOHANG) == child) return status;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  ::kill(child, SIGKILL);
  ::waitpid(child, &status, 0);
  ADD_FAILURE() << "fondara-calc did not end";
  return status;
}

void PrintTo(const Interruption& row, std::ostream* out) {
  *out << row.name;
}

class SignalCleanup : public testing::TestWithParam<Interruption> {};

TEST_P(SignalCleanup, LeavesTheOldFileAndNothingElse) {
  const Interruption& row = GetParam();
  std::string name = fs::temp_directory_path() / "fondara-signal-XXXXXX";
  ASSERT_NE(::mkdtemp(name.data()), nullptr);
  const fs::path folder = name;
  const std::string old = "precedente\r\n";
  std::ofstream(folder / "out.csv", std::ios::binary) << old;

  int input[2];
  ASSERT_EQ(::pipe(input), 0);
  const auto previous_pipe_action = ::signal(SIGPIPE, SIG_IGN);
  const pid_t child = start(row, folder, input);
  ::close(input[0]);
  // Rows until the batch's temporary file holds bytes (or, under a file-size limit, until
  // the program is gone): the signal then comes in the middle of the writing.
  const std::string chunk = rows(2000);
  bool gone = ::write(input[1], kHeader.data(), kHeader.size()) < 0;
  for (const auto end = Clock::now() + std::chrono::seconds(20); !gone && Clock::now() < end;) {
    gone = ::write(input[1], chunk.data(), chunk.size()) < 0;
    if (row.file_size_limit == RLIM_INFINITY && writing(folder)) {
      ::kill(child, row.signal_number);
      break;
    }
  }
  ::close(input[1]);
  const int status = wait_for(child);
  ::signal(SIGPIPE, previous_pipe_action);

  if (row.ignored_at_start) {
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "status " << status;
    EXPECT_TRUE(read_file(folder / "out.csv").starts_with("lunghezza;"));
  } else {
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == row.signal_number)
        << "status " << status;
    EXPECT_EQ(read_file(folder / "out.csv"), old);
  }
  std::set<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) names.insert(entry.path().filename());
  EXPECT_EQ(names, std::set<std::string>{"out.csv"});
  fs::remove_all(folder);
}

INSTANTIATE_TEST_SUITE_P(Batch, SignalCleanup, testing::ValuesIn(kInterruptions),
                         testing_support::RowName{});

}  // namespace
}  // namespace fondara::test
