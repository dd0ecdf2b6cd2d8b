// Runs the built fondara-calc as a separate process, as a script would.
#pragma once

#include <fcntl.h>
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
  std::string out;
  std::string err;
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
  TempFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "fondara-calc-XXXXXX").string();
    if (::mkdtemp(pattern.data()) != nullptr) path_ = pattern;
  }
  ~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  std::filesystem::path operator/(const std::string& name) const { return path_ / name; }
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

// How the program is started. Standard output and error are captured in files unless
// `out_to` names another target; "-" closes a stream.
struct Start {
  std::string input{};    // standard input's bytes
  std::string in_from{};  // or this file, folder or device
  std::string out_to{};
  bool as_nobody = false;
};

// Test rows print as their name, so no parameter bytes reach the test names.
template <typename Row>
  requires requires(const Row& row) { row.name; }
void PrintTo(const Row& row, std::ostream* out) {
  *out << row.name;
}

inline Outcome run_fondara_calc(const std::vector<std::string>& args, const TempFolder& folder,
                                const Start& start = {}) {
  const std::string in = start.in_from.empty() ? (folder / ".stdin").string() : start.in_from;
  const std::string out = start.out_to.empty() ? (folder / ".stdout").string() : start.out_to;
  const std::string err = (folder / ".stderr").string();
  if (start.in_from.empty()) spit(in, start.input);
  std::vector<std::string> all = {FONDARA_CALC};
  all.insert(all.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (std::string& arg : all) argv.push_back(arg.data());
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
  std::error_code ignored;
  for (const char* name : {".stdin", ".stdout", ".stderr"})
    std::filesystem::remove(folder / name, ignored);
  return run;
}

}  // namespace fondara::test
