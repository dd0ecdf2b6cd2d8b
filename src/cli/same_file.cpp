#include "cli/same_file.h"

#include <sys/stat.h>

namespace fondara::cli {
namespace {

FileIdentity identity(const struct stat& status) {
  return {status.st_dev, status.st_ino, static_cast<mode_t>(status.st_mode & S_IFMT)};
}

}  // namespace

std::optional<FileIdentity> identity_of(int fd) {
  struct stat status {};
  if (fd < 0 || ::fstat(fd, &status) != 0) return std::nullopt;
  return identity(status);
}

std::optional<FileIdentity> identity_of(const std::string& path) {
  struct stat status {};
  if (::stat(path.c_str(), &status) != 0) return std::nullopt;
  return identity(status);
}

bool is_standard_output(const std::string& path, int out) {
  const auto file = identity_of(path);
  const auto standard = identity_of(out);
  return file && standard && file->same_file(*standard);
}

}  // namespace fondara::cli
