#include "verifica/load_table.h"

#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QKeyEvent>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStyledItemDelegate>
#include <algorithm>
#include <array>
#include <functional>
#include <set>

#include "core/number_text.h"
#include "core/user_text.h"
#include "verifica/kind.h"
#include "verifica/verification_texts.h"
#include "window/numeric_field.h"
#include "window/qt_text.h"
#include "window/toolkit.h"

namespace fondara::verifica {

namespace {

using window::capitalised;
using window::qt_text;

// The result columns shown in the table, after the loads; then the governing mark and the
// verdict.
constexpr std::array<std::string_view, 6> kShownResults{"B_eff", "L_eff", "Rd", "Ed", "U", "U_h"};
constexpr int kGoverningColumn = LoadTable::kLoadColumns + static_cast<int>(kShownResults.size());
constexpr int kVerdictColumn = kGoverningColumn + 1;
constexpr int kColumnCount = kVerdictColumn + 1;

constexpr QChar kGoverningMark = u'\u2605';  // ★

// The loads that take a minus sign, as read_loads reads them: all but N.
bool is_signed(int column) {
  return column > 0 && column < LoadTable::kLoadColumns;
}

const Field& load_field_entry(int column) {
  int seen = 0;
  for (const Field& field : verifica_kind().fields)
    if (field.per_combination && seen++ == column) return field;
  programming_error("no load field for column " + std::to_string(column));
}

// "N (kN)", "B' (m)", "U": a column's header from its symbol and unit.
QString header_text(const FieldText& text) {
  if (text.symbol.empty()) return capitalised(text.meaning);
  const QString symbol = qt_text(text.symbol);
  return text.unit.empty() ? symbol : symbol + QStringLiteral(" (") + qt_text(text.unit) + u')';
}

QTableWidgetItem* header_item(const FieldText& text) {
  auto* item = new QTableWidgetItem(header_text(text));
  item->setToolTip(qt_text(text.meaning));
  return item;
}

// A pasted cell as the table keeps it (blanks around removed, a point as a comma), or why it
// is refused.
Outcome<QString, QString> pasted_cell(const QString& cell, int row, int column) {
  const QString text = cell.trimmed();
  if (text.isEmpty()) return QString();
  const std::string utf8 = text.toStdString();
  const QString where =
      QStringLiteral("Impossibile incollare: nella combinazione %1, colonna %2, %3 ")
          .arg(row + 1)
          .arg(qt_text(load_field_entry(column).text.symbol), qt_text(safe_quoted(utf8)));
  if (text.size() > window::NumericField::longest_text)
    return Failed{
        where + QStringLiteral("ha più di %1 caratteri.").arg(window::NumericField::longest_text)};
  if (typed_decimal(utf8, is_signed(column))) return QString(text).replace(u'.', u',');
  const bool negative = is_signed(column) && text.startsWith(u'-');
  const std::string sign = negative ? "-" : "";
  if (const auto readings = ambiguous_readings(std::string_view(utf8).substr(sign.size())))
    return Failed{where + qt_text("è ambiguo: scrivere " + sign + readings->first + " oppure " +
                                  sign + readings->second + ".")};
  return Failed{where + QStringLiteral("non è un numero.")};
}

// The cells of a block copied from a spreadsheet, checked, to be put from (first_row,
// first_column): rows end with LF or CR LF, and so may the last one; cells are separated
// by tabs.
Outcome<std::vector<QStringList>, QString> pasted_block(const QString& text, int first_row,
                                                        int first_column) {
  const auto too_many_rows = [] {
    return Failed{QStringLiteral("Impossibile incollare: la tabella ha al più %1 combinazioni.")
                      .arg(LoadTable::kMaxRows)};
  };
  // Counted before anything is split, so that a huge clipboard costs nothing.
  if (first_row + text.count(u'\n') > LoadTable::kMaxRows + 1) return too_many_rows();
  QStringList lines = text.split(u'\n');
  if (lines.back().isEmpty()) lines.removeLast();
  if (first_row + lines.size() > LoadTable::kMaxRows) return too_many_rows();
  std::vector<QStringList> block;
  for (qsizetype i = 0; i < lines.size(); ++i) {
    // The CR of a CR LF goes with the blanks around the last cell.
    const QStringList cells = lines[i].split(u'\t');
    if (const int room = LoadTable::kLoadColumns - first_column; cells.size() > room)
      return Failed{QStringLiteral("Impossibile incollare: la riga %1 copiata ha %2 celle, dalla "
                                   "colonna %3 ne %4.")
                        .arg(i + 1)
                        .arg(cells.size())
                        .arg(qt_text(load_field_entry(first_column).text.symbol),
                             room == 1 ? QStringLiteral("entra una")
                                       : QStringLiteral("entrano %1").arg(room))};
    QStringList kept;
    for (qsizetype j = 0; j < cells.size(); ++j) {
      const auto cell = pasted_cell(cells[j], first_row + static_cast<int>(i),
                                    first_column + static_cast<int>(j));
      if (!cell) return Failed{cell.error()};
      kept << *cell;
    }
    block.push_back(kept);
  }
  return block;
}

// The editor of a load cell: a number field, a minus sign let through in the signed
// columns (its place is checked with the rest of the text); Ctrl+V is the table's paste.
class CellField : public window::NumericField {
 public:
  CellField(bool signed_value, std::function<void(QWidget*)> paste, QWidget* parent)
      : NumericField(QString(), parent), signed_(signed_value), paste_(std::move(paste)) {
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  }

