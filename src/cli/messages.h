// fondara-calc's exit codes and messages: one line on standard error, the user's text
// in them made safe for a terminal (core/user_text.h).
#pragma once

#include <string>
#include <string_view>

#include "core/kind.h"

namespace fondara::cli {

// Exit codes of fondara-calc.
enum ExitCode : int {
  exit_ok = 0,
  exit_not_computable = 1,  // data the calculation refuses or cannot complete
  exit_bad_input = 2,       // a wrong command line, field, value or CSV header
  exit_file = 3,            // a file that cannot be read or written
};

// The exit code of a kind's problem.
ExitCode exit_code(ProblemType type);

// Names a standard stream in place of a file: "-" is standard input or output.
inline constexpr std::string_view standard_stream = "-";

// "Impossibile scrivere il file "NAME": CAUSE." (standard output for "-").
std::string write_failure(std::string_view path, int error_number);
// "Impossibile leggere il file "NAME": CAUSE." (standard input for "-").
std::string read_failure(std::string_view path, int error_number);

// Writes "fondara-calc: MESSAGE" as one line on `err` and returns `code`.
int exit_with(int err, int code, const std::string& message);

}  // namespace fondara::cli
