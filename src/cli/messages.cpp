#include "cli/messages.h"

#include "core/user_text.h"
#include "output/file_writer.h"

namespace fondara::cli {

ExitCode exit_code(ProblemType type) {
  return type == ProblemType::bad_input ? exit_bad_input : exit_not_computable;
}

std::string write_failure(std::string_view path, int error_number) {
  const std::string target =
      path == standard_stream ? "sullo standard output" : "il file " + safe_quoted(path);
  return "Impossibile scrivere " + target + ": " + output::cause_text(error_number) + ".";
}

std::string read_failure(std::string_view path, int error_number) {
  const std::string source =
      path == standard_stream ? "lo standard input" : "il file " + safe_quoted(path);
  return "Impossibile leggere " + source + ": " +
         output::cause_text(error_number, output::Access::read) + ".";
}

int exit_with(int err, int code, const std::string& message) {
  // Nothing is left to report a failure of standard error to.
  [[maybe_unused]] const auto written = output::write_all(err, "fondara-calc: " + message + "\n");
  return code;
}

}  // namespace fondara::cli
