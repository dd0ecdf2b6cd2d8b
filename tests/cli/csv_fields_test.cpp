// The CSV reader and writer, the reading of typed numbers and the quoting of user text
// in messages, in process.
#include <gtest/gtest.h>

#include "cli/csv.h"
#include "cli/fields.h"
#include "cli/message_text.h"
#include "row_name.h"
#include "run_program.h"

namespace fondara::cli {
namespace {

using test::PrintTo;

struct NumberCase {
  const char* name;
  const char* text;
  std::optional<float> expected;
};

class TypedNumber : public testing::TestWithParam<NumberCase> {};

TEST_P(TypedNumber, ReadsAsTheFieldWould) {
  EXPECT_EQ(leggi_numero(GetParam().text), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, TypedNumber,
    testing::Values(NumberCase{"full_stop_is_comma", "2.5", 2.5f},
                    NumberCase{"blanks_around", " 2,3\t", 2.3f},
                    NumberCase{"thousands_looking_dot_is_ambiguous", "1.800", std::nullopt},
                    NumberCase{"two_decimals_are_not_thousands", "1.80", 1.8f},
                    NumberCase{"four_decimals_are_not_thousands", "1.8000", 1.8f},
                    NumberCase{"no_thousands_after_a_leading_zero", "0.500", 0.5f},
                    NumberCase{"second_comma", "1,2,3", std::nullopt},
                    NumberCase{"minus", "-1", std::nullopt},
                    NumberCase{"beyond_float_range", "99999999999999999999999999999999999999999",
                               std::nullopt}),
    testing_support::RowName{});

struct Read {
  std::vector<csv::Record> records;
  std::vector<int> lines;
  csv::Status last;
};

Read read_all(std::string_view text) {
  csv::Reader reader(csv::read_text(text));
  Read read;
  csv::Record record;
  while ((read.last = reader.next(record)) == csv::Status::record) {
    read.records.push_back(record);
    read.lines.push_back(reader.line());
  }
  return read;
}

TEST(CsvReader, QuotedFieldsHoldSeparatorsQuotesAndLineBreaks) {
  const Read read = read_all("a,b\r\n\"1,5\",\"x \"\"y\"\"\nz\"\r\n\n3,\"\"");
  EXPECT_EQ(read.last, csv::Status::end);
  EXPECT_EQ(read.records, (std::vector<csv::Record>{{"a", "b"}, {"1,5", "x \"y\"\nz"}, {"3", ""}}));
  EXPECT_EQ(read.lines, (std::vector<int>{1, 2, 5}));
}

TEST(CsvReader, SemicolonOnTheFirstLineChoosesIt) {
  csv::Reader reader(csv::read_text("\xEF\xBB\xBF\"a;b\",c\n1,5;2\n"));
  csv::Record record;
  ASSERT_EQ(reader.next(record), csv::Status::record);
  EXPECT_EQ(reader.separator(), ';');
  EXPECT_EQ(record, (csv::Record{"a;b,c"})) << "a quote closes mid-field";
}

TEST(CsvReader, StopsAtAnOpenQuoteAndAtOverlongRecords) {
  EXPECT_EQ(read_all("a\n\"b\n").last, csv::Status::unclosed_quote);
  EXPECT_EQ(read_all("a\n" + std::string(csv::max_record_bytes + 1, 'x')).last,
            csv::Status::too_long);
  EXPECT_EQ(read_all("a\n" + std::string(csv::max_record_fields, ',')).last,
            csv::Status::too_long);
  EXPECT_EQ(read_all("a\n" + std::string(csv::max_record_fields - 1, ',')).last,
            csv::Status::end);
}

TEST(CsvWriter, QuotesOnlyWhereNeededAndReadsBack) {
  const csv::Record record = {"2,5", "Muro \"A\"; lato", "riga\r\nnuova", ""};
  std::string line;
  csv::append_record(record, ';', line);
  EXPECT_EQ(line, "2,5;\"Muro \"\"A\"\"; lato\";\"riga\r\nnuova\";\r\n");
  line.clear();
  csv::append_record({"h"}, ',', line);
  csv::append_record(record, ',', line);
  EXPECT_EQ(read_all(line).records.back(), record);
}

struct QuotedCase {
  const char* name;
  std::string text;
  std::string shown;
};

class QuotedText : public testing::TestWithParam<QuotedCase> {};

TEST_P(QuotedText, IsOneSafeLine) {
  EXPECT_EQ(safe_quoted(GetParam().text), GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, QuotedText,
    testing::Values(
        QuotedCase{"accents_pass", "città φ'", "\"città φ'\""},
        QuotedCase{"controls_escaped", "a\x1b[2J\n\r\t\x7f", "\"a\\e[2J\\n\\r\\t\\x7f\""},
        QuotedCase{"c1_and_bidi_controls_escaped", "\xC2\x9B\xE2\x80\xAE", "\"\\u009b\\u202e\""},
        QuotedCase{"invalid_utf8_replaced", "a\xff\xC0\xAF\xED\xA0\x80\xE2\x82",
                   "\"a\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD"
                   "\xEF\xBF\xBD\xEF\xBF\xBD\""},
        QuotedCase{"sixty_characters_kept_whole", std::string(60, 'x'),
                   "\"" + std::string(60, 'x') + "\""},
        QuotedCase{"longer_text_cut", std::string(59, 'x') + "àè",
                   "\"" + std::string(59, 'x') + "à…\""}),
    testing_support::RowName{});

}  // namespace
}  // namespace fondara::cli
