// Opening a calculation's file from any window of the program: Ctrl+O shows the open
// dialog (data files and PDF reports), and a file dragged from the file manager and dropped
// on the window is taken as it is. Either way the window's FileOpening signals the file's
// name; the program, which knows every kind, reads it and decides which window shows it.
#pragma once

#include <QObject>
#include <QString>
#include <optional>
#include <string>
#include <string_view>

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

// A value of a calculation's data that a window cannot show whole: the field, its combination
// counted from 1 (0: a field of the whole calculation) and why, in Italian, lower case.
struct RefusedValue {
  std::string_view field;
  std::size_t combination = 0;  // a combination's field: its number, counted from 1
  std::string cause;
  std::size_t action = 0;  // an action's field: its number, counted from 1
};

// A window that shows one kind's calculation and can be filled from its data.
class FillableWindow {
 public:
  virtual ~FillableWindow() = default;
  virtual const Kind& kind() const = 0;
  // The first value of the data that a control of the window would cut or refuse, checked
  // before fill changes anything; nothing when the window holds every value whole.
  virtual std::optional<RefusedValue> refused_value(const CalculationData& data) const = 0;
  // Replaces the fields with the data's texts, forgets the last calculation (SALVA and STAMPA
  // wait for the data's own) and calculates as CALCOLA would; `file` is where the data came
  // from, if anywhere.
  virtual void fill(CalculationData data, const QString& file = {}) = 0;
  // Whether the window may be given other data: asks the user when unsaved work would go.
  virtual bool discard_allowed() = 0;
};

// A number field's text from a file that the field would cut (longer than
// NumericField::longest_text) or refuse (`is_number` false for a text that is not empty).
std::optional<RefusedValue> refused_number(std::string_view field, const QString& text,
                                           bool is_number, std::size_t combination = 0);

// The open dialog, over `parent`: data files and PDF reports; the chosen file's absolute
// name, or an empty name when it was cancelled. It starts where the parent's window last
// opened or saved a file (save_dialog.h). The production open_choice.
QString ask_open_path(QWidget* parent);

// Starts another run of the program with the file at `path`: whether it started. The
// production open_elsewhere.
bool open_in_new_program(const QString& path);

// Starts `program` with the file at `path`, detached: whether it started.
bool start_program(const QString& program, const QString& path);

}  // namespace fondara::window
