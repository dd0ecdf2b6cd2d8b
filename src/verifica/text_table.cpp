#include "verifica/text_table.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QScrollBar>
#include <QUndoStack>
#include <algorithm>
#include <set>

#include "core/number_text.h"
#include "core/user_text.h"
#include "verifica/decimal_field.h"
#include "window/controls.h"
#include "window/numeric_field.h"
#include "window/qt_text.h"
#include "window/toolkit.h"

namespace fondara::verifica {

namespace {

using window::capitalised;
using window::qt_text;

// One step of the undo history: rows [first, first + before.size()) became `after`.
class RowsChange : public QUndoCommand {
 public:
  RowsChange(TextTableModel& model, int first, TableRows before, TableRows after,
             const QString& what)
      : QUndoCommand(what),
        model_(model),
        first_(first),
        before_(std::move(before)),
        after_(std::move(after)) {}

  void undo() override { model_.replace(first_, static_cast<int>(after_.size()), before_); }
  void redo() override { model_.replace(first_, static_cast<int>(before_.size()), after_); }

 private:
  TextTableModel& model_;
  int first_;
  TableRows before_, after_;
};

bool is_choice(const TableColumn& column) {
  return column.field->type == FieldType::choice;
}
bool is_number(const TableColumn& column) {
  return column.field->type == FieldType::number;
}

// A choice as the table shows it: its code and, where it has them, its words.
QString choice_text(const Choice& choice) {
  return choice.words.empty()
             ? qt_text(choice.code)
             : qt_text(choice.code) + QStringLiteral(" \u2013 ") + qt_text(choice.words);
}

// The choice whose code `text` is, in any case.
const Choice* choice_named(const Field& field, const QString& text) {
  for (const Choice& choice : field.choices)
    if (text.compare(qt_text(choice.code), Qt::CaseInsensitive) == 0) return &choice;
  return nullptr;
}

// The code a cell keeps for a choice: none for the field's own default, so that a row says
// no more than it must (a file then stays readable by the releases before the field).
QString kept_code(const Field& field, const Choice& choice) {
  return field.fallback && choice.code == *field.fallback ? QString() : qt_text(choice.code);
}

// "N (kN)": a column's header from its symbol and unit, or its meaning.
QString header_text(const FieldText& text) {
  if (text.symbol.empty()) return capitalised(text.meaning);
  const QString symbol = qt_text(text.symbol);
  return text.unit.empty() ? symbol : symbol + QStringLiteral(" (") + qt_text(text.unit) + u')';
}

QString column_name(const TableColumn& column) {
  const FieldText& text = column.field->text;
  return text.symbol.empty() ? qt_text(text.name) : qt_text(text.symbol);
}

// A pasted cell as the table keeps it, or why it is refused.
Outcome<QString, QString> pasted_cell(const QString& cell, const TableColumn& column, int row) {
  const QString text = cell.trimmed();
  if (text.isEmpty()) return QString();
  const std::string utf8 = text.toStdString();
  const QString where = QStringLiteral("Impossibile incollare: nella riga %1, colonna %2, %3 ")
                            .arg(row + 1)
                            .arg(column_name(column), qt_text(safe_quoted(utf8)));
  if (text.size() > window::NumericField::longest_text)
    return Failed{
        where + QStringLiteral("ha più di %1 caratteri.").arg(window::NumericField::longest_text)};
  if (is_choice(column)) {
    if (const Choice* choice = choice_named(*column.field, text))
      return kept_code(*column.field, *choice);
    const auto code = [](const Choice& choice) { return choice.code; };
    return Failed{
        where + qt_text("non è tra le scelte: " + alternatives(column.field->choices, code) + ".")};
  }
  if (!is_number(column)) return text;
  if (const auto number = spreadsheet_decimal(utf8, column.signed_value)) return qt_text(*number);
  const bool negative = column.signed_value && text.startsWith(u'-');
  const std::string sign = negative ? "-" : "";
  if (const auto readings = ambiguous_readings(std::string_view(utf8).substr(sign.size())))
    return Failed{where + qt_text("è ambiguo: scrivere " + sign + readings->first + " oppure " +
                                  sign + readings->second + ".")};
  return Failed{where + QStringLiteral("non è un numero.")};
}

// Whether a copied line is a header: it puts text, and no number, into a number column.
bool is_header(const QStringList& cells, std::span<const TableColumn> columns, int first_column) {
  bool text_in_number_column = false;
  for (qsizetype j = 0; j < cells.size() && first_column + j < std::ssize(columns); ++j) {
    const QString cell = cells[j].trimmed();
    if (cell.isEmpty()) continue;
    const TableColumn& column = columns[static_cast<std::size_t>(first_column + j)];
    if (is_number(column) && spreadsheet_decimal(cell.toStdString(), column.signed_value))
      return false;
    if (is_number(column)) text_in_number_column = true;
  }
  return text_in_number_column;
}

bool blank_line(const QString& line) {
  return QString(line).remove(u'\t').trimmed().isEmpty();
}

}  // namespace

Outcome<PastedBlock, QString> pasted_block(const QString& text,
                                           std::span<const TableColumn> columns, int first_row,
                                           int first_column, int max_rows) {
  const auto too_many_rows = [max_rows] {
    return Failed{
        QStringLiteral("Impossibile incollare: la tabella ha al più %1 righe.").arg(max_rows)};
  };
  // Counted before anything is split, so that a huge clipboard costs nothing.
  if (first_row + text.count(u'\n') > 2 * max_rows + 1) return too_many_rows();
  QStringList lines = text.split(u'\n');
  while (!lines.isEmpty() && blank_line(lines.back())) lines.removeLast();
  PastedBlock block;
  // A header needs the rows under it: a single row of text is refused as data.
  if (lines.size() > 1 && is_header(lines.front().split(u'\t'), columns, first_column)) {
    lines.removeFirst();
    block.header_skipped = true;
  }
  if (first_row + lines.size() > max_rows) return too_many_rows();
  const int room = static_cast<int>(columns.size()) - first_column;
  for (qsizetype i = 0; i < lines.size(); ++i) {
    // The CR of a CR LF goes with the blanks around the last cell.
    const QStringList cells = lines[i].split(u'\t');
    if (cells.size() > room)
      return Failed{QStringLiteral("Impossibile incollare: la riga %1 copiata ha %2 celle, dalla "
                                   "colonna %3 ne %4.")
                        .arg(i + 1 + (block.header_skipped ? 1 : 0))
                        .arg(cells.size())
                        .arg(column_name(columns[static_cast<std::size_t>(first_column)]),
                             room == 1 ? QStringLiteral("entra una")
                                       : QStringLiteral("entrano %1").arg(room))};
    QStringList kept;
    for (qsizetype j = 0; j < cells.size(); ++j) {
      const auto cell = pasted_cell(cells[j], columns[static_cast<std::size_t>(first_column + j)],
                                    first_row + int(i));
      if (!cell) return Failed{cell.error()};
      kept << *cell;
    }
    block.rows << kept;
  }
  return block;
}

// ---------------------------------------------------------------------------------------------
// The model

TextTableModel::TextTableModel(std::vector<TableColumn> columns, int max_rows, QUndoStack& history,
                               QObject* parent)
    : QAbstractTableModel(parent),
      columns_(std::move(columns)),
      max_rows_(max_rows),
      history_(history),
      rows_{blank_row()} {
  number_rows();
}

QStringList TextTableModel::blank_row() const {
  QStringList row;
  for (std::size_t i = 0; i < columns_.size(); ++i) row << QString();
  return row;
}

int TextTableModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int TextTableModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(columns_.size());
}

