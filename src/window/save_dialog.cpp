#include "window/save_dialog.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QStandardPaths>
#include <QVariant>
#include <QWidget>

namespace fondara::window {
namespace {

QString filter_of(const SaveType& type) {
  return QStringLiteral("%1 (*.%2)")
      .arg(QString::fromUtf8(type.description), QLatin1StringView(type.extension));
}

QStringList filters() {
  QStringList list;
  for (const SaveType& type : save_types) list << filter_of(type);
  return list;
}

// The type whose extension `path` has, in any case, if any.
const SaveType* type_named_by(const QString& path) {
  const QString suffix = QFileInfo(path).suffix();
  for (const SaveType& type : save_types)
    if (suffix.compare(QLatin1StringView(type.extension), Qt::CaseInsensitive) == 0) return &type;
  return nullptr;
}

// Qt's save dialog accepts a name in a folder that does not exist; this one keeps the
// dialog open with a warning instead, so the name it returns always has an existing
// folder. A name without an extension gets the chosen type's: Qt adds the default
// suffix to the name and asks before replacing a file of the name so made.
class SaveDialog final : public QFileDialog {
 public:
  explicit SaveDialog(QWidget* parent)
      : QFileDialog(parent, QString::fromUtf8(save_dialog_title), start_folder(parent)) {
    setOption(QFileDialog::DontUseNativeDialog);
    setAcceptMode(QFileDialog::AcceptSave);
    setFileMode(QFileDialog::AnyFile);
    setNameFilters(filters());
  }

  // The type of the filter chosen in the list.
  const SaveType& chosen_type() const {
    for (const SaveType& type : save_types)
      if (filter_of(type) == selectedNameFilter()) return type;
    return save_types[0];
  }

  void accept() override {
    // The name of a folder opens it: no extension for that. (Qt looks for the folder
    // relative to the program's working folder, not the dialog's, so it would make the
    // name of a file of it.)
    setDefaultSuffix(QString());
    const QStringList files = selectedFiles();
    if (!files.isEmpty() && !QFileInfo(files.front()).isDir()) {
      setDefaultSuffix(QLatin1StringView(chosen_type().extension));
      const QFileInfo chosen(files.front());
      if (!QFileInfo(chosen.absolutePath()).isDir()) {
        QMessageBox::warning(this, windowTitle(),
                             QString::fromUtf8(texts::missing_folder)
                                 .arg(QDir::toNativeSeparators(chosen.absolutePath())));
        return;
      }
    }
    QFileDialog::accept();
  }
};

}  // namespace

QString initial_save_folder() {
  const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  if (!documents.isEmpty() && QFileInfo(documents).isDir()) return documents;
  return QDir::homePath();
}

namespace {

// The window's property that holds its last folder.
constexpr char kLastFolder[] = "fondara_last_folder";

}  // namespace

QString start_folder(const QWidget* parent) {
  const QWidget* window = parent != nullptr ? parent->window() : nullptr;
  const QString folder = window != nullptr ? window->property(kLastFolder).toString() : QString();
  return !folder.isEmpty() && QFileInfo(folder).isDir() ? folder : initial_save_folder();
}

void remember_folder(QWidget& window, const QString& file) {
  window.window()->setProperty(kLastFolder, QFileInfo(file).absolutePath());
}

SaveChoice ask_save_choice(QWidget* parent) {
  SaveDialog dialog(parent);
  if (dialog.exec() != QDialog::Accepted) return {};
  const QStringList files = dialog.selectedFiles();
  if (files.isEmpty()) return {};
  const SaveType* named = type_named_by(files.front());
  return {files.front(), (named != nullptr ? *named : dialog.chosen_type()).type};
}

}  // namespace fondara::window
