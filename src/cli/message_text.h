// fondara-calc's messages: one line on standard error, the user's text in them made
// safe for a terminal.
#pragma once

#include <string>
#include <string_view>

namespace fondara::cli {

// `text` between double quotes on one line: control characters escaped (\e, \n, \x01),
// invalid UTF-8 replaced by U+FFFD, cut after 60 characters with "…".
std::string safe_quoted(std::string_view text);

// Names a standard stream in place of a file: "-" is standard input or output.
inline constexpr std::string_view standard_stream = "-";

// "Impossibile scrivere il file "NAME": CAUSE." (standard output for "-").
std::string write_failure(std::string_view path, int error_number);
// "Impossibile leggere il file "NAME": CAUSE." (standard input for "-").
std::string read_failure(std::string_view path, int error_number);

// Writes "fondara-calc: MESSAGE" as one line on `err` and returns `code`.
int fail(int err, int code, const std::string& message);

}  // namespace fondara::cli
