// What fondara-calc's --report and --output do to what already exists under the name:
// only a regular file is replaced; links are followed, permissions kept, read-only files,
// FIFOs and devices respected. FIFOs and device nodes live in the test's own folder.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>

#include <functional>

#include "row_name.h"
#include "run_program.h"

namespace fondara::test {
namespace {

using test::PrintTo;

namespace fs = std::filesystem;

const std::vector<std::string> kCoesivi = {"coesivi",      "lunghezza=10", "larghezza=2",
                                           "altezza=1",    "peso_terreno_rinterro=1800",
                                           "coesione_non_drenata=0,5"};
const std::string kOld = "relazione precedente\r\n";

mode_t mode_of(const fs::path& path) {
  struct stat status {};
  return ::lstat(path.c_str(), &status) == 0 ? status.st_mode : 0;
}

// The reading end of the FIFO row, open while the program writes.
int fifo_reader = -1;

bool make_device(const fs::path& path, unsigned minor) {
  return ::mknod(path.c_str(), S_IFCHR | 0666, makedev(1, minor)) == 0;
}

struct Target {
  const char* name;
  // Makes what exists under "relazione.txt" in the folder; false when this machine
  // cannot (the reason is then the row's skip).
  std::function<bool(const TempFolder&)> prepare;
  std::string cause;  // empty when the write succeeds
  // What must hold of the folder afterwards.
  std::function<void(const TempFolder&, const std::string& written)> check;
  bool as_nobody = false;
};

const Target kTargets[] = {
    {"full_device_is_written_not_replaced",
     [](const TempFolder& f) { return make_device(f / "relazione.txt", 7); }, "spazio esaurito",
     [](const TempFolder& f, const std::string&) {
       EXPECT_TRUE(S_ISCHR(mode_of(f / "relazione.txt")));
     }},
    {"null_device_takes_the_bytes_and_stays",
     [](const TempFolder& f) { return make_device(f / "relazione.txt", 3); }, "",
     [](const TempFolder& f, const std::string&) {
       EXPECT_TRUE(S_ISCHR(mode_of(f / "relazione.txt")));
     }},
    {"fifo_without_reader_is_refused_at_once",
     [](const TempFolder& f) { return ::mkfifo((f / "relazione.txt").c_str(), 0600) == 0; },
     "nessun programma legge la FIFO, o il dispositivo non esiste",
     [](const TempFolder& f, const std::string&) {
       EXPECT_TRUE(S_ISFIFO(mode_of(f / "relazione.txt")));
     }},
    {"fifo_with_reader_gets_the_bytes_and_stays",
     [](const TempFolder& f) {
       fifo_reader = ::mkfifo((f / "relazione.txt").c_str(), 0600) == 0
                         ? ::open((f / "relazione.txt").c_str(), O_RDONLY | O_NONBLOCK)
                         : -1;
       return fifo_reader >= 0;
     },
     "",
     [](const TempFolder& f, const std::string& written) {
       std::string read(written.size() + 1, '\0');
       read.resize(static_cast<std::size_t>(std::max(0L, ::read(fifo_reader, read.data(), read.size()))));
       ::close(fifo_reader);
       EXPECT_EQ(read, written);
       EXPECT_TRUE(S_ISFIFO(mode_of(f / "relazione.txt")));
     }},
    {"link_is_written_through_to_its_file",
     [](const TempFolder& f) {
       spit(f / "vera.txt", kOld);
       fs::create_symlink("vera.txt", f / "relazione.txt");
       return true;
     },
     "",
     [](const TempFolder& f, const std::string& written) {
       EXPECT_TRUE(S_ISLNK(mode_of(f / "relazione.txt")));
       EXPECT_EQ(slurp(f / "vera.txt"), written);
     }},
    {"dangling_link_creates_its_target",
     [](const TempFolder& f) {
       fs::create_symlink("nuova.txt", f / "relazione.txt");
       return true;
     },
     "",
     [](const TempFolder& f, const std::string& written) {
       EXPECT_EQ(slurp(f / "nuova.txt"), written);
     }},
    {"private_file_stays_private",
     [](const TempFolder& f) {
       spit(f / "relazione.txt", kOld);
       fs::permissions(f / "relazione.txt", fs::perms::owner_read | fs::perms::owner_write);
       return true;
     },
     "",
     [](const TempFolder& f, const std::string& written) {
       EXPECT_EQ(mode_of(f / "relazione.txt") & 07777, 0600u);
       EXPECT_EQ(slurp(f / "relazione.txt"), written);
     }},
    {"read_only_file_in_a_writable_folder_is_refused",
     [](const TempFolder& f) {
       spit(f / "relazione.txt", kOld);
       fs::permissions(f / "relazione.txt", fs::perms::owner_read);
       return true;
     },
     "permesso negato",
     [](const TempFolder& f, const std::string&) {
       EXPECT_EQ(slurp(f / "relazione.txt"), kOld);
     }},
    {"another_users_file_in_a_shared_folder_is_refused",
     [](const TempFolder& f) {
       spit(f / "relazione.txt", kOld);
       fs::permissions(f.path(), fs::perms::all);
       return ::geteuid() == 0;
     },
     "permesso negato",
     [](const TempFolder& f, const std::string&) {
       EXPECT_EQ(slurp(f / "relazione.txt"), kOld);
     },
     true},
};

class FondaraCalcTarget : public testing::TestWithParam<Target> {};

TEST_P(FondaraCalcTarget, ReportAndBatchOutput) {
  const std::string input =
      "lunghezza;larghezza;altezza;peso_terreno_rinterro;coesione_non_drenata\n1;1;1;1;1\n";
  for (const bool batch : {false, true}) {
    SCOPED_TRACE(batch ? "--output" : "--report");
    TempFolder folder;
    const auto args_to = [&](const std::string& target) {
      std::vector<std::string> args = {"coesivi", "--csv", "-", "--output", target};
      if (!batch) (args = kCoesivi).insert(args.end(), {"--report", target});
      return args;
    };
    const std::string written = run_fondara_calc(args_to("-"), folder, {input}).out;
    if (!GetParam().prepare(folder))
      GTEST_SKIP() << "needs root (device nodes, another user): not run here";
    const auto path = (folder / "relazione.txt").string();
    const Outcome run = run_fondara_calc(args_to(path), folder, {input, "", "", GetParam().as_nobody});
    if (GetParam().cause.empty()) {
      EXPECT_EQ(run.exit_code, 0) << run.err;
    } else {
      EXPECT_EQ(run.exit_code, 3);
      EXPECT_EQ(run.err, "fondara-calc: Impossibile scrivere il file \"" + path + "\": " +
                             GetParam().cause + ".\n");
    }
    GetParam().check(folder, written);
  }
}

INSTANTIATE_TEST_SUITE_P(Existing, FondaraCalcTarget, testing::ValuesIn(kTargets),
                         testing_support::RowName{});

// The temporary file's name stays within the folder's limit on names (255 bytes).
TEST(FondaraCalcTarget, LongestNamesAreWritten) {
  TempFolder folder;
  for (const std::size_t length : {248u, 255u, 256u}) {
    const auto path = folder / std::string(length, 'r');
    const std::vector<std::string> args = {"coesivi", "--csv", "-", "--output", path.string()};
    const Outcome run = run_fondara_calc(
        args, folder, {"lunghezza;larghezza;altezza;peso_terreno_rinterro;coesione_non_drenata\n"});
    EXPECT_EQ(run.exit_code, length <= 255 ? 0 : 3) << length;
    std::error_code too_long;
    EXPECT_EQ(fs::exists(path, too_long), length <= 255) << length;
    EXPECT_EQ(run.err.find(": il nome è troppo lungo.") != std::string::npos, length > 255);
  }
  EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()), {}), 2) << "no temporary left";
}

}  // namespace
}  // namespace fondara::test
