// The CSV reader, typed numbers and the quoting of user text in messages, in process.
#include <gtest/gtest.h>

#include "cli/csv.h"
#include "cli/fields.h"
#include "cli/message_text.h"

namespace fondara::cli {
namespace {

// The dot is the comma the window types, except before exactly three digits (1.800).
TEST(TypedNumber, ReadsAsTheFieldWouldAndRefusesAmbiguousThousands) {
  const std::pair<const char*, std::optional<float>> cases[] = {
      {" 2.5\t", 2.5f}, {"1.800", std::nullopt}, {"12.500", std::nullopt}, {"1.80", 1.8f},
      {"1.8000", 1.8f}, {"0.500", 0.5f},         {"-1", std::nullopt}};
  for (const auto& [text, expected] : cases) EXPECT_EQ(leggi_numero(text), expected) << text;
}

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
  EXPECT_EQ(read_all("a\n" + std::string(csv::max_record_fields, ',')).second,
            csv::Status::too_long);
  EXPECT_EQ(read_all("a\n" + std::string(csv::max_record_fields - 1, ',')).second,
            csv::Status::end);
}

TEST(QuotedText, IsOneSafeLine) {
  const std::string x59(59, 'x'), replaced = "\xEF\xBF\xBD";
  std::string eight_replaced;
  for (int i = 0; i < 8; ++i) eight_replaced += replaced;
  const struct {
    const char* name;
    std::string text, shown;
  } rows[] = {
      {"accents_pass", "città φ'", "\"città φ'\""},
      {"controls_escaped", "a\x1b[2J\n\r\t\x7f", "\"a\\e[2J\\n\\r\\t\\x7f\""},
      {"c1_and_bidi_controls_escaped", "\xC2\x9B\xE2\x80\xAE", "\"\\u009b\\u202e\""},
      {"invalid_utf8_replaced", "\xff\xC0\xAF\xED\xA0\x80\xE2\x82", '"' + eight_replaced + '"'},
      {"sixty_characters_kept_whole", x59 + "x", '"' + x59 + "x\""},
      {"longer_text_cut", x59 + "àè", '"' + x59 + "à…\""}};
  for (const auto& row : rows) EXPECT_EQ(safe_quoted(row.text), row.shown) << row.name;
}

}  // namespace
}  // namespace fondara::cli
