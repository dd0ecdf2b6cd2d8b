#include "window/save_dialog.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QStandardPaths>

namespace fondara::window {
namespace {

// Qt's save dialog accepts a name in a folder that does not exist; this one keeps the
// dialog open with a warning instead, so the name it returns always has an existing
// folder.
class SaveDialog final : public QFileDialog {
 public:
  explicit SaveDialog(QWidget* parent)
      : QFileDialog(parent, QString::fromUtf8(save_dialog_title), initial_save_folder(),
                    QString::fromUtf8(save_dialog_filter) + QStringLiteral(";;") +
                        QString::fromUtf8(save_dialog_pdf_filter)) {
    setOption(QFileDialog::DontUseNativeDialog);
    setAcceptMode(QFileDialog::AcceptSave);
    setFileMode(QFileDialog::AnyFile);
    setDefaultSuffix(QString());
  }

  void accept() override {
    const QStringList files = selectedFiles();
    if (!files.isEmpty()) {
      const QFileInfo chosen(files.front());
      if (!chosen.isDir() && !QFileInfo(chosen.absolutePath()).isDir()) {
        QMessageBox::warning(this, windowTitle(),
                             QStringLiteral("La cartella \"%1\" non esiste.\n"
                                            "Verificare il percorso indicato.")
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

SaveChoice ask_save_choice(QWidget* parent) {
  SaveDialog dialog(parent);
  if (dialog.exec() != QDialog::Accepted) return {};
  const QStringList files = dialog.selectedFiles();
  if (files.isEmpty()) return {};
  const bool pdfa = dialog.selectedNameFilter() == QString::fromUtf8(save_dialog_pdf_filter);
  return {files.front(), pdfa ? FileType::pdfa : FileType::text};
}

}  // namespace fondara::window
