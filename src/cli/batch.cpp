#include "cli/batch.h"

#include <fcntl.h>
#include <unistd.h>

#include <memory>
#include <optional>
#include <set>

#include "cli/csv.h"
#include "cli/messages.h"
#include "core/number_text.h"
#include "core/user_text.h"
#include "output/file_writer.h"

namespace fondara::cli {
namespace {

// The header's columns checked against the kind's fields; nothing when they fit.
std::optional<std::string> check_header(const Kind& kind, const csv::Record& header) {
  std::set<std::string, std::less<>> seen;
  for (const std::string& column : header) {
    if (!find_field(kind.fields, column))
      return "Intestazione CSV: colonna sconosciuta " + safe_quoted(column) + ".";
    if (!seen.insert(column).second)
      return "Intestazione CSV: la colonna " + column + " compare due volte.";
  }
  for (const Field& field : kind.fields)
    if (!field.fallback && !seen.contains(field.text.name))
      return "Intestazione CSV: manca la colonna " + std::string(field.text.name) + ".";
  return std::nullopt;
}

// The rows of one batch: each output row holds the inputs as given (defaults where a
// column is absent), then the results or, when the row cannot be computed, empty
// results and the message.
class Rows {
 public:
  Rows(const Kind& kind, const csv::Record& header)
      : kind_(kind), columns_(header.size()), results_(kind.results.size()) {
    for (const Field& field : kind.fields) {
      int column = -1;
      for (std::size_t i = 0; i < header.size(); ++i)
        if (header[i] == field.text.name) column = static_cast<int>(i);
      column_of_field_.push_back(column);
    }
    for (const std::string& column : header) texts_.push_back(given_.emplace(column, "").first);
  }

  csv::Record header() const {
    csv::Record record;
    for (const Field& field : kind_.fields) record.emplace_back(field.text.name);
    for (const ResultField& result : kind_.results) record.emplace_back(result.text.name);
    record.emplace_back("errore");
    return record;
  }

  // The output row of the input row that starts on `line`; false when it fails.
  bool compute(const csv::Record& row, int line, csv::Record& out) {
    const std::span<const Field> fields = kind_.fields;
    out.resize(fields.size() + results_ + 1);
    for (std::size_t f = 0; f < fields.size(); ++f) {
      const int column = column_of_field_[f];
      if (column < 0)
        out[f].assign(fields[f].fallback.value_or(""));
      else if (static_cast<std::size_t>(column) < row.size())
        out[f].assign(row[static_cast<std::size_t>(column)]);
      else
        out[f].clear();
    }
    std::string& error = out.back();
    error.clear();
    if (row.size() != columns_) {
      error = "La riga " + std::to_string(line) + " ha " + std::to_string(row.size()) +
              " campi, l'intestazione ne ha " + std::to_string(columns_) + ".";
    } else {
      for (std::size_t i = 0; i < columns_; ++i) texts_[i]->second.assign(row[i]);
      const CalculationOutcome outcome = kind_.compute(given_, Source::terminal);
      if (!outcome) {
        error = outcome.error().message;
      } else {
        const std::vector<std::string>& results = outcome->results;
        for (std::size_t r = 0; r < results_ && r < results.size(); ++r)
          out[fields.size() + r] = results[r];
      }
    }
    if (error.empty()) return true;
    for (std::size_t r = 0; r < results_; ++r) out[fields.size() + r].clear();
    return false;
  }

