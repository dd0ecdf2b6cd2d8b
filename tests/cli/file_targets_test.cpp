// --report and --output onto FIFOs, device nodes, links and files: only a file is replaced.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>

#include "run_program.h"

namespace fondara::test {
namespace {

using test::PrintTo;
namespace fs = std::filesystem;

// clang-format off
// What exists under the name before the program runs.
enum class Existing { full_device, null_device, fifo, read_fifo, link, dangling_link, file, others };

struct Target {
  const char* name;
  Existing existing;
  std::string cause;              // empty when the write succeeds
  mode_t type;                    // what "relazione.txt" is afterwards
  const char* holding = nullptr;  // the file then holding the output (the old bytes on failure)
};

const Target kTargets[] = {
    {"full_device_is_written_not_replaced", Existing::full_device, "spazio esaurito", S_IFCHR},
    {"null_device_is_written_not_replaced", Existing::null_device, "", S_IFCHR},
    {"fifo_without_reader_is_refused_at_once", Existing::fifo,
     "nessun programma legge la FIFO, o il dispositivo non esiste", S_IFIFO},
    {"fifo_with_reader_gets_the_bytes", Existing::read_fifo, "", S_IFIFO, "letti.txt"},
    {"link_is_written_through", Existing::link, "", S_IFLNK, "vera.txt"},
    {"dangling_link_creates_its_target", Existing::dangling_link, "", S_IFLNK, "vera.txt"},
    {"private_file_stays_private", Existing::file, "", S_IFREG | 0600, "relazione.txt"},
    {"read_only_file_in_a_writable_folder_is_refused", Existing::file,
     "permesso negato", S_IFREG | 0400, "relazione.txt"},
    {"another_users_file_in_a_shared_folder_is_refused", Existing::others,
     "permesso negato", S_IFREG | 0644, "relazione.txt"},
};
// clang-format on

// Makes what exists under "relazione.txt" (a regular file with the row's permissions):
// false when only root may. A FIFO's reader is a process copying it into "letti.txt",
// open before the program starts.
bool make(const Target& row, const TempFolder& folder) {
  const fs::path path = folder / "relazione.txt";
  switch (row.existing) {
    case Existing::full_device:
    case Existing::null_device:
      return ::mknod(path.c_str(), S_IFCHR | 0666,
                     makedev(1, row.existing == Existing::full_device ? 7 : 3)) == 0;
    case Existing::read_fifo: {
      const int reader =
          ::mkfifo(path.c_str(), 0600) ? -1 : ::open(path.c_str(), O_RDONLY | O_NONBLOCK);
      if (reader >= 0 && ::fork() == 0) {
        ::fcntl(reader, F_SETFL, 0);
        ::alarm(20);
        ::usleep(300000);  // a slow reader: the 4000-row batch meets a full pipe
        std::string bytes(1 << 20, '\0');
        std::size_t size = 0;
        for (ssize_t n; (n = ::read(reader, &bytes[size], 4096)) > 0 || size == 0;)
          size += std::max<ssize_t>(n, 0);
        spit(folder / "letti.txt", bytes.substr(0, size));
        ::_exit(0);
      }
      return reader >= 0 && ::close(reader) == 0;
    }
    case Existing::fifo:
      return ::mkfifo(path.c_str(), 0600) == 0;
    case Existing::link:
      spit(folder / "vera.txt", "precedente");
      [[fallthrough]];
    case Existing::dangling_link:
      return ::symlink("vera.txt", path.c_str()) == 0;
    case Existing::file:
    case Existing::others:
      spit(path, "precedente");
      if (row.existing == Existing::others) ::chmod(folder.path().c_str(), 0777);
      return ::chmod(path.c_str(), row.type & 07777) == 0 &&
             (row.existing == Existing::file || ::geteuid() == 0);
  }
  return false;
}

class FondaraCalcTarget : public testing::TestWithParam<Target> {};

TEST_P(FondaraCalcTarget, ReportAndBatchOutput) {
  std::string input = "lunghezza;larghezza;altezza;peso_terreno_rinterro;coesione_non_drenata\n";
  for (int row = 0; row < 4000; ++row) input += "1;1;1;1;1\n";
  for (const bool batch : {false, true}) {
    SCOPED_TRACE(batch ? "--output" : "--report");
    TempFolder folder;
    const auto args_to = [&](const std::string& target) {
      auto args = batch ? std::vector<std::string>{"coesivi", "--csv", "-", "--output"} : kCoesivi;
      if (!batch) args.emplace_back("--report");
      return args.emplace_back(target), args;
    };
    const std::string bytes = run_fondara_calc(args_to("-"), folder, {input}).out;
    if (!make(GetParam(), folder)) {
      GTEST_SKIP() << "needs root: not run here";
    }
    const auto path = folder / "relazione.txt";
    const Outcome run = run_fondara_calc(args_to(path), folder,
                                         {input, "", "", GetParam().existing == Existing::others});
    const bool fails = !GetParam().cause.empty();
    EXPECT_EQ(run.exit_code, fails ? 3 : 0);
    EXPECT_EQ(run.err, fails ? "fondara-calc: Impossibile scrivere il file \"" + path.string() +
                                   "\": " + GetParam().cause + ".\n"
                             : "");
    struct stat status {};
    ASSERT_EQ(::lstat(path.c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & (GetParam().type & 07777 ? S_IFMT | 07777 : S_IFMT),
              GetParam().type);
    if (GetParam().existing == Existing::read_fifo) ::wait(nullptr);
    const std::string expected = fails ? "precedente" : bytes;
    const char* holding = GetParam().holding;
    EXPECT_EQ(holding ? slurp(folder / holding) : expected, expected) << holding;
  }
}

INSTANTIATE_TEST_SUITE_P(Existing, FondaraCalcTarget, testing::ValuesIn(kTargets),
                         testing::PrintToStringParamName());

// The temporary file's name stays within the folder's limit on names (255 bytes).
TEST(FondaraCalcTarget, LongestNamesAreWritten) {
  TempFolder folder;
  for (const std::size_t length : {248u, 255u, 256u}) {
    const auto path = folder / std::string(length, 'r');
    const Outcome run = run_fondara_calc(
        {"coesivi", "--csv", "-", "--output", path.string()}, folder,
        {"lunghezza;larghezza;altezza;peso_terreno_rinterro;coesione_non_drenata\n"});
    EXPECT_EQ(run.exit_code, length <= 255 ? 0 : 3) << length;
    std::error_code too_long;
    EXPECT_EQ(fs::exists(path, too_long), length <= 255) << length;
    EXPECT_EQ(run.err.find(": il nome è troppo lungo.") != std::string::npos, length > 255);
  }
  EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()), {}), 2) << "no temporary left";
}

}  // namespace
}  // namespace fondara::test