 protected:
  void keyPressEvent(QKeyEvent* event) override {
    if (event->matches(QKeySequence::Paste)) {
      event->accept();
      paste_(this);
      return;
    }
    const auto shortcut_modifiers = Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier;
    if (signed_ && event->text() == QStringLiteral("-") &&
        !(event->modifiers() & shortcut_modifiers)) {
      QLineEdit::keyPressEvent(event);
      return;
    }
    NumericField::keyPressEvent(event);
  }

 private:
  bool signed_;
  std::function<void(QWidget*)> paste_;
};

}  // namespace

// Makes the load cells' editors and checks their text at every change, as the number
// fields do.
class LoadDelegate : public QStyledItemDelegate {
 public:
  explicit LoadDelegate(LoadTable& table) : QStyledItemDelegate(&table), table_(table) {}

  QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& /*option*/,
                        const QModelIndex& index) const override {
    const bool signed_value = is_signed(index.column());
    LoadTable& table = table_;
    auto* editor = new CellField(
        signed_value, [&table](QWidget* self) { table.paste_over_editor(self); }, parent);
    editor->setFont(table.font());
    QObject::connect(editor, &QLineEdit::textChanged, editor,
                     [editor, signed_value](const QString& text) {
                       if (cell_accepts(text, signed_value)) return;
                       window::beep();
                       editor->clear();
                     });
    return editor;
  }

 private:
  LoadTable& table_;
};

bool cell_accepts(const QString& text, bool signed_value) {
  if (text.isEmpty() || (signed_value && text == QStringLiteral("-"))) return true;
  return typed_decimal(text.toStdString(), signed_value).has_value();
}

std::string_view LoadTable::load_field(int column) {
  return load_field_entry(column).text.name;
}

LoadTable::LoadTable(QWidget* parent) : QTableWidget(0, kColumnCount, parent) {
  setObjectName(QStringLiteral("combinazioni"));
  setAccessibleName(QStringLiteral("Combinazioni di carico"));
  for (int column = 0; column < kLoadColumns; ++column)
    setHorizontalHeaderItem(column, header_item(load_field_entry(column).text));
  const auto results = verifica_kind().results;
  for (std::size_t i = 0; i < kShownResults.size(); ++i)
    setHorizontalHeaderItem(kLoadColumns + static_cast<int>(i),
                            header_item(results[column_index(kShownResults[i])].text));
  auto* governing = new QTableWidgetItem(QStringLiteral("Det."));
  governing->setToolTip(QStringLiteral("combinazione determinante"));
  setHorizontalHeaderItem(kGoverningColumn, governing);
  setHorizontalHeaderItem(kVerdictColumn, header_item(results[column_index("esito")].text));
  // Fitted to their texts after each change of many cells (fitting at every cell would cost
  // the whole column each time); the verdict takes the rest.
  horizontalHeader()->setStretchLastSection(true);
  resizeColumnsToContents();
  setItemDelegate(new LoadDelegate(*this));
  setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                  QAbstractItemView::AnyKeyPressed | QAbstractItemView::SelectedClicked);
  setSelectionBehavior(QAbstractItemView::SelectItems);
  setWordWrap(false);
  verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 8);
  connect(this, &QTableWidget::itemChanged, this, [this](QTableWidgetItem* item) {
    if (item->column() >= kLoadColumns) return;
    resizeColumnToContents(item->column());
    Q_EMIT loads_changed();
  });
}

