#include "output/file_writer.h"

#include <fcntl.h>
#include <limits.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <utility>

namespace fondara::output {
namespace {

// Writes of this size or more bypass the buffer.
constexpr std::size_t kBufferSize = 64 * 1024;

// POSIX's minimum for symbolic links followed in one path resolution.
constexpr int kMaxLinks = 40;

struct Cause {
  int error_number;
  const char* text;
};

// One wording for the windows and the terminal.
constexpr Cause kCauses[] = {
    {ENOENT, "la cartella non esiste"},
    {ENOTDIR, "una parte del percorso non è una cartella"},
    {EACCES, "permesso negato"},
    {EPERM, "permesso negato"},
    {EISDIR, "è una cartella"},
    {ENOSPC, "spazio esaurito"},
    {EDQUOT, "quota disco superata"},
    {EROFS, "il disco è in sola lettura"},
    {ENAMETOOLONG, "il nome è troppo lungo"},
    {ELOOP, "troppi collegamenti simbolici"},
    {EIO, "errore di lettura o scrittura del dispositivo"},
    {ENXIO, "nessun programma legge la FIFO, o il dispositivo non esiste"},
    {EPIPE, "il programma che leggeva ha chiuso la pipe"},
    {EFBIG, "il file è troppo grande"},
    {ETXTBSY, "il file è in uso"},
    {EBADF, "il flusso non è aperto"},
    {ENOMEM, "memoria insufficiente"},
};

std::string folder_of(const std::string& path) {
  const std::string folder = std::filesystem::path(path).parent_path().string();
  return folder.empty() ? "." : folder;
}

// The name a write lands on: `path` with symbolic links followed to the last target,
// which need not exist yet. 0 or the errno.
int follow_links(std::string& path) {
  for (int i = 0; i < kMaxLinks; ++i) {
    struct stat status {};
    if (::lstat(path.c_str(), &status) != 0) return errno == ENOENT ? 0 : errno;
    if (!S_ISLNK(status.st_mode)) return 0;
    std::string link(PATH_MAX, '\0');
    const ssize_t size = ::readlink(path.c_str(), link.data(), link.size());
    if (size < 0) return errno;
    link.resize(static_cast<std::size_t>(size));
    path = link.front() == '/' ? link : folder_of(path) + "/" + link;
  }
  return ELOOP;
}

// ".name.XXXXXX" within the folder's limit on the length of a name.
std::string temporary_name(const std::string& target) {
  const std::filesystem::path path(target);
  const std::string name = path.filename().string();
  long limit = ::pathconf(folder_of(target).c_str(), _PC_NAME_MAX);
  if (limit <= 0) limit = NAME_MAX;
  const std::size_t room = static_cast<std::size_t>(limit) - std::string_view(".").size() -
                           std::string_view(".XXXXXX").size();
  return folder_of(target) + "/." + name.substr(0, room) + ".";
}

// Six random letters: enough that a clash with another writer is a retry, not a fault.
std::string random_suffix() {
  thread_local unsigned long long state = 0;
  timespec now{};
  ::clock_gettime(CLOCK_REALTIME, &now);
  state = state * 6364136223846793005ULL + static_cast<unsigned long long>(now.tv_nsec) +
          static_cast<unsigned long long>(::getpid()) + 1442695040888963407ULL;
  constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
  std::string suffix;
  unsigned long long bits = state;
  for (int i = 0; i < 6; ++i, bits >>= 8) suffix.push_back(kLetters[bits % (sizeof kLetters - 1)]);
  return suffix;
}

}  // namespace

std::string cause_text(int error_number, Access access) {
  if (error_number == ENOENT && access == Access::read) return "il file non esiste";
  for (const Cause& cause : kCauses)
    if (cause.error_number == error_number) return cause.text;
  return "errore di sistema " + std::to_string(error_number);
}

WriteOutcome write_all(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = ::write(fd, bytes.data(), bytes.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      return Failed{errno};
    }
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return Done{};
}

void Output::write(std::string_view bytes) {
  if (error_ != 0) return;
  if (buffer_.size() + bytes.size() > kBufferSize) {
    if (!flush()) return;
  }
  if (bytes.size() >= kBufferSize) {
    write_through(bytes);
  } else {
    if (buffer_.capacity() < kBufferSize) buffer_.reserve(kBufferSize);
    buffer_.append(bytes);
  }
}

WriteOutcome Output::flush() {
  if (error_ == 0 && !buffer_.empty()) write_through(buffer_);
  buffer_.clear();
  if (error_ != 0) return Failed{error_};
  return Done{};
}

void Output::write_through(std::string_view bytes) {
  const WriteOutcome written = write_all(fd_, bytes);
  if (!written) error_ = written.error();
}

FileWriter::~FileWriter() {
  if (fd_ >= 0) ::close(fd_);
  if (!temporary_.empty()) ::unlink(temporary_.c_str());
}

WriteOutcome FileWriter::open() {
  if (path_.empty()) return Failed{ENOENT};
  // Without O_CREAT nothing is made under the name; without O_NONBLOCK a FIFO that no
  // program reads would hold the open forever.
  const int fd = ::open(path_.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0 && errno != ENOENT) return Failed{errno};
  struct stat status {};
  if (fd >= 0 && ::fstat(fd, &status) != 0) {
    const int error_number = errno;
    ::close(fd);
    return Failed{error_number};
  }
  if (fd >= 0 && !S_ISREG(status.st_mode)) {
    // A FIFO with a reader, a device: written in place, with blocking writes.
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags < 0 || ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != 0) {
      const int error_number = errno;
      ::close(fd);
      return Failed{error_number};
    }
    fd_ = output_.fd_ = fd;
    return Done{};
  }
  if (fd >= 0) ::close(fd);
  // A regular file, or a name still free (through a link, perhaps dangling).
  std::string target = path_;
  if (const int error_number = follow_links(target)) return Failed{error_number};
  if (std::filesystem::path(target).filename().empty()) return Failed{EISDIR};
  if (fd < 0) return open_temporary(target, 0666, -1, -1);
  // Root may write anywhere: a file without any write permission is still refused.
  if ((status.st_mode & 0222) == 0) return Failed{EACCES};
  return open_temporary(target, static_cast<int>(status.st_mode & 07777),
                        static_cast<int>(status.st_uid), static_cast<int>(status.st_gid));
}

