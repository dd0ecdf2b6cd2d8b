// Feeds arbitrary command lines to fondara-calc's option reader and arbitrary CSV bytes
// to a whole batch (read, compute, write). Every input must give options or a refusal
// of one line, and a batch must end with one of the documented exit codes: no crash,
// no hang, no undefined behaviour, no unbounded memory.
#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "cli/batch.h"
#include "cli/command.h"
#include "cli/messages.h"
#include "kinds/kinds.h"

namespace {

using namespace fondara;
using namespace fondara::cli;

void require(bool condition) {
  if (!condition) std::abort();
}

// Arguments are the lines before the first empty line; the rest is the CSV.
std::vector<std::string> arguments_from(std::string_view& data) {
  std::vector<std::string> args;
  while (!data.empty()) {
    const std::size_t end = data.find('\n');
    const std::string_view line = data.substr(0, end);
    data.remove_prefix(end == std::string_view::npos ? data.size() : end + 1);
    if (line.empty()) break;
    args.emplace_back(line);
  }
  return args;
}

void check_options(const std::vector<std::string>& args) {
  const auto options = read_options(args);
  if (!options) {
    require(options.error().code == exit_bad_input && !options.error().message.empty());
    require(options.error().message.find('\n') == std::string::npos);
    return;
  }
  const Options& o = *options;
  require(!o.csv || (o.texts.empty() && !o.report && !o.print));
  require(o.csv || !o.output);
  // A file name is never an option, and two reports never share one name.
  for (const auto* name : {&o.report, &o.pdf, &o.csv, &o.output})
    require(!*name || (!(*name)->empty() && !(*name)->starts_with("--")));
  require(!o.report || o.report != o.pdf);
}

int batch_of(std::string_view csv, const Kind& kind) {
  const int in = ::memfd_create("csv", MFD_CLOEXEC);
  const int null = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
  require(in >= 0 && null >= 0);
  require(::write(in, csv.data(), csv.size()) == static_cast<ssize_t>(csv.size()));
  require(::lseek(in, 0, SEEK_SET) == 0);
  const int code = run_batch(kind, "-", "-", Streams{in, null, null});
  ::close(in);
  ::close(null);
  return code;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
  std::string_view data(reinterpret_cast<const char*>(bytes), size);
  const std::vector<std::string> args = arguments_from(data);
  check_options(args);
  const Kind& kind = *kinds()[args.size() % kinds().size()];
  const int code = batch_of(data, kind);
  require(code == exit_ok || code == exit_not_computable || code == exit_bad_input);
  return 0;
}
