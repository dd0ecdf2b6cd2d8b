// The file channel: writes the bytes of a report file through the shared file writer
// (report/file_writer.h), so the windows and fondara-calc replace files alike.
//
// An existing regular file is either replaced whole or, on any failure, left exactly as
// it was; a FIFO or a device under the name is written, never replaced. Used by the Save
// button of both calculation windows.
#pragma once

#include <QString>
#include <optional>
#include <string_view>

#include "report/save_dialog.h"

class QWidget;

namespace fondara::report {

// Writes `bytes` to `path`, replacing an existing file. Returns nothing on success, or
// an Italian message that names the file and the cause.
[[nodiscard]] std::optional<QString> write_file(const QString& path, std::string_view bytes);

struct SaveResult {
  enum class Outcome { written, cancelled, failed };
  Outcome outcome = Outcome::cancelled;
  QString path;   // the chosen name; empty when cancelled
  QString error;  // the message to show when failed
};

// Save: asks `ask_name` for a file name over `parent`; a cancelled dialog writes
// nothing, otherwise `bytes` are written to the chosen file.
SaveResult save_file(QWidget* parent, const FileNameProvider& ask_name, std::string_view bytes);

}  // namespace fondara::report