QSize LoadTable::sizeHint() const {
  // Every column in sight, the verdict with room for its longest words, and a few rows.
  int width = verticalHeader()->sizeHint().width() + 2 * frameWidth() +
              verticalScrollBar()->sizeHint().width();
  for (int column = 0; column < kVerdictColumn; ++column)
    width += horizontalHeader()->sectionSize(column);
  width += fontMetrics().horizontalAdvance(
      QStringLiteral("NON VERIFICATA (carico limite, scorrimento)"));
  const int height = horizontalHeader()->sizeHint().height() + 2 * frameWidth() +
                     6 * verticalHeader()->defaultSectionSize();
  return {width, height};
}

void LoadTable::make_row(int row) {
  insertRow(row);
  for (int column = 0; column < kColumnCount; ++column) {
    auto* item = new QTableWidgetItem;
    const bool load = column < kLoadColumns;
    item->setFlags(load ? Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsEditable
                        : Qt::ItemIsSelectable | Qt::ItemIsEnabled);
    const bool text = column >= kGoverningColumn;
    item->setTextAlignment(text ? Qt::AlignLeft | Qt::AlignVCenter
                                : Qt::AlignRight | Qt::AlignVCenter);
    setItem(row, column, item);
  }
}

std::vector<FieldTexts> LoadTable::combinations() const {
  std::vector<FieldTexts> rows;
  for (int row = 0; row < rowCount(); ++row) {
    FieldTexts loads;
    for (int column = 0; column < kLoadColumns; ++column) {
      const QString text = item(row, column)->text();
      if (!text.trimmed().isEmpty()) loads.emplace(load_field(column), text.toStdString());
    }
    rows.push_back(std::move(loads));
  }
  return rows;
}

void LoadTable::set_combinations(const std::vector<FieldTexts>& combinations) {
  {
    const QSignalBlocker quiet(this);
    setRowCount(0);
    // Every combination given, beyond the most that adding and pasting make too.
    const std::size_t rows = std::max<std::size_t>(combinations.size(), 1);
    for (std::size_t row = 0; row < rows; ++row) {
      make_row(static_cast<int>(row));
      if (row >= combinations.size()) continue;
      for (int column = 0; column < kLoadColumns; ++column) {
        const auto found = combinations[row].find(load_field(column));
        if (found == combinations[row].end()) continue;
        QString text = QString::fromStdString(found->second);
        if (!cell_accepts(text, is_signed(column))) {
          window::beep();
          text.clear();
        }
        item(static_cast<int>(row), column)->setText(text);
      }
    }
  }
  resizeColumnsToContents();
  setCurrentCell(0, 0);
  Q_EMIT loads_changed();
}

bool LoadTable::add_row() {
  if (rowCount() >= kMaxRows) return false;
  {
    const QSignalBlocker quiet(this);
    make_row(rowCount());
  }
  setCurrentCell(rowCount() - 1, 0);
  Q_EMIT loads_changed();
  return true;
}

void LoadTable::remove_selected_rows() {
  std::set<int> rows;
  for (const QModelIndex& index : selectedIndexes()) rows.insert(index.row());
  if (rows.empty() && currentRow() >= 0) rows.insert(currentRow());
  if (rows.empty()) return;
  {
    const QSignalBlocker quiet(this);
    for (auto row = rows.rbegin(); row != rows.rend(); ++row) removeRow(*row);
  }
  Q_EMIT loads_changed();
}

void LoadTable::paste_clipboard() {
  const auto pasted = paste(QApplication::clipboard()->text());
  if (pasted) return;
  window::beep();
  window::message_box(window(), pasted.error());
}

