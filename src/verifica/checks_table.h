// The read-only tables of the verification window, which format the kind's typed results.
//
// ChecksModel: one row per check of the last calculation (FootingChecks): the governing mark,
// the combination, its situation, the condition, U, Uh and the verdict or the refusal's
// message; the governing row in bold, a failing or refused one on a light red ground (its
// verdict says it in words). Sorted through a proxy by kSortRole (numbers by value), and
// filtered by kFailsRole ("1": a check that fails or is refused).
//
// GeneratedModel: the combinations generated from the characteristic actions, numbered after
// the typed ones: situation, N, MB, ML, HB, HL and the formula of the actions' factors.
#pragma once

#include <QAbstractTableModel>
#include <memory>
#include <optional>
#include <span>
#include <vector>

#include "verifica/kind.h"
#include "verifica/verification_texts.h"

namespace fondara::verifica {

class ChecksModel : public QAbstractTableModel {
 public:
  enum Column { kMark, kCombination, kSituation, kCondition, kU, kUh, kVerdict, kColumns };
  static constexpr int kFailsRole = Qt::UserRole + 1;
  static constexpr int kSortRole = Qt::UserRole + 2;
  static constexpr int kCheckRole = Qt::UserRole + 3;  // the check's index in FootingChecks

  using QAbstractTableModel::QAbstractTableModel;

  // The checks of `calculation`; none clears the table.
  void show(std::shared_ptr<const FootingCalculation> calculation);
  // How many of the checks shown fail or are refused.
  std::size_t failing() const;

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

 private:
  // The texts of a check's results, made when a cell shows them: a footing of thousands of
  // checks keeps none.
  ColumnTexts texts(std::size_t check) const;

  std::shared_ptr<const FootingCalculation> calculation_;
};

class GeneratedModel : public QAbstractTableModel {
 public:
  enum Column { kNumber, kSituation, kN, kMB, kML, kHB, kHL, kFormula, kColumns };

  using QAbstractTableModel::QAbstractTableModel;

  // The generated combinations among `combinations`, numbered from `first_number`, their
  // formulas of `actions`.
  void show(std::span<const Combination> combinations, std::span<const Action> actions,
            std::size_t first_number);

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

 private:
  std::vector<QStringList> rows_;
};

}  // namespace fondara::verifica
