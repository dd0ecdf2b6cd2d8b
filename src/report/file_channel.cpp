#include "report/file_channel.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <cerrno>

namespace fondara::report {
namespace {

// The cause of a failed call, from the errno it left; Qt's own text (English) only for
// causes a user of this program is not expected to meet.
QString cause_of(int error_number, const QString& path, const QString& qt_text) {
  switch (error_number) {
    case ENOENT:
    case ENOTDIR:
      if (!QFileInfo(QFileInfo(path).absolutePath()).isDir())
        return QStringLiteral("la cartella non esiste");
      return QStringLiteral("percorso inesistente");
    case EACCES:
    case EPERM:
      return QStringLiteral("permesso negato");
    case EROFS:
      return QStringLiteral("il disco è in sola lettura");
    case ENOSPC:
    case EDQUOT:
      return QStringLiteral("spazio esaurito sul disco");
    case EISDIR:
      return QStringLiteral("il nome indica una cartella");
    case ENAMETOOLONG:
      return QStringLiteral("nome troppo lungo");
    case EIO:
      return QStringLiteral("errore di lettura o scrittura del disco");
    default:
      break;
  }
  if (!QFileInfo(QFileInfo(path).absolutePath()).isDir())
    return QStringLiteral("la cartella non esiste");
  return qt_text.isEmpty() ? QStringLiteral("errore sconosciuto") : qt_text;
}

QString failure(const QString& path, int error_number, const QString& qt_text) {
  return QStringLiteral("Impossibile scrivere il file \"%1\": %2.")
      .arg(QDir::toNativeSeparators(path), cause_of(error_number, path, qt_text));
}

}  // namespace

std::optional<QString> write_file(const QString& path, std::string_view bytes) {
  QSaveFile file(path);
  // Unbuffered: a buffered write that fits the buffer reports success on a full disk
  // and the commit then replaces the file with an empty one.
  errno = 0;
  if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
    return failure(path, errno, file.errorString());
  }
  const auto size = static_cast<qint64>(bytes.size());
  errno = 0;
  if (file.write(bytes.data(), size) != size) {
    const int error_number = errno;
    const QString text = file.errorString();
    file.cancelWriting();
    return failure(path, error_number, text);
  }
  // commit() resets errorString(), so the failure is reported from errno and the text
  // read before it.
  const QString text_before = file.errorString();
  errno = 0;
  if (!file.commit()) {
    const int error_number = errno;
    const QString text = file.errorString();
    return failure(path, error_number, text.isEmpty() ? text_before : text);
  }
  return std::nullopt;
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
