// Opening a calculation's file from any window of the program: Ctrl+O shows the open
// dialog (data files and PDF reports), and a file dragged from the file manager and dropped
// on the window is taken as it is. Either way the window's FileOpening signals the file's
// name; the program, which knows every kind, reads it and decides which window shows it.
#pragma once

#include <QObject>
#include <QString>

#include "core/data_file.h"

class QWidget;

namespace fondara::window {

class FileOpening : public QObject {
  Q_OBJECT

 public:
  // Watches `window` (its child, gone with it) for Ctrl+O and dropped files.
  explicit FileOpening(QWidget& window);

  // The open dialog, as Ctrl+O shows it; the chosen file is requested.
  void ask();

 Q_SIGNALS:
  // The user asked to open the file at `path` over `window`.
  void requested(QWidget* window, const QString& path);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QWidget& window_;
};

// A window that shows one kind's calculation and can be filled from its data.
class FillableWindow {
 public:
  virtual ~FillableWindow() = default;
  virtual const Kind& kind() const = 0;
  // Replaces the fields with the data's texts and calculates as CALCOLA would; `file` is
  // where the data came from, if anywhere.
  virtual void fill(const CalculationData& data, const QString& file = {}) = 0;
  // Whether the window may be given other data: asks the user when unsaved work would go.
  virtual bool discard_allowed() { return true; }
};

// The open dialog, over `parent`: data files and PDF reports; the chosen file's absolute
// name, or an empty name when it was cancelled. It starts where the parent's window last
// opened or saved a file (save_dialog.h). The production open_choice.
QString ask_open_path(QWidget* parent);

// Starts another run of the program with the file at `path`. The production open_elsewhere.
void open_in_new_program(const QString& path);

}  // namespace fondara::window