QVariant TextTableModel::data(const QModelIndex& index, int role) const {
  const QString& text = rows_[index.row()][index.column()];
  const TableColumn& column = columns_[static_cast<std::size_t>(index.column())];
  switch (role) {
    case Qt::EditRole:
      return text;
    case Qt::DisplayRole:
    case Qt::ToolTipRole:
    case Qt::AccessibleTextRole: {
      if (!is_choice(column)) return text;
      // An empty choice is the field's default, shown as such.
      const Choice* choice = choice_named(*column.field, text.isEmpty() && column.field->fallback
                                                             ? qt_text(*column.field->fallback)
                                                             : text);
      return choice != nullptr ? choice_text(*choice) : text;
    }
    case Qt::TextAlignmentRole:
      return is_number(column) ? QVariant(Qt::AlignRight | Qt::AlignVCenter)
                               : QVariant(Qt::AlignLeft | Qt::AlignVCenter);
    default:
      return {};
  }
}

bool TextTableModel::setData(const QModelIndex& index, const QVariant& value, int role) {
  if (role != Qt::EditRole || !index.isValid()) return false;
  const QString text = value.toString();
  if (rows_[index.row()][index.column()] == text) return false;
  QStringList row = rows_[index.row()];
  row[index.column()] = text;
  change(index.row(), 1, {row}, QStringLiteral("modifica di una cella"));
  return true;
}

