#include "verifica/checks_table.h"

#include <QBrush>
#include <QFont>
#include <algorithm>

#include "window/qt_text.h"

namespace fondara::verifica {

namespace {

using window::qt_text;

constexpr QChar kGoverningMark = u'\u2605';  // ★

// The header of a result column from the kind's result table: "U", "Uh".
QString result_header(std::string_view name) {
  return qt_text(verifica_kind().results[column_index(name)].text.symbol);
}

// "non drenate": a condition's code as words.
QString condition_text(Condition condition) {
  return qt_text(condition_code(condition)).replace(u'_', u' ');
}

}  // namespace

void ChecksModel::show(std::shared_ptr<const FootingCalculation> calculation) {
  beginResetModel();
  calculation_ = std::move(calculation);
  endResetModel();
}

int ChecksModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() || !calculation_ ? 0
                                           : static_cast<int>(calculation_->checks.checks.size());
}

int ChecksModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : kColumns;
}

ColumnTexts ChecksModel::texts(std::size_t check) const {
  return column_texts(calculation_->checks.checks[check].outcome);
}

std::size_t ChecksModel::failing() const {
  if (!calculation_) return 0;
  return static_cast<std::size_t>(std::ranges::count_if(calculation_->checks.checks, fails));
}

QVariant ChecksModel::data(const QModelIndex& index, int role) const {
  const auto row = static_cast<std::size_t>(index.row());
  const FootingChecks& checks = calculation_->checks;
  const Check& check = checks.checks[row];
  const Combination& combination = checks.combinations[check.combination];
  const bool governing = checks.governing == row;
  if (role == kFailsRole) return fails(check) ? QStringLiteral("1") : QStringLiteral("0");
  if (role == kCheckRole) return static_cast<qulonglong>(row);
  if (role == Qt::FontRole && governing) {
    QFont bold;
    bold.setBold(true);
    return bold;
  }
  if (role == Qt::BackgroundRole && fails(check)) return QBrush(QColor(255, 215, 215));
  if (role == Qt::ForegroundRole && fails(check)) return QBrush(Qt::black);
  if (role == Qt::TextAlignmentRole)
    return index.column() == kU || index.column() == kUh || index.column() == kCombination
               ? QVariant(Qt::AlignRight | Qt::AlignVCenter)
               : QVariant(Qt::AlignLeft | Qt::AlignVCenter);
  if (role == kSortRole) {
    switch (index.column()) {
      case kMark:
        return governing ? 0 : 1;
      case kCombination:
        return static_cast<qulonglong>(row);
      case kU:
        return check.outcome ? check.outcome->U : -1.0;
      case kUh:
        return check.outcome && check.outcome->sliding ? check.outcome->sliding->U_h : -1.0;
      default:
        break;
    }
  }
  if (role != Qt::DisplayRole && role != Qt::ToolTipRole && role != kSortRole &&
      role != Qt::AccessibleTextRole)
    return {};
  switch (index.column()) {
    case kMark:
      if (!governing) return QString();
      return role == Qt::DisplayRole ? QString(kGoverningMark) : QStringLiteral("determinante");
    case kCombination:
      return QString::number(check.combination + 1) +
             (combination.generated ? QStringLiteral(" (gen.)") : QString());
    case kSituation:
      return qt_text(situation_code(combination.loads.situation));
    case kCondition:
      return condition_text(check.condition);
    case kU:
      return qt_text(texts(row)[column_index("U")]);
    case kUh:
      return qt_text(texts(row)[column_index("U_h")]);
    case kVerdict:
      return qt_text(texts(row)[column_index("esito")]);
    default:
      return {};
  }
}

QVariant ChecksModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal) return {};
  if (role == Qt::ToolTipRole && section == kMark) return QStringLiteral("verifica determinante");
  if (role != Qt::DisplayRole) return {};
  switch (section) {
    case kMark:
      return QString(kGoverningMark);
    case kCombination:
      return QStringLiteral("Comb.");
    case kSituation:
      return QStringLiteral("Situazione");
    case kCondition:
      return QStringLiteral("Condizioni");
    case kU:
      return result_header("U");
    case kUh:
      return result_header("U_h");
    case kVerdict:
      return QStringLiteral("Esito");
    default:
      return {};
  }
}

void GeneratedModel::show(std::span<const Combination> combinations,
                          std::span<const Action> actions, std::size_t first_number) {
  beginResetModel();
  rows_.clear();
  std::size_t number = first_number;
  for (const Combination& combination : combinations) {
    if (!combination.generated) continue;
    const LoadCombination& loads = combination.loads;
    QStringList row{QString::number(number++), qt_text(situation_code(loads.situation))};
    for (const double value : {loads.N, loads.MB, loads.ML, loads.HB, loads.HL})
      row << qt_text(fixed_text(value, 2));
    row << qt_text(combination_formula(combination, actions));
    rows_.push_back(std::move(row));
  }
  endResetModel();
}

int GeneratedModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int GeneratedModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : kColumns;
}

QVariant GeneratedModel::data(const QModelIndex& index, int role) const {
  if (role == Qt::TextAlignmentRole)
    return (index.column() >= kN && index.column() <= kHL) || index.column() == kNumber
               ? QVariant(Qt::AlignRight | Qt::AlignVCenter)
               : QVariant(Qt::AlignLeft | Qt::AlignVCenter);
  if (role != Qt::DisplayRole && role != Qt::ToolTipRole) return {};
  return rows_[static_cast<std::size_t>(index.row())][index.column()];
}

QVariant GeneratedModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
  if (section >= kN && section <= kHL) {
    // The load's symbol and unit as the kind's field table gives them: "MB (kN·m)".
    static constexpr std::string_view loads[] = {"N", "MB", "ML", "HB", "HL"};
    const FieldText& text = find_field(verifica_kind().fields, loads[section - kN])->text;
    return qt_text(text.symbol) + QStringLiteral(" (") + qt_text(text.unit) + u')';
  }
  switch (section) {
    case kNumber:
      return QStringLiteral("Comb.");
    case kSituation:
      return QStringLiteral("Situazione");
    case kFormula:
      return QStringLiteral("Formula");
    default:
      return {};
  }
}

}  // namespace fondara::verifica
