#include "cli/csv.h"

#include <algorithm>
#include <cerrno>

namespace fondara::cli::csv {
namespace {

constexpr std::size_t kChunk = 64 * 1024;
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
// A field keeps a buffer up to twice its text and this many bytes more.
constexpr std::size_t kSpareBytes = 256;

bool is_empty_record(const Record& record) {
  return record.size() == 1 && record.front().empty();
}

}  // namespace

bool Reader::refill() {
  if (at_end_) return false;
  buffer_.resize(kChunk);
  long count = 0;
  do {
    count = read_(buffer_.data(), buffer_.size());
  } while (count < 0 && errno == EINTR);
  if (count < 0) error_number_ = errno;
  buffer_.resize(count > 0 ? static_cast<std::size_t>(count) : 0);
  pos_ = 0;
  at_end_ = count <= 0;
  return count > 0;
}

bool Reader::get(char& ch) {
  if (pos_ == buffer_.size() && !refill()) return false;
  ch = buffer_[pos_++];
  return true;
}

// Reads the whole first line ahead, to choose the separator from it. An end met on the
// way stays met: at a terminal one Ctrl-D ends the input, not two.
Status Reader::start() {
  started_ = true;
  std::string first;
  while (first.find_first_of("\r\n") == std::string::npos) {
    if (first.size() > max_record_bytes) return Status::too_long;
    if (!refill()) break;
    first += buffer_;
  }
  if (error_number_ != 0) return Status::read_error;
  if (std::string_view(first).substr(0, 3) == kByteOrderMark) first.erase(0, 3);
  const std::string_view line = std::string_view(first).substr(0, first.find_first_of("\r\n"));
  separator_ = line.find(';') != std::string_view::npos ? ';' : ',';
  buffer_ = std::move(first);
  pos_ = 0;
  return Status::record;
}

Status Reader::next(Record& record) {
  if (!started_) {
    if (const Status status = start(); status != Status::record) return status;
  }
  for (;;) {
    line_ = next_line_;
    if (pos_ == buffer_.size() && !refill())
      return error_number_ != 0 ? Status::read_error : Status::end;
    if (const Status status = read_record(record); status != Status::record) return status;
    if (!is_empty_record(record)) return Status::record;
  }
}

Status Reader::read_record(Record& record) {
  std::size_t fields = 1;
  std::size_t bytes = 0;
  bool quoted_field = false;
  if (record.empty()) record.emplace_back();
  record.front().clear();
  char ch = 0;
  while (get(ch)) {
    std::string& field = record[fields - 1];
    if (ch == '"' && field.empty() && !quoted_field) {
      quoted_field = true;
      if (const Status status = read_quoted(field, bytes); status != Status::record) return status;
    } else if (ch == separator_) {
      if (++fields > max_record_fields) return Status::too_long;
      if (record.size() < fields) record.emplace_back();
      record[fields - 1].clear();
      quoted_field = false;
    } else if (ch == '\n' || ch == '\r') {
      if (ch == '\r' && (pos_ < buffer_.size() || refill()) && buffer_[pos_] == '\n') ++pos_;
      ++next_line_;
      break;
    } else {
      if (++bytes > max_record_bytes) return Status::too_long;
      field.push_back(ch);
    }
  }
  if (error_number_ != 0) return Status::read_error;
  record.resize(fields);
  for (std::string& field : record) release_spare(field);
  return Status::record;
}

// After an opening quote: up to the closing quote, "" standing for one quote.
Status Reader::read_quoted(std::string& field, std::size_t& bytes) {
  char ch = 0;
  while (get(ch)) {
    if (ch == '"') {
      if ((pos_ < buffer_.size() || refill()) && buffer_[pos_] == '"') {
        if (++bytes > max_record_bytes) return Status::too_long;
        field.push_back('"');
        ++pos_;
      } else {
        return error_number_ != 0 ? Status::read_error : Status::record;
      }
      continue;
    }
    if (++bytes > max_record_bytes) return Status::too_long;
    if (ch == '\n') ++next_line_;
    field.push_back(ch);
  }
  return error_number_ != 0 ? Status::read_error : Status::unclosed_quote;
}

void release_spare(std::string& field) {
  if (field.capacity() > 2 * field.size() + kSpareBytes) std::string(field).swap(field);
}

void append_record(const Record& record, char separator, std::string& line) {
  const auto special = [separator](char ch) {
    return ch == separator || ch == '"' || ch == '\r' || ch == '\n';
  };
  for (std::size_t i = 0; i < record.size(); ++i) {
    if (i > 0) line.push_back(separator);
    const std::string& field = record[i];
    if (std::none_of(field.begin(), field.end(), special)) {
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
}

}  // namespace fondara::cli::csv
