// LoadTable: the load combinations of the verification window, one row each.
//
// The first columns hold the design loads N, MB, ML, HB, HL as the user typed or pasted them
// (headers with symbol and unit from the kind's field table); the others the results of the
// last calculation, read-only: B', L', Rd, Ed, U, Uh, the mark of the governing combination
// and the verdict (or the refusal's message). A cell is edited in a number field with the
// key rules of the windows' fields (a minus sign too in MB..HL) and the same check at every
// change: a text that is not a number is refused with a beep and emptied. Ctrl+V, in the
// table or in a cell being edited, and paste_clipboard() paste tab-separated rows from a
// spreadsheet from the current cell, all or nothing. Tab runs through the load cells alone,
// row after row. form_verifica owns it and reads and fills it by the fields' names.
#pragma once

#include <QTableWidget>
#include <optional>
#include <string>
#include <vector>

#include "core/kind.h"
#include "core/outcome.h"

namespace fondara::verifica {

class LoadTable : public QTableWidget {
  Q_OBJECT

 public:
  // The load columns, in the order of the kind's per-combination fields.
  static constexpr int kLoadColumns = 5;
  // The most rows that adding and pasting make: the structural programs' combinations of
  // one footing are far fewer, and every row stays quick to edit, compute and report.
  static constexpr int kMaxRows = 1000;

  explicit LoadTable(QWidget* parent);

  // The loads of every row, by field name; blank cells are left out (not given).
  std::vector<FieldTexts> combinations() const;
  // One row for each combination, however many, its cells checked as typed ones (a text
  // that is not a number beeps and leaves its cell empty); none: one empty row.
  void set_combinations(const std::vector<FieldTexts>& combinations);

  // A new empty row at the end, made current; false when the table is full.
  bool add_row();
  // Removes the rows that hold a selected cell.
  void remove_selected_rows();

  // Pastes the clipboard's text from the current cell; a refused paste beeps and tells why
  // in a message box, and changes nothing.
  void paste_clipboard();
  // The same for `text`: Done, or why nothing was pasted (Italian, one line).
  Outcome<Done, QString> paste(const QString& text);

  // The result columns of every row, in the order of the kind's results, and the row of the
  // governing combination (marked and in bold), if any; rows beyond them are left empty.
  void show_results(const std::vector<std::vector<std::string>>& rows,
                    std::optional<std::size_t> governing);
  void clear_results();

  QSize sizeHint() const override;

  // The field (N, MB, ...) of a load column.
  static std::string_view load_field(int column);

 Q_SIGNALS:
  // A load cell changed, or rows were added, removed or pasted.
  void loads_changed();

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;

 private:
  friend class LoadDelegate;

  void make_row(int row);
  void show_row_results(int row, const std::vector<std::string>& columns, bool governing);
  void set_row_bold(int row, bool bold);
  // Ctrl+V in the cell being edited: the cell's text is kept, its editor closed, and the
  // clipboard pasted from that cell.
  void paste_over_editor(QWidget* editor);
};

// Whether a cell's text is taken as it is being typed: empty, a number, and in a signed
// column also a lone minus sign (the start of a negative number).
bool cell_accepts(const QString& text, bool signed_value);

}  // namespace fondara::verifica
