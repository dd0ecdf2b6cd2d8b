#include "output/file_writer.h"

#include <fcntl.h>
#include <limits.h>
#include <pthread.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <time.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <mutex>
#include <optional>
#include <utility>
#include <vector>

namespace fondara::output {
namespace {

// Writes of this size or more bypass the buffer.
constexpr std::size_t kBufferSize = 64 * 1024;

// POSIX's minimum for symbolic links followed in one path resolution.
constexpr int kMaxLinks = 40;

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

// The signals whose default action ends the program and that a user or the system sends
// to a program while it writes: Ctrl-C, kill, a closed terminal, a file-size limit.
constexpr int kCleanupSignals[] = {SIGINT, SIGTERM, SIGHUP, SIGXFSZ};

// One temporary file's name, for the signal handler once `held` is set: fixed storage and
// lock-free atomics, all that a handler may touch.
struct Slot {
  std::atomic<bool> claimed{false};
  std::atomic<bool> held{false};
  char name[PATH_MAX];
};
static_assert(std::atomic<bool>::is_always_lock_free);

// More files than these programs write at once; past them a file is still written, without
// the clean-up on signals.
constexpr int kSlots = 16;
Slot registry[kSlots];

// Registers `name` for removal on a signal: its slot, or -1 when there is none.
int register_temporary(const std::string& name) {
  if (name.size() >= PATH_MAX) return -1;
  for (int i = 0; i < kSlots; ++i) {
    bool free = false;
    if (!registry[i].claimed.compare_exchange_strong(free, true)) continue;
    std::memcpy(registry[i].name, name.c_str(), name.size() + 1);
    registry[i].held.store(true, std::memory_order_release);
    return i;
  }
  return -1;
}

void unregister_temporary(int slot) {
  if (slot < 0) return;
  registry[slot].held.store(false, std::memory_order_release);
  registry[slot].claimed.store(false, std::memory_order_release);
}

// Removes the registered files, then raises the signal again with its default action: it
// is delivered, and ends the program, when the handler returns.
void remove_temporaries_and_end(int signal_number) {
  for (Slot& slot : registry)
    if (slot.held.load(std::memory_order_acquire)) ::unlink(slot.name);
  struct sigaction default_action {};
  default_action.sa_handler = SIG_DFL;
  ::sigemptyset(&default_action.sa_mask);
  ::sigaction(signal_number, &default_action, nullptr);
  ::raise(signal_number);
}

// Holds back the clean-up signals in this thread while it lives, so that a temporary file
// is never on disk without being registered, nor registered under a name it no longer has.
class SignalsHeld {
 public:
  SignalsHeld() {
    sigset_t set;
    ::sigemptyset(&set);
    for (const int signal_number : kCleanupSignals) ::sigaddset(&set, signal_number);
    ::pthread_sigmask(SIG_BLOCK, &set, &previous_);
  }
  ~SignalsHeld() { ::pthread_sigmask(SIG_SETMASK, &previous_, nullptr); }
  SignalsHeld(const SignalsHeld&) = delete;
  SignalsHeld& operator=(const SignalsHeld&) = delete;

