// The editable tables of the verification window: the characteristic actions (name, type,
// N, MB, ML, HB, HL) and the typed load combinations (N, MB, ML, HB, HL, situation), one row
// each, their columns the kind's fields.
//
// TextTableModel keeps every cell's text as typed or pasted; a number cell is edited in a
// DecimalField (a refused key beeps and changes nothing), a choice in a list naming each
// choice in words, a text in a line edit. Every change (a cell, rows added, removed or
// cleared, a paste) is one step of the window's undo history (Ctrl+Z, Ctrl+Shift+Z). Rows
// left blank are no rows of the calculation: texts() leaves them out and the row numbers
// skip them.
//
// TextTable is the view: typing over a cell replaces its text; Delete clears the selected
// cells; Tab runs through the cells row after row and leaves after the last; Down on the last
// row adds a row below a filled one; Ctrl+V (in the table, or in a cell being edited when the
// clipboard holds more than one cell) pastes a block copied from a spreadsheet from the
// current cell, all or nothing: cells separated by tabs, rows by line ends, numbers with a
// decimal comma or point (and thousands dots before a comma); a first row that is all text
// (a header) is skipped and said so, blank lines at the end are dropped.
#pragma once

#include <QList>
#include <QStringList>
#include <QStyledItemDelegate>
#include <QTableView>
#include <span>
#include <vector>

#include "core/kind.h"
#include "core/outcome.h"

class QUndoStack;

namespace fondara::verifica {

// One column of a table: a field of the kind's tables.
struct TableColumn {
  const Field* field;
  bool signed_value = false;  // a number with a minus sign allowed
};

using TableRows = QList<QStringList>;

// What a paste puts into the table, and whether it left out a header row.
struct PastedBlock {
  TableRows rows;
  bool header_skipped = false;
};

// The cells of `text`, copied from a spreadsheet, checked and in the table's form, to be put
// from (first_row, first_column) of a table of `columns` that holds at most `max_rows`; or why
// nothing is pasted (Italian, one line).
Outcome<PastedBlock, QString> pasted_block(const QString& text,
                                           std::span<const TableColumn> columns, int first_row,
                                           int first_column, int max_rows);

class TextTableModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  TextTableModel(std::vector<TableColumn> columns, int max_rows, QUndoStack& history,
                 QObject* parent);

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  bool setData(const QModelIndex& index, const QVariant& value, int role) override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  std::span<const TableColumn> columns() const { return columns_; }
  int max_rows() const { return max_rows_; }
  const TableRows& rows() const { return rows_; }
  QStringList blank_row() const;
  bool blank(int row) const;

  // Rows [first, first + count) become `rows`: one step of the undo history named `what`.
  void change(int first, int count, const TableRows& rows, const QString& what);
  // The same without a step of the history (the history's own undo and redo).
  void replace(int first, int count, const TableRows& rows);
  // A blank row at the end, one step of the history; false when the table is full.
  bool add_blank_row();
  // Every row, as a file gives them, outside the history (which its owner clears). None: one
  // blank row.
  void set_texts(const std::vector<FieldTexts>& rows);

  // The texts of the rows that are not blank, by field name; blank cells are not given.
  std::vector<FieldTexts> texts() const;
  // The table row of the calculation's row `number` (counted from 1), -1 if none.
  int row_of(std::size_t number) const;
  // How many rows are not blank.
  std::size_t filled() const { return filled_; }

 Q_SIGNALS:
  // Any change of a cell or of the rows.
  void changed();

 private:
  void number_rows();

  std::vector<TableColumn> columns_;
  int max_rows_;
  QUndoStack& history_;
  TableRows rows_;
  std::vector<int> numbers_;  // each row's number in the calculation, 0 for a blank row
  std::size_t filled_ = 0;
};

class TextTable : public QTableView {
  Q_OBJECT

 public:
  TextTable(TextTableModel& model, QWidget* parent);

  TextTableModel& texts() const { return model_; }

  // A blank row at the end, made current; false when the table is full.
  bool add_row();
  // Removes the rows that hold a selected cell (the current one when none is selected).
  void remove_selected_rows();
  // Empties the selected cells.
  void clear_selected_cells();
  // Pastes the clipboard's text from the current cell; a refused paste beeps and tells why in
  // a message box, and changes nothing.
  void paste_clipboard();
  // The same for `text`: what to say of it (the header skipped), or why nothing was pasted.
  Outcome<QString, QString> paste(const QString& text);

  QSize sizeHint() const override;

 Q_SIGNALS:
  // A paste that left something out says so here (empty: nothing to say).
  void pasted(const QString& note);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;

 private:
  friend class CellDelegate;
  // Ctrl+V in the cell being edited, the clipboard holding a block: the cell's text kept,
  // its editor closed, the clipboard pasted from that cell.
  void paste_over_editor(QWidget* editor);

  TextTableModel& model_;
};

}  // namespace fondara::verifica
