// The CSV reader of the batches, in process.
#include "cli/csv.h"

#include <gtest/gtest.h>

namespace fondara::cli {
namespace {

// Every record of `text` with the line it starts on, then how the reading ended.
std::pair<std::vector<std::pair<int, csv::Record>>, csv::Status> read_all(std::string_view text) {
  csv::Reader reader([text](char* buffer, std::size_t size) mutable {
    const std::size_t count = std::min(size, text.size());
    text.copy(buffer, count);
    text.remove_prefix(count);
    return static_cast<long>(count);
  });
  std::vector<std::pair<int, csv::Record>> records;
  csv::Record record;
  csv::Status status;
  while ((status = reader.next(record)) == csv::Status::record)
    records.emplace_back(reader.line(), record);
  return {records, status};
}

TEST(CsvReader, QuotedFieldsHoldSeparatorsQuotesAndLineBreaks) {
  using Records = std::vector<std::pair<int, csv::Record>>;
  EXPECT_EQ(read_all("a,b\r\n\"1,5\",\"x \"\"y\"\"\nz\"\r\n\n3,\"\""),
            std::pair(Records{{1, {"a", "b"}}, {2, {"1,5", "x \"y\"\nz"}}, {5, {"3", ""}}},
                      csv::Status::end));
  // A semicolon anywhere on the first line chooses it; a quote may close mid-field.
  EXPECT_EQ(read_all("\xEF\xBB\xBF\"a;b\",c\n1,5;2").first,
            (Records{{1, {"a;b,c"}}, {2, {"1,5", "2"}}}));
}

TEST(CsvReader, StopsAtAnOpenQuoteAndAtOverlongRecords) {
  EXPECT_EQ(read_all("a\n\"b\n").second, csv::Status::unclosed_quote);
  const std::string half(csv::max_record_bytes / 2, 'x');  // one byte too many, half quoted
  EXPECT_EQ(read_all("a\n" + half + "x,\"" + half + "\"").second, csv::Status::too_long);
  EXPECT_EQ(read_all("a\n" + half + ",\"" + half + "\"").second, csv::Status::end);
  EXPECT_EQ(read_all("a\n" + std::string(csv::max_record_fields, ',')).second,
            csv::Status::too_long);
  EXPECT_EQ(read_all("a\n" + std::string(csv::max_record_fields - 1, ',')).second,
            csv::Status::end);
}

}  // namespace
}  // namespace fondara::cli