 private:
  sigset_t previous_{};
};

// A folder that refuses a new file by its permissions, its file system mounted read-only
// or an attribute (immutable): the existing file may still be written in place.
bool folder_refusal(int error_number) {
  return error_number == EACCES || error_number == EPERM || error_number == EROFS;
}

// The system.* attributes hold access control lists (POSIX ACLs, NFSv4 ACLs): a new file
// without them could be open to users the old one kept out.
bool access_control(std::string_view name) {
  return name.starts_with("system.");
}

// The value of attribute `name` of `fd`; nothing, with errno set, when it cannot be read.
std::optional<std::string> attribute(int fd, const char* name) {
  for (;;) {
    const ssize_t size = ::fgetxattr(fd, name, nullptr, 0);
    if (size < 0) return std::nullopt;
    std::string value(static_cast<std::size_t>(size), '\0');
    const ssize_t read = ::fgetxattr(fd, name, value.data(), value.size());
    if (read >= 0) return value.substr(0, static_cast<std::size_t>(read));
    if (errno != ERANGE) return std::nullopt;  // ERANGE: it grew meanwhile
  }
}

// The names of the extended attributes of `fd`, each ended by NUL; nothing when the file
// system has none; the errno of another failure.
Outcome<std::string, int> attribute_names(int fd) {
  for (;;) {
    const ssize_t size = ::flistxattr(fd, nullptr, 0);
    if (size < 0)
      return errno == ENOTSUP ? Outcome<std::string, int>(std::string()) : Failed{errno};
    std::string names(static_cast<std::size_t>(size), '\0');
    const ssize_t listed = ::flistxattr(fd, names.data(), names.size());
    if (listed >= 0) return names.substr(0, static_cast<std::size_t>(listed));
    if (errno != ERANGE) return Failed{errno};
  }
}

// Copies the extended attributes of `from` to `to`: 0, or the errno of the failure to
// read or copy an access control list. Any other attribute that the file system or our
// privileges refuse (trusted.*, security.* without the privilege, user.* where the file
// system has none) is left out: the file is saved without it.
int copy_extended_attributes(int from, int to) {
  const auto names = attribute_names(from);
  if (!names) return names.error();
  for (std::size_t at = 0; at < names->size();) {
    const char* name = names->c_str() + at;
    at += std::strlen(name) + 1;
    const bool required = access_control(name);
    const auto value = attribute(from, name);
    if (!value) {
      if (required) return errno;
      continue;
    }
    if (::fsetxattr(to, name, value->data(), value->size(), 0) != 0 && required) return errno;
  }
  return 0;
}

}  // namespace

void install_signal_cleanup() {
  static std::once_flag installed;
  std::call_once(installed, [] {
    struct sigaction action {};
    action.sa_handler = remove_temporaries_and_end;
    ::sigemptyset(&action.sa_mask);
    for (const int signal_number : kCleanupSignals) ::sigaddset(&action.sa_mask, signal_number);
    for (const int signal_number : kCleanupSignals) {
      struct sigaction current {};
      if (::sigaction(signal_number, nullptr, &current) != 0) continue;
      // Ignored since the start (nohup), or handled by someone else: left as it is.
      if ((current.sa_flags & SA_SIGINFO) != 0 || current.sa_handler != SIG_DFL) continue;
      ::sigaction(signal_number, &action, nullptr);
    }
  });
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
  if (old_fd_ >= 0) ::close(old_fd_);
  remove_temporary();
}

void FileWriter::remove_temporary() {
  if (temporary_.empty()) return;
  const SignalsHeld held;
  ::unlink(temporary_.c_str());
  unregister_temporary(slot_);
  temporary_.clear();
  slot_ = -1;
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
  // A FIFO with a reader, a device: written in place.
  if (fd >= 0 && !S_ISREG(status.st_mode)) return write_directly(fd);
  // A regular file, or a name still free (through a link, perhaps dangling).
  std::string target = path_;
  int error_number = follow_links(target);
  if (error_number == 0 && std::filesystem::path(target).filename().empty()) error_number = EISDIR;
  if (error_number != 0) {
    if (fd >= 0) ::close(fd);
    return Failed{error_number};
  }
  if (fd < 0) return open_temporary(target, 0666);
  return replace_or_write_in_place(target, fd, status.st_mode);
}

// Takes `fd` as the output, with blocking writes; closes it on failure.
WriteOutcome FileWriter::write_directly(int fd) {
  const int flags = ::fcntl(fd, F_GETFL);
  if (flags < 0 || ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != 0) {
    const int error_number = errno;
    ::close(fd);
    return Failed{error_number};
  }
  fd_ = output_.fd_ = fd;
  return Done{};
}

// Replaces the regular file open as `old_fd` through a temporary file; where its folder
// refuses one, writes the file in place. Takes `old_fd`.
WriteOutcome FileWriter::replace_or_write_in_place(const std::string& target, int old_fd,
                                                   mode_t old_mode) {
  // Root may write anywhere: a file without any write permission is still refused.
  if ((old_mode & 0222) == 0) {
    ::close(old_fd);
    return Failed{EACCES};
  }
  // A replacement starts private; it takes the old file's properties when it is complete.
  const WriteOutcome opened = open_temporary(target, 0600);
  if (opened) {
    old_fd_ = old_fd;
    return opened;
  }
  if (!folder_refusal(opened.error())) {
    ::close(old_fd);
    return opened;
  }
  // The folder takes no new file but the file, opened for writing, takes new bytes.
  if (::ftruncate(old_fd, 0) != 0) {
    const int error_number = errno;
    ::close(old_fd);
    return Failed{error_number};
  }
  synced_ = true;
  return write_directly(old_fd);
}

WriteOutcome FileWriter::open_temporary(const std::string& target, mode_t mode) {
  const std::string stem = temporary_name(target);
  for (int attempt = 0; attempt < 100; ++attempt) {
    std::string name = stem + random_suffix();
    // A new file gets `mode` less the umask from the kernel.
    const SignalsHeld held;
    const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
    if (fd < 0) {
      if (errno == EEXIST) continue;
      return Failed{errno};
    }
    slot_ = register_temporary(name);
    fd_ = output_.fd_ = fd;
    temporary_ = std::move(name);
    target_ = target;
    synced_ = true;
    return Done{};
  }
  return Failed{EEXIST};
}

// The old file's owner (where the process may set it), permissions and extended attributes,
// given to the complete temporary file: after the writes, which would clear set-id bits
// and file capabilities, and in this order, since a change of owner clears them too.
WriteOutcome FileWriter::keep_old_file_properties() {
  struct stat old {};
  if (::fstat(old_fd_, &old) != 0) return Failed{errno};
  auto kept_mode = static_cast<mode_t>(old.st_mode & 07777);
  // Only a privileged process may give the file away; otherwise it stays ours, in the old
  // file's group where we belong to it, and set-id bits do not pass to it.
  if (::fchown(fd_, old.st_uid, old.st_gid) != 0) {
    kept_mode &= static_cast<mode_t>(~(S_ISUID | S_ISGID));
    // Outside the old file's group the file keeps ours: nothing to undo.
    if (::fchown(fd_, static_cast<uid_t>(-1), old.st_gid) != 0) errno = 0;
  }
  if (::fchmod(fd_, kept_mode) != 0) return Failed{errno};
  if (const int error_number = copy_extended_attributes(old_fd_, fd_)) return Failed{error_number};
  return Done{};
}

WriteOutcome FileWriter::finish() {
  int error_number = output_.flush() ? 0 : output_.error();
  if (error_number == 0 && old_fd_ >= 0 && !temporary_.empty()) {
    if (const WriteOutcome kept = keep_old_file_properties(); !kept) error_number = kept.error();
  }
  if (error_number == 0 && synced_ && ::fsync(fd_) != 0) error_number = errno;
  if (fd_ >= 0 && ::close(fd_) != 0 && error_number == 0) error_number = errno;
  fd_ = -1;
  if (old_fd_ >= 0) ::close(old_fd_);
  old_fd_ = -1;
  if (error_number != 0) return Failed{error_number};
  return Done{};
}

WriteOutcome FileWriter::publish() {
  if (temporary_.empty()) return Done{};
  const SignalsHeld held;
  if (::rename(temporary_.c_str(), target_.c_str()) != 0) return Failed{errno};
  unregister_temporary(slot_);
  temporary_.clear();
  slot_ = -1;
  return Done{};
}

WriteOutcome FileWriter::commit() {
  if (const WriteOutcome finished = finish(); !finished) return finished;
  return publish();
}

WriteOutcome write_file(const std::string& path, std::string_view bytes) {
  FileWriter writer(path);
  if (const WriteOutcome opened = writer.open(); !opened) return opened;
  writer.output().write(bytes);
  return writer.commit();
}

Outcome<std::size_t, int> FileSet::open(const std::string& path) {
  auto writer = std::make_unique<FileWriter>(path);
  if (const WriteOutcome opened = writer->open(); !opened) return Failed{opened.error()};
  writers_.push_back(std::move(writer));
  held_.emplace_back();
  return writers_.size() - 1;
}

void FileSet::write(std::size_t index, std::string_view bytes) {
  if (writers_[index]->replaces())
    writers_[index]->output().write(bytes);
  else
    held_[index] += bytes;
}

Outcome<Done, FilesFailure> FileSet::commit() {
  // A direct write cannot be taken back: it comes once every replacement is complete.
  for (const bool replaced : {true, false}) {
    for (std::size_t i = 0; i < writers_.size(); ++i) {
      if (writers_[i]->replaces() != replaced) continue;
      if (!replaced) writers_[i]->output().write(held_[i]);
      if (const WriteOutcome finished = writers_[i]->finish(); !finished)
        return Failed{FilesFailure{i, finished.error()}};
    }
  }
  for (std::size_t i = 0; i < writers_.size(); ++i)
    if (const WriteOutcome published = writers_[i]->publish(); !published)
      return Failed{FilesFailure{i, published.error()}};
  return Done{};
}

}  // namespace fondara::output
