// Output files of fondara-calc, written whole or not at all.
//
// The bytes go to a temporary file in the target's folder, which is renamed over
// the target only when everything has been written: a failure leaves neither a
// partial file nor a damaged earlier one.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace fondara::cli {

// Nothing on success, otherwise an Italian message naming the file and the cause.
std::optional<std::string> write_file_atomically(const std::string& path, std::string_view bytes);

// The whole content of a file, or an Italian message.
struct FileContent {
  std::optional<std::string> bytes;
  std::string error;
};
FileContent read_file(const std::string& path);

// The cause of a system error in Italian, e.g. "la cartella non esiste".
std::string system_error_text(int error_number);

}  // namespace fondara::cli
