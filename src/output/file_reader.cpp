#include "output/file_reader.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "core/messages.h"
#include "output/messages.h"

namespace fondara::output {
namespace {

ReadFailure cause(int error_number) {
  return {cause_text(error_number, Access::read)};
}

ReadFailure too_large(std::size_t limit) {
  return {messages::too_large(limit / (1024 * 1024)), true};
}

// Closes the descriptor when it goes.
struct Descriptor {
  int fd;
  ~Descriptor() {
    if (fd >= 0) ::close(fd);
  }
};

}  // namespace

ReadOutcome read_file(const std::string& path, std::size_t limit) {
  // Without O_NONBLOCK a FIFO that no program writes would hold the open forever.
  const Descriptor file{::open(path.c_str(), O_RDONLY | O_NOCTTY | O_CLOEXEC | O_NONBLOCK)};
  if (file.fd < 0) return Failed{cause(errno)};
  struct stat status {};
  if (::fstat(file.fd, &status) != 0) return Failed{cause(errno)};
  if (S_ISDIR(status.st_mode)) return Failed{cause(EISDIR)};
  if (!S_ISREG(status.st_mode)) return Failed{ReadFailure{not_regular_file}};
  if (static_cast<std::size_t>(status.st_size) > limit) return Failed{too_large(limit)};
  std::string bytes;
  char buffer[64 * 1024];
  for (;;) {
    const ssize_t count = ::read(file.fd, buffer, sizeof buffer);
    if (count < 0 && errno == EINTR) continue;
    if (count < 0) return Failed{cause(errno)};
    if (count == 0) return bytes;
    bytes.append(buffer, static_cast<std::size_t>(count));
    // A file that grows while it is read is bounded all the same.
    if (bytes.size() > limit) return Failed{too_large(limit)};
  }
}

}  // namespace fondara::output