Qt::ItemFlags TextTableModel::flags(const QModelIndex& index) const {
  if (!index.isValid()) return Qt::NoItemFlags;
  return Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsEditable;
}

QVariant TextTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation == Qt::Vertical) {
    if (role != Qt::DisplayRole || section >= std::ssize(numbers_)) return {};
    const int number = numbers_[static_cast<std::size_t>(section)];
    return number > 0 ? QString::number(number) : QString();
  }
  const FieldText& text = columns_[static_cast<std::size_t>(section)].field->text;
  if (role == Qt::DisplayRole) return header_text(text);
  if (role == Qt::ToolTipRole) return capitalised(text.meaning);
  return {};
}

bool TextTableModel::blank(int row) const {
  return std::all_of(rows_[row].begin(), rows_[row].end(),
                     [](const QString& cell) { return cell.trimmed().isEmpty(); });
}

void TextTableModel::change(int first, int count, const TableRows& rows, const QString& what) {
  history_.push(new RowsChange(*this, first, rows_.mid(first, count), rows, what));
}

void TextTableModel::replace(int first, int count, const TableRows& rows) {
  if (count == rows.size()) {
    for (qsizetype i = 0; i < rows.size(); ++i) rows_[first + i] = rows[i];
    if (count > 0) Q_EMIT dataChanged(index(first, 0), index(first + count - 1, columnCount() - 1));
  } else {
    if (count > 0) {
      beginRemoveRows({}, first, first + count - 1);
      rows_.remove(first, count);
      endRemoveRows();
    }
    if (!rows.isEmpty()) {
      beginInsertRows({}, first, first + static_cast<int>(rows.size()) - 1);
      for (qsizetype i = 0; i < rows.size(); ++i) rows_.insert(first + i, rows[i]);
      endInsertRows();
    }
  }
  number_rows();
  Q_EMIT changed();
}

bool TextTableModel::add_blank_row() {
  if (rowCount() >= max_rows_) return false;
  change(rowCount(), 0, {blank_row()}, QStringLiteral("riga aggiunta"));
  return true;
}

void TextTableModel::set_texts(const std::vector<FieldTexts>& rows) {
  beginResetModel();
  rows_.clear();
  for (const FieldTexts& given : rows) {
    QStringList row;
    for (const TableColumn& column : columns_) {
      const auto found = given.find(column.field->text.name);
      row << (found == given.end() ? QString() : qt_text(found->second));
    }
    rows_ << row;
  }
  if (rows_.isEmpty()) rows_ << blank_row();
  endResetModel();
  number_rows();
  Q_EMIT changed();
}

std::vector<FieldTexts> TextTableModel::texts() const {
  std::vector<FieldTexts> all;
  for (int row = 0; row < rowCount(); ++row) {
    if (blank(row)) continue;
    FieldTexts texts;
    for (std::size_t column = 0; column < columns_.size(); ++column) {
      const QString& text = rows_[row][static_cast<qsizetype>(column)];
      if (!text.trimmed().isEmpty())
        texts.emplace(columns_[column].field->text.name, text.toStdString());
    }
    all.push_back(std::move(texts));
  }
  return all;
}

int TextTableModel::row_of(std::size_t number) const {
  const auto found = std::find(numbers_.begin(), numbers_.end(), static_cast<int>(number));
  return number == 0 || found == numbers_.end() ? -1 : static_cast<int>(found - numbers_.begin());
}

void TextTableModel::number_rows() {
  numbers_.assign(rows_.size(), 0);
  int number = 0;
  for (int row = 0; row < rowCount(); ++row)
    if (!blank(row)) numbers_[static_cast<std::size_t>(row)] = ++number;
  filled_ = static_cast<std::size_t>(number);
  if (!rows_.isEmpty()) Q_EMIT headerDataChanged(Qt::Vertical, 0, rowCount() - 1);
}

// ---------------------------------------------------------------------------------------------
// The view

// The cells' editors: a DecimalField, a list of choices or a line edit. Ctrl+V in an editor
// with a block on the clipboard is the table's paste.
class CellDelegate : public QStyledItemDelegate {
 public:
  explicit CellDelegate(TextTable& table) : QStyledItemDelegate(&table), table_(table) {}

  QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& /*option*/,
                        const QModelIndex& index) const override {
    const TableColumn& column = table_.model_.columns()[static_cast<std::size_t>(index.column())];
    QWidget* editor = nullptr;
    if (is_choice(column)) {
      auto* list = new QComboBox(parent);
      for (const Choice& choice : column.field->choices)
        list->addItem(choice_text(choice), kept_code(*column.field, choice));
      // A choice is taken as it is made.
      connect(list, &QComboBox::activated, list,
              [this, list] { Q_EMIT const_cast<CellDelegate*>(this)->commitData(list); });
      editor = list;
    } else if (is_number(column)) {
      editor = new DecimalField(column.signed_value, parent);
    } else {
      auto* line = new QLineEdit(parent);
      line->setMaxLength(window::kLongestDescription);
      editor = line;
    }
    editor->setFont(table_.font());
    return editor;
  }

  void setEditorData(QWidget* editor, const QModelIndex& index) const override {
    if (auto* list = qobject_cast<QComboBox*>(editor)) {
      const int at = list->findData(index.data(Qt::EditRole).toString());
      list->setCurrentIndex(std::max(at, 0));
      return;
    }
    QStyledItemDelegate::setEditorData(editor, index);
  }

  void setModelData(QWidget* editor, QAbstractItemModel* model,
                    const QModelIndex& index) const override {
    if (auto* list = qobject_cast<QComboBox*>(editor)) {
      model->setData(index, list->currentData().toString(), Qt::EditRole);
      return;
    }
    QStyledItemDelegate::setModelData(editor, model, index);
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->matches(QKeySequence::Paste)) {
      const QString clip = QApplication::clipboard()->text();
      const QString cells = clip.endsWith(u'\n') ? clip.chopped(1) : clip;
      if (cells.contains(u'\t') || cells.contains(u'\n')) {
        table_.paste_over_editor(static_cast<QWidget*>(watched));
        return true;
      }
    }
    return QStyledItemDelegate::eventFilter(watched, event);
  }

 private:
  TextTable& table_;
};

TextTable::TextTable(TextTableModel& model, QWidget* parent) : QTableView(parent), model_(model) {
  setModel(&model);
  setItemDelegate(new CellDelegate(*this));
  // No editing on a click of the selected cell: its delayed start would take the keys typed
  // meanwhile. Typing, F2 and a double click edit.
  setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                  QAbstractItemView::AnyKeyPressed);
  setSelectionBehavior(QAbstractItemView::SelectItems);
  setWordWrap(false);
  verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 8);
  verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
  for (int column = 0; column < model.columnCount(); ++column) {
    const QString header = model.headerData(column, Qt::Horizontal, Qt::DisplayRole).toString();
    const bool wide = !is_number(model.columns()[static_cast<std::size_t>(column)]);
    const QString sample =
        wide ? QStringLiteral("Peso proprio e plinto") : QStringLiteral("-12345,67");
    setColumnWidth(column, std::max(fontMetrics().horizontalAdvance(header),
                                    fontMetrics().horizontalAdvance(sample)) +
                               16);
  }
  horizontalHeader()->setStretchLastSection(true);
  setCurrentIndex(model.index(0, 0));
}

QSize TextTable::sizeHint() const {
  int width = verticalHeader()->sizeHint().width() + 2 * frameWidth() +
              verticalScrollBar()->sizeHint().width();
  for (int column = 0; column < model_.columnCount(); ++column) width += columnWidth(column);
  const int height = horizontalHeader()->sizeHint().height() + 2 * frameWidth() +
                     5 * verticalHeader()->defaultSectionSize();
  return {width, height};
}

bool TextTable::add_row() {
  if (!model_.add_blank_row()) return false;
  setCurrentIndex(model_.index(model_.rowCount() - 1, 0));
  return true;
}

void TextTable::remove_selected_rows() {
  std::set<int> rows;
  for (const QModelIndex& index : selectionModel()->selectedIndexes()) rows.insert(index.row());
  if (rows.empty() && currentIndex().isValid()) rows.insert(currentIndex().row());
  if (rows.empty()) return;
  // One step of the history: the rows from the first to the last removed, the others kept.
  const int first = *rows.begin(), last = *rows.rbegin();
  TableRows kept;
  for (int row = first; row <= last; ++row)
    if (!rows.contains(row)) kept << model_.rows()[row];
  if (kept.isEmpty() && static_cast<int>(rows.size()) == model_.rowCount())
    kept << model_.blank_row();
  model_.change(first, last - first + 1, kept, QStringLiteral("righe rimosse"));
  setCurrentIndex(model_.index(std::min(first, model_.rowCount() - 1), 0));
}

