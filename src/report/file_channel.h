// The file channel: writes the bytes of a report file through the shared file writer
// (report/file_writer.h), so the windows and fondara-calc replace files alike.
//
// An existing regular file is either replaced whole or, on any failure, left exactly as
// it was; a FIFO or a device under the name is written, never replaced. Used by Save
// (save_print.h) for both the text and the PDF/A report.
#pragma once

#include <QString>
#include <optional>
#include <string_view>

namespace fondara::report {

// Writes `bytes` to `path`, replacing an existing file. Returns nothing on success, or
// an Italian message that names the file and the cause.
[[nodiscard]] std::optional<QString> write_file(const QString& path, std::string_view bytes);

}  // namespace fondara::report
