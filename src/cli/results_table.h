// The rows of results that fondara-calc writes as CSV: a batch's (one per input row) and a
// calculation's table of checks (--tabella, one per check).
//
// A row echoes the inputs, then gives the results and the column errore. The columns of a
// later version of the data follow those of the first: the first version's fields, its results
// and errore, then the later fields' echoes and the later results, so that a reader of the
// earlier columns finds them where they were.
#pragma once

#include <cstddef>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "cli/csv.h"
#include "core/kind.h"

namespace fondara::cli {

class ResultsTable {
 public:
  explicit ResultsTable(const Kind& kind);

  // The names of the columns.
  csv::Record header() const;

  // The row of inputs `texts`: each field's text (its fallback when optional and not given),
  // made valid UTF-8, then `results` (left empty when `error` is not) and `error`. `row` is
  // reused, so that a batch's memory follows its current row.
  void row(const FieldTexts& texts, std::span<const std::string> results, std::string_view error,
           csv::Record& row) const;

 private:
  enum class What { field, result, error };
  struct Column {
    What what;
    std::size_t index = 0;
  };

  const Kind& kind_;
  std::vector<Column> columns_;
};

// Writes a calculation's checks as CSV with the separator ';' and CR LF line ends: the header
// "combinazione;origine;condizione;" and the columns of a batch's rows, then one row per check.
// `write` takes each line.
void write_check_table(const Kind& kind, const Calculation& calculation,
                       const std::function<void(std::string_view)>& write);

}  // namespace fondara::cli