WriteOutcome FileWriter::open_temporary(const std::string& target, int mode, int owner, int group) {
  const std::string stem = temporary_name(target);
  const bool replacing = owner >= 0;
  for (int attempt = 0; attempt < 100; ++attempt) {
    std::string name = stem + random_suffix();
    // A new file gets 0666 less the umask from the kernel; a replacement starts private
    // and takes the old file's permissions before any byte is written.
    const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC,
                          replacing ? 0600 : static_cast<mode_t>(mode));
    if (fd < 0) {
      if (errno == EEXIST) continue;
      return Failed{errno};
    }
    fd_ = fd;
    temporary_ = std::move(name);
    target_ = target;
    if (replacing) {
      // Only a privileged process may give the file away; otherwise it stays ours, in the
      // old file's group where we belong to it, and set-id bits do not pass to it.
      auto kept_mode = static_cast<mode_t>(mode);
      if (::fchown(fd_, static_cast<uid_t>(owner), static_cast<gid_t>(group)) != 0) {
        kept_mode &= static_cast<mode_t>(~(S_ISUID | S_ISGID));
        // Outside the old file's group the file keeps ours: nothing to undo.
        if (::fchown(fd_, static_cast<uid_t>(-1), static_cast<gid_t>(group)) != 0) errno = 0;
      }
      if (::fchmod(fd_, kept_mode) != 0) return Failed{errno};
    }
    output_.fd_ = fd_;
    return Done{};
  }
  return Failed{EEXIST};
}

WriteOutcome FileWriter::commit() {
  int error_number = output_.flush() ? 0 : output_.error();
  if (error_number == 0 && !temporary_.empty() && ::fsync(fd_) != 0) error_number = errno;
  if (fd_ >= 0 && ::close(fd_) != 0 && error_number == 0) error_number = errno;
  fd_ = -1;
  if (error_number == 0 && !temporary_.empty()) {
    if (::rename(temporary_.c_str(), target_.c_str()) != 0)
      error_number = errno;
    else
      temporary_.clear();
  }
  if (error_number != 0) return Failed{error_number};
  return Done{};
}

WriteOutcome write_file(const std::string& path, std::string_view bytes) {
  FileWriter writer(path);
  if (const WriteOutcome opened = writer.open(); !opened) return opened;
  writer.output().write(bytes);
  return writer.commit();
}

}  // namespace fondara::output
