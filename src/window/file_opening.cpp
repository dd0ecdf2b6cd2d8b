#include "window/file_opening.h"

#include <QCoreApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QMimeData>
#include <QProcess>
#include <QShortcut>
#include <QUrl>
#include <QWidget>

#include "core/user_text.h"
#include "window/messages.h"
#include "window/numeric_field.h"
#include "window/save_dialog.h"
#include "window/toolkit.h"

namespace fondara::window {
namespace {

// The one local file of a drag, or an empty name when it carries anything else.
QString dropped_file(const QMimeData* data) {
  if (data == nullptr || !data->hasUrls() || data->urls().size() != 1) return {};
  const QUrl url = data->urls().front();
  return url.isLocalFile() ? url.toLocalFile() : QString();
}

}  // namespace

FileOpening::FileOpening(QWidget& window) : QObject(&window), window_(window) {
  window.setAcceptDrops(true);
  window.installEventFilter(this);
  auto* shortcut = new QShortcut(QKeySequence::Open, &window);
  shortcut->setContext(Qt::WindowShortcut);
  connect(shortcut, &QShortcut::activated, this, &FileOpening::ask);
}

void FileOpening::ask() {
  const QString path = toolkit().open_choice(&window_);
  if (!path.isEmpty()) Q_EMIT requested(&window_, path);
}

bool FileOpening::eventFilter(QObject* watched, QEvent* event) {
  if (watched != &window_) return false;
  if (event->type() == QEvent::DragEnter || event->type() == QEvent::DragMove) {
    auto* drag = static_cast<QDragMoveEvent*>(event);
    if (dropped_file(drag->mimeData()).isEmpty()) return false;
    drag->acceptProposedAction();
    return true;
  }
  if (event->type() == QEvent::Drop) {
    auto* drop = static_cast<QDropEvent*>(event);
    const QString path = dropped_file(drop->mimeData());
    if (path.isEmpty()) return false;
    drop->acceptProposedAction();
    // After the drop has returned to the file manager: opening may show a message box.
    QMetaObject::invokeMethod(
        this, [this, path] { Q_EMIT requested(&window_, path); }, Qt::QueuedConnection);
    return true;
  }
  return false;
}

std::optional<RefusedValue> refused_number(std::string_view field, const QString& text,
                                           bool is_number, std::size_t combination) {
  const QString name = QString::fromUtf8(field.data(), static_cast<qsizetype>(field.size()));
  QString cause;
  if (text.size() > NumericField::longest_text)
    cause = QString::fromUtf8(texts::value_too_long)
                .arg(name)
                .arg(text.size())
                .arg(NumericField::longest_text);
  else if (!text.isEmpty() && !is_number)
    cause = QString::fromUtf8(texts::value_not_a_number)
                .arg(name, QString::fromStdString(safe_quoted(text.toStdString())));
  if (cause.isEmpty()) return std::nullopt;
  return RefusedValue{field, combination, cause.toStdString()};
}

QString ask_open_path(QWidget* parent) {
  QFileDialog dialog(parent, QString::fromUtf8(texts::open_dialog_title), start_folder(parent),
                     QString::fromUtf8(texts::open_dialog_filters));
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(QFileDialog::ExistingFile);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  return dialog.selectedFiles().front();
}

bool open_in_new_program(const QString& path) {
  return start_program(QCoreApplication::applicationFilePath(), path);
}

bool start_program(const QString& program, const QString& path) {
  return QProcess::startDetached(program, {path});
}

}  // namespace fondara::window