Outcome<Done, QString> LoadTable::paste(const QString& text) {
  const int first_row = std::max(currentRow(), 0);
  const int first_column = std::max(currentColumn(), 0);
  if (first_column >= kLoadColumns)
    return Failed{QStringLiteral(
        "Impossibile incollare: scegliere una cella delle colonne N, MB, ML, HB o HL.")};
  const auto block = pasted_block(text, first_row, first_column);
  if (!block) return Failed{block.error()};
  if (block->empty()) return Done{};
  {
    const QSignalBlocker quiet(this);
    while (rowCount() < first_row + static_cast<int>(block->size())) make_row(rowCount());
    for (std::size_t i = 0; i < block->size(); ++i)
      for (qsizetype j = 0; j < (*block)[i].size(); ++j)
        item(first_row + static_cast<int>(i), first_column + static_cast<int>(j))
            ->setText((*block)[i][j]);
  }
  resizeColumnsToContents();
  setCurrentCell(first_row, first_column);
  Q_EMIT loads_changed();
  return Done{};
}

void LoadTable::paste_over_editor(QWidget* editor) {
  commitData(editor);
  closeEditor(editor, QAbstractItemDelegate::NoHint);
  paste_clipboard();
}

void LoadTable::show_results(const std::vector<std::vector<std::string>>& rows,
                             std::optional<std::size_t> governing) {
  clear_results();
  {
    const QSignalBlocker quiet(this);
    for (std::size_t row = 0; row < rows.size() && row < static_cast<std::size_t>(rowCount());
         ++row)
      show_row_results(static_cast<int>(row), rows[row], governing == row);
  }
  resizeColumnsToContents();
}

void LoadTable::show_row_results(int row, const std::vector<std::string>& columns, bool governing) {
  for (std::size_t i = 0; i < kShownResults.size(); ++i)
    item(row, kLoadColumns + static_cast<int>(i))
        ->setText(qt_text(columns.at(column_index(kShownResults[i]))));
  QTableWidgetItem* mark = item(row, kGoverningColumn);
  mark->setText(governing ? QString(kGoverningMark) : QString());
  mark->setData(Qt::AccessibleTextRole,
                governing ? QStringLiteral("combinazione determinante") : QString());
  const QString verdict = qt_text(columns.at(column_index("esito")));
  item(row, kVerdictColumn)->setText(verdict);
  item(row, kVerdictColumn)->setToolTip(verdict);
  if (governing) set_row_bold(row, true);
}

void LoadTable::clear_results() {
  const QSignalBlocker quiet(this);
  for (int row = 0; row < rowCount(); ++row) {
    for (int column = kLoadColumns; column < kColumnCount; ++column) {
      item(row, column)->setText(QString());
      item(row, column)->setToolTip(QString());
    }
    item(row, kGoverningColumn)->setData(Qt::AccessibleTextRole, QString());
    if (item(row, 0)->font().bold()) set_row_bold(row, false);
  }
}

void LoadTable::set_row_bold(int row, bool bold) {
  for (int column = 0; column < kColumnCount; ++column) {
    QFont font = this->font();
    font.setBold(bold);
    item(row, column)->setFont(font);
  }
}

void LoadTable::keyPressEvent(QKeyEvent* event) {
  if (event->matches(QKeySequence::Paste)) {
    event->accept();
    paste_clipboard();
    return;
  }
  QTableWidget::keyPressEvent(event);
}

QModelIndex LoadTable::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) {
  const QModelIndex current = currentIndex();
  if (!current.isValid() || (action != MoveNext && action != MovePrevious))
    return QTableWidget::moveCursor(action, modifiers);
  // Tab runs through the load cells, row after row, and leaves the table after the last.
  int row = current.row();
  int column = current.column();
  if (action == MoveNext) {
    if (column + 1 < kLoadColumns) {
      ++column;
    } else {
      ++row;
      column = 0;
    }
  } else if (column >= kLoadColumns) {
    column = kLoadColumns - 1;
  } else if (column > 0) {
    --column;
  } else {
    --row;
    column = kLoadColumns - 1;
  }
  if (row < 0 || row >= rowCount()) return {};
  return model()->index(row, column);
}

}  // namespace fondara::verifica
