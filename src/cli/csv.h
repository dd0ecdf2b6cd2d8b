// CSV of fondara-calc batches: records with RFC 4180 quoting, read as a stream.
//
// Italian numbers carry a decimal comma, so a batch file either separates its
// fields with semicolons or quotes its decimal numbers ("2,5"). The separator is
// taken from the first line: a semicolon when it holds one, a comma otherwise.
// Output uses the same separator, quotes a field only when it holds the separator,
// a double quote or a line break, and ends every record with CR LF.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace fondara::cli::csv {

using Record = std::vector<std::string>;

// A record longer than this, in bytes or in fields, ends the reading: the memory of a
// batch stays bounded whatever its input.
inline constexpr std::size_t max_record_bytes = 1024 * 1024;
inline constexpr std::size_t max_record_fields = 1024;

// Reads up to `size` bytes into `buffer`: the count, 0 at the end of the input, or -1
// with errno set.
using ReadFunction = std::function<long(char* buffer, std::size_t size)>;

enum class Status { record, end, unclosed_quote, too_long, read_error };

// Records one at a time from a stream of bytes. A UTF-8 byte order mark is skipped,
// LF and CR LF both end records, and empty lines are skipped.
class Reader {
 public:
  explicit Reader(ReadFunction read) : read_(std::move(read)) {}

  // The next record into `record` (its strings are reused), or why there is none.
  Status next(Record& record);
  // The input line on which the last record started, counted from 1.
  int line() const { return line_; }
  // The separator; known once the first record has been read.
  char separator() const { return separator_; }
  // The errno of a read_error.
  int error_number() const { return error_number_; }

 private:
  Status start();
  Status read_record(Record& record);
  Status read_quoted(std::string& field, std::size_t& bytes);
  bool get(char& ch);
  bool refill();

  ReadFunction read_;
  std::string buffer_;
  std::size_t pos_ = 0;
  bool started_ = false;
  bool at_end_ = false;
  char separator_ = ',';
  int line_ = 1;
  int next_line_ = 1;
  int error_number_ = 0;
};

// Appends one record as a line of output, CR LF included.
void append_record(const Record& record, char separator, std::string& line);

}  // namespace fondara::cli::csv
