#include "cli/csv.h"

namespace fondara::cli::csv {
namespace {

char sniff_separator(std::string_view text) {
  const std::size_t end = text.find_first_of("\r\n");
  const std::string_view header = text.substr(0, end);
  return header.find(';') != std::string_view::npos ? ';' : ',';
}

bool is_empty_record(const Record& record) {
  return record.size() == 1 && record.front().empty();
}

// Reads records one by one; quotes may hold separators and line breaks.
class Reader {
 public:
  Reader(std::string_view text, char separator) : text_(text), separator_(separator) {}

  bool done() const { return pos_ >= text_.size(); }
  int line() const { return line_; }

  // The next record; false when a quoted field is not closed.
  bool next(Record& record) {
    record.assign(1, std::string());
    while (pos_ < text_.size()) {
      const char ch = text_[pos_++];
      if (ch == '"' && record.back().empty() && !quoted_field_) {
        if (!read_quoted(record.back())) return false;
      } else if (ch == separator_) {
        record.emplace_back();
        quoted_field_ = false;
      } else if (ch == '\n' || ch == '\r') {
        if (ch == '\r' && pos_ < text_.size() && text_[pos_] == '\n') ++pos_;
        ++line_;
        break;
      } else {
        record.back().push_back(ch);
      }
    }
    quoted_field_ = false;
    return true;
  }

 private:
  // After an opening quote: up to the closing quote, "" standing for one quote.
  bool read_quoted(std::string& field) {
    quoted_field_ = true;
    while (pos_ < text_.size()) {
      const char ch = text_[pos_++];
      if (ch == '"') {
        if (pos_ < text_.size() && text_[pos_] == '"') {
          field.push_back('"');
          ++pos_;
        } else {
          return true;
        }
      } else {
        if (ch == '\n') ++line_;
        field.push_back(ch);
      }
    }
    return false;
  }

  std::string_view text_;
  char separator_;
  std::size_t pos_ = 0;
  int line_ = 1;
  bool quoted_field_ = false;
};

}  // namespace

Parsed parse(std::string_view text) {
  if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
  Document document;
  document.separator = sniff_separator(text);
  Reader reader(text, document.separator);
  bool have_header = false;
  Record record;
  while (!reader.done()) {
    const int line = reader.line();
    if (!reader.next(record))
      return {std::nullopt, "Il file CSV ha un campo tra virgolette non chiuso (riga " +
                                std::to_string(line) + ")."};
    if (is_empty_record(record)) continue;
    if (!have_header) {
      document.header = std::move(record);
      have_header = true;
    } else {
      document.rows.push_back(std::move(record));
      document.row_lines.push_back(line);
    }
  }
  if (!have_header) return {std::nullopt, "Il file CSV è vuoto: manca la riga d'intestazione."};
  return {std::move(document), {}};
}

std::string format_record(const Record& record, char separator) {
  std::string line;
  for (std::size_t i = 0; i < record.size(); ++i) {
    if (i > 0) line.push_back(separator);
    const std::string& field = record[i];
    const bool quote =
        field.find_first_of(std::string{separator, '"', '\r', '\n'}) != std::string::npos;
    if (!quote) {
      line += field;
      continue;
    }
    line.push_back('"');
    for (char ch : field) {
      if (ch == '"') line.push_back('"');
      line.push_back(ch);
    }
    line.push_back('"');
  }
  line += "\r\n";
  return line;
}

}  // namespace fondara::cli::csv
