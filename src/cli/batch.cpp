#include "cli/batch.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <set>

#include "cli/csv.h"
#include "cli/messages.h"
#include "cli/results_table.h"
#include "cli/same_file.h"
#include "core/number_text.h"
#include "core/user_text.h"
#include "output/file_writer.h"

namespace fondara::cli {
namespace {

// The header's columns checked against the kind's fields; nothing when they fit.
std::optional<std::string> check_header(const Kind& kind, const csv::Record& header) {
  std::set<std::string, std::less<>> seen;
  for (const std::string& column : header) {
    const Field* field = find_field(kind.fields, column);
    if (!field || field->project) return texts::header_unknown_column(safe_quoted(column));
    if (!seen.insert(column).second) return texts::header_column_twice(column);
  }
  for (const Field& field : kind.fields)
    if (!field.fallback && !seen.contains(field.text.name))
      return texts::header_column_missing(field.text.name);
  return std::nullopt;
}

// The rows of one batch: each output row holds the inputs as given (an optional field's
// default where its column is absent or its cell empty), then the results or, when the
// row cannot be computed, empty results and the message.
class Rows {
 public:
  Rows(const Kind& kind, const csv::Record& header) : kind_(kind), table_(kind) {
    for (const std::string& column : header) texts_.push_back(given_.emplace(column, "").first);
  }

  csv::Record header() const { return table_.header(); }

  // The output row of the input row that starts on `line`; false when it fails.
  bool compute(const csv::Record& row, csv::LineNumber line, csv::Record& out) {
    // The cells the row has; a short row leaves the other fields empty.
    for (std::size_t i = 0; i < texts_.size(); ++i) {
      texts_[i]->second.assign(i < row.size() ? std::string_view(row[i]) : std::string_view());
      csv::release_spare(texts_[i]->second);
    }
    std::string error;
    std::vector<std::string> results;
    if (row.size() != texts_.size()) {
      error = texts::row_size(line, row.size(), texts_.size());
    } else {
      CalculationData data = single_calculation(kind_, Source::terminal, given_);
      data.one_check = true;
      CalculationOutcome outcome = kind_.calculate(data);
      if (outcome)
        results = std::move(outcome->results);
      else
        error = outcome.error().message;
    }
    table_.row(given_, results, error, out);
    return error.empty();
  }

 private:
  const Kind& kind_;
  ResultsTable table_;
  FieldTexts given_;
  std::vector<FieldTexts::iterator> texts_;  // per input column: its text in given_
};

// Why the reading stopped, as a message and an exit code; nothing at the end.
std::optional<std::pair<int, std::string>> reading_problem(const csv::Reader& reader,
                                                           csv::Status status,
                                                           const std::string& input) {
  switch (status) {
    case csv::Status::record:
    case csv::Status::end:
      return std::nullopt;
    case csv::Status::unclosed_quote:
      return std::pair{static_cast<int>(exit_bad_input), texts::unclosed_quote(reader.line())};
    case csv::Status::too_long:
      return std::pair{static_cast<int>(exit_bad_input), texts::row_too_long(reader.line())};
    case csv::Status::read_error:
      break;
  }
  return std::pair{static_cast<int>(exit_file), read_failure(input, reader.error_number())};
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

// Whether the results would go into the input file itself (a regular file read and
// written at once: appended to, it would grow without end).
bool writes_into_input(int input, const std::string& output, int standard_output) {
  const auto read = identity_of(input);
  const auto written =
      output == standard_stream ? identity_of(standard_output) : identity_of(output);
  return read && written && read->type == S_IFREG && read->same_file(*written);
}

}  // namespace

int run_batch(const Kind& kind, const std::string& input, const std::string& output_name,
              const Streams& streams) {
  const bool from_standard_input = input == standard_stream;
  const int fd =
      from_standard_input ? streams.in : ::open(input.c_str(), O_RDONLY | O_NOCTTY | O_CLOEXEC);
  if (fd < 0 && !from_standard_input)
    return exit_with(streams.err, exit_file, read_failure(input, errno));
  const Descriptor source(fd, !from_standard_input);
  // A file that is standard output already is written through it, not replaced behind it.
  const std::string output =
      output_name != standard_stream && is_standard_output(output_name, streams.out)
          ? std::string(standard_stream)
          : output_name;
  if (writes_into_input(fd, output, streams.out))
    return exit_with(streams.err, exit_file, std::string(texts::into_input));
  csv::Reader reader(
      [fd](char* buffer, std::size_t size) { return static_cast<long>(::read(fd, buffer, size)); });

  csv::Record header;
  csv::Status status = reader.next(header);
  if (status == csv::Status::end)
    return exit_with(streams.err, exit_bad_input, std::string(texts::empty_csv));
  if (auto problem = reading_problem(reader, status, input))
    return exit_with(streams.err, problem->first, problem->second);
  // Blanks around a column name are not part of it.
  for (std::string& column : header) column = std::string(trim_blanks(column));
  if (const auto problem = check_header(kind, header))
    return exit_with(streams.err, exit_bad_input, *problem);

  Destination destination(output, streams.out);
  if (const auto opened = destination.open(); !opened)
    return exit_with(streams.err, exit_file, write_failure(output_name, opened.error()));
  output::Output& out = destination.output();
  Rows rows(kind, header);
  std::string line;
  csv::append_record(rows.header(), reader.separator(), line);
  out.write(line);

  std::int64_t failed = 0;
  csv::LineNumber first_failed_line = 0;
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
    if (auto problem = reading_problem(reader, status, input)) {
      // The rows before the one that stopped the reading stay on standard output; a
      // file keeps its earlier bytes, as after any failure.
      if (output == standard_stream) {
        if (const auto flushed = destination.finish(); !flushed)
          return exit_with(streams.err, exit_file, write_failure(output_name, flushed.error()));
      }
      return exit_with(streams.err, problem->first, problem->second);
    }
  }
  if (const auto finished = destination.finish(); !finished)
    return exit_with(streams.err, exit_file, write_failure(output_name, finished.error()));
  if (failed > 0)
    return exit_with(streams.err, exit_not_computable,
                     texts::failed_rows(failed, first_failed_line));
  return exit_ok;
}

}  // namespace fondara::cli
