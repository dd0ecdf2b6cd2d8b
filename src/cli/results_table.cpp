#include "cli/results_table.h"

#include "core/user_text.h"

namespace fondara::cli {

ResultsTable::ResultsTable(const Kind& kind) : kind_(kind) {
  for (const int version : {1, 2}) {
    for (std::size_t i = 0; i < kind.fields.size(); ++i)
      if (kind.fields[i].since == version && !kind.fields[i].project)
        columns_.push_back({What::field, i});
    for (std::size_t i = 0; i < kind.results.size(); ++i)
      if (kind.results[i].since == version) columns_.push_back({What::result, i});
    if (version == 1) columns_.push_back({What::error});
  }
}

csv::Record ResultsTable::header() const {
  csv::Record record;
  for (const Column& column : columns_) {
    switch (column.what) {
      case What::field:
        record.emplace_back(kind_.fields[column.index].text.name);
        break;
      case What::result:
        record.emplace_back(kind_.results[column.index].text.name);
        break;
      case What::error:
        record.emplace_back("errore");
        break;
    }
  }
  return record;
}

void ResultsTable::row(const FieldTexts& texts, std::span<const std::string> results,
                       std::string_view error, csv::Record& row) const {
  row.resize(columns_.size());
  for (std::size_t c = 0; c < columns_.size(); ++c) {
    std::string& cell = row[c];
    const Column& column = columns_[c];
    switch (column.what) {
      case What::field:
        cell.assign(echoed(kind_.fields[column.index], texts));
        // The results are UTF-8: each byte of a malformed sequence becomes U+FFFD.
        make_valid_utf8(cell);
        break;
      case What::result:
        if (error.empty() && column.index < results.size())
          cell.assign(results[column.index]);
        else
          cell.clear();
        break;
      case What::error:
        cell.assign(error);
        break;
    }
    csv::release_spare(cell);
  }
}

void write_check_table(const Kind& kind, const Calculation& calculation,
                       const std::function<void(std::string_view)>& write) {
  const ResultsTable table(kind);
  csv::Record record{"combinazione", "origine", "condizione"};
  for (std::string& name : table.header()) record.push_back(std::move(name));
  std::string line;
  csv::append_record(record, ';', line);
  write(line);
  csv::Record cells;
  for (std::size_t i = 0; i < calculation.checks; ++i) {
    const CheckRow check = calculation.check(i);
    table.row(check.inputs, check.results, check.error, cells);
    record = {std::to_string(check.combination), std::string(check.origin),
              std::string(check.condition)};
    record.insert(record.end(), cells.begin(), cells.end());
    line.clear();
    csv::append_record(record, ';', line);
    write(line);
  }
}

}  // namespace fondara::cli
