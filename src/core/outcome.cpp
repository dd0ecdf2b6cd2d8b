#include "core/outcome.h"

#include <unistd.h>

#include <cstdlib>
#include <string>

namespace fondara {

void programming_error(std::string_view what) {
  const std::string line = "fondara: errore di programma: " + std::string(what) + "\n";
  // Best effort: the program ends whatever the stream does.
  [[maybe_unused]] const auto written = ::write(2, line.data(), line.size());
  std::abort();
}

}  // namespace fondara
