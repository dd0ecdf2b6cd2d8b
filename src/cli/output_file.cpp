#include "cli/output_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace fondara::cli {
namespace {

std::string write_error(const std::string& path, int error_number) {
  return "Impossibile scrivere il file \"" + path + "\": " + system_error_text(error_number) + ".";
}

bool write_all(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = ::write(fd, bytes.data(), bytes.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

// The permissions a newly created file gets: read and write for all, less the umask.
mode_t new_file_mode() {
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return static_cast<mode_t>(0666 & ~mask);
}

}  // namespace

std::string system_error_text(int error_number) {
  switch (error_number) {
    case ENOENT:
      return "la cartella non esiste";
    case ENOTDIR:
      return "una parte del percorso non è una cartella";
    case EACCES:
    case EPERM:
      return "permesso negato";
    case EISDIR:
      return "è una cartella";
    case ENOSPC:
      return "spazio su disco esaurito";
    case EDQUOT:
      return "quota disco superata";
    case EROFS:
      return "il file system è di sola lettura";
    case ENAMETOOLONG:
      return "il nome è troppo lungo";
    case EIO:
      return "errore di ingresso/uscita";
    default:
      return "errore di sistema " + std::to_string(error_number);
  }
}

std::optional<std::string> write_file_atomically(const std::string& path, std::string_view bytes) {
  const std::filesystem::path target(path);
  if (target.filename().empty()) return write_error(path, EISDIR);
  std::filesystem::path folder = target.parent_path();
  if (folder.empty()) folder = ".";
  std::string temporary = (folder / ("." + target.filename().string() + ".XXXXXX")).string();

  const int fd = ::mkstemp(temporary.data());
  if (fd < 0) return write_error(path, errno);
  int error_number = 0;
  if (::fchmod(fd, new_file_mode()) != 0 || !write_all(fd, bytes) || ::fsync(fd) != 0)
    error_number = errno;
  if (::close(fd) != 0 && error_number == 0) error_number = errno;
  if (error_number == 0 && ::rename(temporary.c_str(), path.c_str()) != 0) error_number = errno;
  if (error_number != 0) {
    ::unlink(temporary.c_str());
    return write_error(path, error_number);
  }
  return std::nullopt;
}

FileContent read_file(const std::string& path) {
  std::error_code code;
  if (std::filesystem::is_directory(path, code))
    return {std::nullopt,
            "Impossibile leggere il file \"" + path + "\": " + system_error_text(EISDIR) + "."};
  errno = 0;
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    const int error_number = errno != 0 ? errno : ENOENT;
    const std::string cause =
        error_number == ENOENT ? "il file non esiste" : system_error_text(error_number);
    return {std::nullopt, "Impossibile leggere il file \"" + path + "\": " + cause + "."};
  }
  std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  if (in.bad()) return {std::nullopt, "Impossibile leggere il file \"" + path + "\"."};
  return {std::move(bytes), {}};
}

}  // namespace fondara::cli
