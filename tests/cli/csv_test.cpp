// The CSV reader of the batches, in process.
#include "cli/csv.h"

#include <gtest/gtest.h>

namespace fondara::cli {
namespace {

using Records = std::vector<std::pair<csv::LineNumber, csv::Record>>;

// Every record of `text` with the line it starts on, then how the reading ended.
std::pair<Records, csv::Status> read_all(std::string_view text, csv::LineNumber first_line = 1) {
  const auto read = [text](char* buffer, std::size_t size) mutable {
    const std::size_t count = text.copy(buffer, size);
    text.remove_prefix(count);
    return static_cast<long>(count);
  };
  csv::Reader reader(read, first_line);
  Records records;
  csv::Record record;
  csv::Status status;
  while ((status = reader.next(record)) == csv::Status::record)
    records.emplace_back(reader.line(), record);
  return {records, status};
}

TEST(CsvReader, QuotedFieldsHoldSeparatorsQuotesAndLineBreaks) {
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

// An input of more than 2^31 lines, its count started just below the bound.
TEST(CsvReader, CountsLinesBeyondTwoToTheThirtyFirst) {
  const csv::LineNumber last_of_32_bits = 2147483647;
  EXPECT_EQ(read_all("a\n\nb\n\"c\nd\"\ne", last_of_32_bits).first,
            (Records{{last_of_32_bits, {"a"}},
                     {last_of_32_bits + 2, {"b"}},
                     {last_of_32_bits + 3, {"c\nd"}},
                     {last_of_32_bits + 5, {"e"}}}));
}

}  // namespace
}  // namespace fondara::cli
