#include "cli/batch.h"

#include <fcntl.h>
#include <unistd.h>

#include <memory>
#include <optional>
#include <set>

#include "cli/csv.h"
#include "cli/message_text.h"
#include "input/number_text.h"
#include "report/file_writer.h"

namespace fondara::cli {
namespace {

// The header's columns checked against the window's fields; nothing when they fit.
std::optional<std::string> check_header(Terreno terreno, const csv::Record& header) {
  std::set<std::string, std::less<>> seen;
  for (const std::string& column : header) {
    if (!trova_campo(terreno, column))
      return "Intestazione CSV: colonna sconosciuta " + safe_quoted(column) + ".";
    if (!seen.insert(column).second)
      return "Intestazione CSV: la colonna " + column + " compare due volte.";
  }
  for (const Campo& campo : campi(terreno))
    if (!campo.predefinito && !seen.contains(campo.nome))
      return "Intestazione CSV: manca la colonna " + std::string(campo.nome) + ".";
  return std::nullopt;
}

// The rows of one batch: each output row holds the inputs as given (defaults where a
// column is absent), then the results or, when the row cannot be computed, empty
// results and the message.
class Rows {
 public:
  Rows(Terreno terreno, const csv::Record& header)
      : terreno_(terreno), columns_(header.size()), results_(nomi_risultati(terreno).size()) {
    for (const Campo& campo : campi(terreno)) {
      int column = -1;
      for (std::size_t i = 0; i < header.size(); ++i)
        if (header[i] == campo.nome) column = static_cast<int>(i);
      column_of_field_.push_back(column);
    }
    for (const std::string& column : header) texts_.push_back(testi_.emplace(column, "").first);
  }

  csv::Record header() const {
    csv::Record record;
    for (const Campo& campo : campi(terreno_)) record.emplace_back(campo.nome);
    for (const std::string& name : nomi_risultati(terreno_)) record.push_back(name);
    record.emplace_back("errore");
    return record;
  }

  // The output row of the input row that starts on `line`; false when it fails.
  bool compute(const csv::Record& row, int line, csv::Record& out) {
    const std::vector<Campo>& fields = campi(terreno_);
    out.resize(fields.size() + results_ + 1);
    for (std::size_t f = 0; f < fields.size(); ++f) {
      const int column = column_of_field_[f];
      if (column < 0)
        out[f].assign(fields[f].predefinito.value_or(""));
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
      const auto outcome = calcola(terreno_, testi_);
      if (const auto* problema = std::get_if<Problema>(&outcome)) {
        error = problema->messaggio;
      } else {
        const auto& risultati = std::get<Calcolo>(outcome).risultati;
        for (std::size_t r = 0; r < results_; ++r) out[fields.size() + r] = risultati[r].second;
      }
    }
    if (error.empty()) return true;
    for (std::size_t r = 0; r < results_; ++r) out[fields.size() + r].clear();
    return false;
  }

 private:
  Terreno terreno_;
  std::size_t columns_;
  std::size_t results_;
  std::vector<int> column_of_field_;  // per window field: its input column, or -1
  Testi testi_;
  std::vector<Testi::iterator> texts_;  // per input column: its text in testi_
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
      return std::pair{exit_uso,
                       "Il file CSV ha un campo tra virgolette non chiuso (riga " + line + ")."};
    case csv::Status::too_long:
      return std::pair{exit_uso, "Il file CSV ha una riga troppo lunga (riga " + line +
                                     "): al massimo 1 MiB e 1024 campi."};
    case csv::Status::read_error:
      break;
  }
  return std::pair{exit_file, read_failure(input, reader.error_number())};
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
    if (name != standard_stream) file_ = std::make_unique<files::FileWriter>(name);
  }
  int open() { return file_ ? file_->open() : 0; }
  files::Output& output() { return file_ ? file_->output() : standard_; }
  int finish() {
    if (file_) return file_->commit();
    return standard_.flush() ? 0 : standard_.error();
  }

 private:
  std::unique_ptr<files::FileWriter> file_;
  files::Output standard_;
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

int run_batch(Terreno terreno, const std::string& input, const std::string& output,
              const Streams& streams) {
  const bool from_standard_input = input == standard_stream;
  const int fd =
      from_standard_input ? streams.in : ::open(input.c_str(), O_RDONLY | O_NOCTTY | O_CLOEXEC);
  if (fd < 0 && !from_standard_input)
    return fail(streams.err, exit_file, read_failure(input, errno));
  const Descriptor source(fd, !from_standard_input);
  csv::Reader reader(
      [fd](char* buffer, std::size_t size) { return static_cast<long>(::read(fd, buffer, size)); });

  csv::Record header;
  csv::Status status = reader.next(header);
  if (status == csv::Status::end)
    return fail(streams.err, exit_uso, "Il file CSV è vuoto: manca la riga d'intestazione.");
  if (auto problem = reading_problem(reader, status, input))
    return fail(streams.err, problem->first, problem->second);
  // Blanks around a column name are not part of it.
  for (std::string& column : header) column = std::string(trim_blanks(column));
  if (const auto problem = check_header(terreno, header))
    return fail(streams.err, exit_uso, *problem);

  Destination destination(output, streams.out);
  if (const int error_number = destination.open())
    return fail(streams.err, exit_file, write_failure(output, error_number));
  files::Output& out = destination.output();
  Rows rows(terreno, header);
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
      return fail(streams.err, problem->first, problem->second);
  }
  if (const int error_number = destination.finish())
    return fail(streams.err, exit_file, write_failure(output, error_number));
  if (failed > 0)
    return fail(streams.err, exit_dati, failed_rows_message(failed, first_failed_line));
  return exit_ok;
}

}  // namespace fondara::cli
