// Reading a whole file that the user names, bounded: only a regular file is read, and only
// up to a limit, so a device, a FIFO or a huge file gives a cause instead of a hang or a
// memory spike. POSIX and the standard library only.
#pragma once

#include <cstddef>
#include <string>

#include "core/outcome.h"

namespace fondara::output {

// Why a file could not be read: the cause in Italian, lower case ("il file non esiste"), and
// whether it was only too large (it could be read, but is not what was asked for).
struct ReadFailure {
  std::string cause;
  bool too_large = false;
};
using ReadOutcome = Outcome<std::string, ReadFailure>;

// The bytes of the regular file at `path`, or the cause; a file of more than `limit` bytes
// is refused before it is read.
ReadOutcome read_file(const std::string& path, std::size_t limit);

}  // namespace fondara::output
