#include "report/file_channel.h"

#include <QDir>
#include <QFile>

#include "report/file_writer.h"

namespace fondara::report {

std::optional<QString> write_file(const QString& path, std::string_view bytes) {
  const int error_number = files::write_file(QFile::encodeName(path).toStdString(), bytes);
  if (error_number == 0) return std::nullopt;
  return QStringLiteral("Impossibile scrivere il file \"%1\": %2.")
      .arg(QDir::toNativeSeparators(path), QString::fromStdString(files::cause_text(error_number)));
}

}  // namespace fondara::report
