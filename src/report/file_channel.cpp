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

SaveResult save_file(QWidget* parent, const FileNameProvider& ask_name, std::string_view bytes) {
  const QString path = ask_name(parent);
  if (path.isEmpty()) return {};
  if (auto error = write_file(path, bytes)) {
    return {SaveResult::Outcome::failed, path, *std::move(error)};
  }
  return {SaveResult::Outcome::written, path, QString()};
}

}  // namespace fondara::report