void TextTable::clear_selected_cells() {
  QModelIndexList cells = selectionModel()->selectedIndexes();
  if (cells.isEmpty() && currentIndex().isValid()) cells << currentIndex();
  if (cells.isEmpty()) return;
  int first = model_.rowCount(), last = -1;
  for (const QModelIndex& cell : cells) {
    first = std::min(first, cell.row());
    last = std::max(last, cell.row());
  }
  TableRows rows = model_.rows().mid(first, last - first + 1);
  for (const QModelIndex& cell : cells) rows[cell.row() - first][cell.column()].clear();
  if (rows != model_.rows().mid(first, last - first + 1))
    model_.change(first, last - first + 1, rows, QStringLiteral("celle svuotate"));
}

void TextTable::paste_clipboard() {
  const auto pasted = paste(QApplication::clipboard()->text());
  if (pasted) return Q_EMIT this->pasted(*pasted);
  window::beep();
  window::message_box(window(), pasted.error());
}

Outcome<QString, QString> TextTable::paste(const QString& text) {
  const int first_row = std::max(currentIndex().row(), 0);
  const int first_column = std::max(currentIndex().column(), 0);
  const auto block =
      pasted_block(text, model_.columns(), first_row, first_column, model_.max_rows());
  if (!block) return Failed{block.error()};
  const QString note = block->header_skipped
                           ? QStringLiteral(
                                 "La prima riga incollata, un'intestazione, è stata "
                                 "saltata.")
                           : QString();
  if (block->rows.isEmpty()) return note;
  // The rows pasted over, as they become: the cells beyond the block kept.
  const int count = static_cast<int>(block->rows.size());
  const int existing = std::min(count, model_.rowCount() - first_row);
  TableRows rows = model_.rows().mid(first_row, existing);
  while (rows.size() < count) rows << model_.blank_row();
  for (int i = 0; i < count; ++i)
    for (qsizetype j = 0; j < block->rows[i].size(); ++j)
      rows[i][first_column + j] = block->rows[i][j];
  model_.change(first_row, existing, rows, QStringLiteral("incolla"));
  setCurrentIndex(model_.index(first_row, first_column));
  return note;
}

void TextTable::paste_over_editor(QWidget* editor) {
  commitData(editor);
  closeEditor(editor, QAbstractItemDelegate::NoHint);
  paste_clipboard();
}

void TextTable::keyPressEvent(QKeyEvent* event) {
  if (event->matches(QKeySequence::Paste)) {
    event->accept();
    return paste_clipboard();
  }
  if (state() != EditingState &&
      (event->key() == Qt::Key_Delete || event->key() == Qt::Key_Backspace) &&
      event->modifiers() == Qt::NoModifier) {
    event->accept();
    return clear_selected_cells();
  }
  // Down in a cell being edited: the text is the cell's before the move, wherever it goes.
  QWidget* editor = QApplication::focusWidget();
  if (event->key() == Qt::Key_Down && state() == EditingState && editor != nullptr &&
      editor->parentWidget() == viewport()) {
    commitData(editor);
    closeEditor(editor, QAbstractItemDelegate::NoHint);
  }
  QTableView::keyPressEvent(event);
}

QModelIndex TextTable::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) {
  const QModelIndex current = currentIndex();
  const int last_row = model_.rowCount() - 1;
  if (current.isValid() && action == MoveDown && current.row() == last_row) {
    // Below a filled last row, a new one; below a blank one, nowhere (the cell's editor closes).
    if (!model_.blank(last_row) && model_.add_blank_row())
      return model_.index(last_row + 1, current.column());
    return current;
  }
  if (!current.isValid() || (action != MoveNext && action != MovePrevious))
    return QTableView::moveCursor(action, modifiers);
  // Tab runs through the cells, row after row, and leaves the table after the last.
  const int columns = model_.columnCount();
  int row = current.row();
  int column = current.column() + (action == MoveNext ? 1 : -1);
  if (column >= columns) {
    ++row;
    column = 0;
  } else if (column < 0) {
    --row;
    column = columns - 1;
  }
  if (row < 0 || row > last_row) return {};
  return model_.index(row, column);
}

}  // namespace fondara::verifica
