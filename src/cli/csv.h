// CSV of fondara-calc batches: records with RFC 4180 quoting.
//
// Italian numbers carry a decimal comma, so a batch file either separates its
// fields with semicolons or quotes its decimal numbers ("2,5"). The separator is
// taken from the header line: a semicolon when it holds one, a comma otherwise.
// Output uses the same separator, quotes a field only when it holds the separator,
// a double quote or a line break, and ends every record with CR LF.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace fondara::cli::csv {

using Record = std::vector<std::string>;

struct Document {
  char separator = ',';
  Record header;
  std::vector<Record> rows;
  std::vector<int> row_lines;  // the line on which each row starts, for messages
};

// A document, or an Italian message when the text cannot be read as CSV (no
// header, a quoted field that is never closed). A UTF-8 byte order mark is skipped,
// LF and CR LF both end records, and empty lines are ignored.
struct Parsed {
  std::optional<Document> document;
  std::string error;
};
Parsed parse(std::string_view text);

// One record as a line of output, CR LF included.
std::string format_record(const Record& record, char separator);

}  // namespace fondara::cli::csv