 private:
  const Kind& kind_;
  std::size_t columns_;
  std::size_t results_;
  std::vector<int> column_of_field_;  // per field of the kind: its input column, or -1
  FieldTexts given_;
  std::vector<FieldTexts::iterator> texts_;  // per input column: its text in given_
};

// Why the reading stopped, as a message and an exit code; nothing at the end.
std::optional<std::pair<int, std::string>> reading_problem(const csv::Reader& reader,
                                                           csv::Status status,
                                                           const std::string& input) {
  const std::string line = std::to_string(reader.line());
  switch (status) {
    case csv::Status::record:
    case csv::Status::end:
      return std::nullopt;
    case csv::Status::unclosed_quote:
      return std::pair{static_cast<int>(exit_bad_input),
                       "Il file CSV ha un campo tra virgolette non chiuso (riga " + line + ")."};
    case csv::Status::too_long:
      return std::pair{static_cast<int>(exit_bad_input),
                       "Il file CSV ha una riga troppo lunga (riga " + line +
                           "): al massimo 1 MiB e 1024 campi."};
    case csv::Status::read_error:
      break;
  }
  return std::pair{static_cast<int>(exit_file), read_failure(input, reader.error_number())};
}

std::string failed_rows_message(long count, int first_line) {
  const std::string line = std::to_string(first_line);
  if (count == 1) return "Una riga non calcolata: la riga " + line + " del file CSV.";
  return std::to_string(count) + " righe non calcolate; la prima è la riga " + line +
         " del file CSV.";
}

// Where the results go: standard output or a file.
class Destination {
 public:
  Destination(const std::string& name, int standard_output) : standard_(standard_output) {
    if (name != standard_stream) file_ = std::make_unique<output::FileWriter>(name);
  }
  output::WriteOutcome open() { return file_ ? file_->open() : output::WriteOutcome(Done{}); }
  output::Output& output() { return file_ ? file_->output() : standard_; }
  output::WriteOutcome finish() { return file_ ? file_->commit() : standard_.flush(); }

 private:
  std::unique_ptr<output::FileWriter> file_;
  output::Output standard_;
};

class Descriptor {
 public:
  explicit Descriptor(int fd, bool owned) : fd_(fd), owned_(owned) {}
  ~Descriptor() {
    if (owned_) ::close(fd_);
  }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  int get() const { return fd_; }

 private:
  int fd_;
  bool owned_;
};

}  // namespace

int run_batch(const Kind& kind, const std::string& input, const std::string& output,
              const Streams& streams) {
  const bool from_standard_input = input == standard_stream;
  const int fd =
      from_standard_input ? streams.in : ::open(input.c_str(), O_RDONLY | O_NOCTTY | O_CLOEXEC);
  if (fd < 0 && !from_standard_input)
    return exit_with(streams.err, exit_file, read_failure(input, errno));
  const Descriptor source(fd, !from_standard_input);
  csv::Reader reader(
      [fd](char* buffer, std::size_t size) { return static_cast<long>(::read(fd, buffer, size)); });

  csv::Record header;
  csv::Status status = reader.next(header);
  if (status == csv::Status::end)
    return exit_with(streams.err, exit_bad_input,
                     "Il file CSV è vuoto: manca la riga d'intestazione.");
  if (auto problem = reading_problem(reader, status, input))
    return exit_with(streams.err, problem->first, problem->second);
  // Blanks around a column name are not part of it.
  for (std::string& column : header) column = std::string(trim_blanks(column));
  if (const auto problem = check_header(kind, header))
    return exit_with(streams.err, exit_bad_input, *problem);

  Destination destination(output, streams.out);
  if (const auto opened = destination.open(); !opened)
    return exit_with(streams.err, exit_file, write_failure(output, opened.error()));
  output::Output& out = destination.output();
  Rows rows(kind, header);
  std::string line;
  csv::append_record(rows.header(), reader.separator(), line);
  out.write(line);

  long failed = 0;
  int first_failed_line = 0;
  csv::Record row;
  csv::Record result;
  while (out.error() == 0 && (status = reader.next(row)) == csv::Status::record) {
    if (!rows.compute(row, reader.line(), result) && failed++ == 0)
      first_failed_line = reader.line();
    line.clear();
    csv::append_record(result, reader.separator(), line);
    out.write(line);
  }
  if (out.error() == 0) {
    if (auto problem = reading_problem(reader, status, input))
      return exit_with(streams.err, problem->first, problem->second);
  }
  if (const auto finished = destination.finish(); !finished)
    return exit_with(streams.err, exit_file, write_failure(output, finished.error()));
  if (failed > 0)
    return exit_with(streams.err, exit_not_computable,
                     failed_rows_message(failed, first_failed_line));
  return exit_ok;
}

}  // namespace fondara::cli
