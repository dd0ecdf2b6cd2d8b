// CSV of fondara-calc batches: records with RFC 4180 quoting, read as a stream.
//
// Italian numbers carry a decimal comma, so a batch file either separates its
// fields with semicolons or quotes its decimal numbers ("2,5"). The separator is
// taken from the first line: a semicolon when it holds one, a comma otherwise.
// Output uses the same separator, quotes a field only when it holds the separator,
// a double quote or a line break, and ends every record with CR LF.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace fondara::cli::csv {

using Record = std::vector<std::string>;

// A line of the input, counted from 1: in 64 bits, so that no input is too long to count.
using LineNumber = std::int64_t;

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
  // `first_line` numbers the input's first line: 1 unless the input continues another.
  explicit Reader(ReadFunction read, LineNumber first_line = 1)
      : read_(std::move(read)), line_(first_line), next_line_(first_line) {}

  // The next record into `record` (its strings are reused, but a field's buffer far
  // larger than its text is given back, so that the record's memory follows the current
  // row and not the longest text each field ever held), or why there is none.
  Status next(Record& record);
  // The input line on which the last record started.
  LineNumber line() const { return line_; }
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
  LineNumber line_;
  LineNumber next_line_;
  int error_number_ = 0;
};

// Gives back the buffer of `field` when it is far larger than its text needs. A record
// reused row after row keeps, with it, at most a few MiB whatever rows it has held.
void release_spare(std::string& field);

// Appends one record as a line of output, CR LF included.
void append_record(const Record& record, char separator, std::string& line);

}  // namespace fondara::cli::csv
