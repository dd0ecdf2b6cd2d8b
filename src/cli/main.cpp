// fondara-calc: the entry point hands the arguments and standard streams over.
#include <fcntl.h>

#include <string>
#include <vector>

#include "cli/command.h"
#include "output/file_writer.h"

namespace {

// A standard stream the process was started without is marked -1, and its number is
// taken by /dev/null, so that no file opened later lands on it and gets the output
// meant for the closed stream.
int claim_if_closed(int fd) {
  if (::fcntl(fd, F_GETFD) != -1) return fd;
  ::open("/dev/null", O_RDWR);
  return -1;
}

}  // namespace

int main(int argc, char** argv) {
  fondara::output::install_signal_cleanup();
  fondara::cli::Streams streams;
  streams.in = claim_if_closed(0);
  streams.out = claim_if_closed(1);
  streams.err = claim_if_closed(2);
  const std::vector<std::string> args(argv + 1, argv + argc);
  return fondara::cli::run(args, streams);
}
