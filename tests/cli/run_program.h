// Runs the built fondara-calc as a separate process, as a script would.
#pragma once

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace fondara::test {

struct Outcome {
  int exit_code = -1;
  std::string out, err;
};

inline std::string slurp(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void spit(const std::filesystem::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

// A fresh folder for one test, removed with everything in it at the end.
class TempFolder {
 public:
  TempFolder() { EXPECT_NE(::mkdtemp(path_.data()), nullptr); }
  ~TempFolder() { std::filesystem::remove_all(path_); }
  std::filesystem::path operator/(const std::string& name) const { return path() / name; }
  std::filesystem::path path() const { return path_; }

 private:
  std::string path_ = std::filesystem::temp_directory_path() / "fondara-calc-XXXXXX";
};

// How the program is started: standard input holds `input` or comes from `in_from` (a
// file, folder or device); output and error are captured unless `out_to` names another
// target; "-" closes a stream.
struct Start {
  std::string input{}, in_from{}, out_to{};
  bool as_nobody = false;
};

// Test rows print as their name, so no parameter bytes reach the test names.
// clang-format off
template <typename Row> requires requires(const Row& row) { row.name; }
void PrintTo(const Row& row, std::ostream* out) { *out << row.name; }
// clang-format on

// An undrained calculation with every field given.
// clang-format off
inline const std::vector<std::string> kCoesivi = {"coesivi", "lunghezza=10", "larghezza=2",
    "altezza=1", "peso_terreno_rinterro=1800", "coesione_non_drenata=0,5"};
// clang-format on

inline Outcome run_fondara_calc(const std::vector<std::string>& args, const TempFolder& folder,
                                const Start& start = {}) {
  const std::string in = start.in_from.empty() ? (folder / ".stdin").string() : start.in_from;
  const std::string out = start.out_to.empty() ? (folder / ".stdout").string() : start.out_to;
  const std::string err = (folder / ".stderr").string();
  if (start.in_from.empty()) spit(in, start.input);
  std::vector<char*> argv = {const_cast<char*>(FONDARA_CALC)};
  for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
  argv.push_back(nullptr);

  const auto redirect = [](const std::string& path, int fd, int flags) {
    const int opened = path == "-" ? -1 : ::open(path.c_str(), flags, 0600);
    if (path != "-" && (opened < 0 || ::dup2(opened, fd) != fd)) ::_exit(126);
    if (opened != fd) ::close(opened == -1 ? fd : opened);
  };
  const pid_t pid = ::fork();
  if (pid == 0) {
    redirect(in, 0, O_RDONLY | O_CLOEXEC);
    redirect(out, 1, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC);
    redirect(err, 2, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC);
    if (start.as_nobody && (::setgid(65534) != 0 || ::setuid(65534) != 0)) ::_exit(126);
    ::execv(FONDARA_CALC, argv.data());
    ::_exit(127);
  }
  Outcome run;
  int status = 0;
  if (pid > 0 && ::waitpid(pid, &status, 0) == pid && WIFEXITED(status))
    run.exit_code = WEXITSTATUS(status);
  if (start.out_to.empty()) run.out = slurp(out);
  run.err = slurp(err);
  for (const char* name : {".stdin", ".stdout", ".stderr"}) ::unlink((folder / name).c_str());
  return run;
}

}  // namespace fondara::test
