// The CSV reader and writer and the reading of typed numbers, in process.
#include <gtest/gtest.h>

#include "cli/csv.h"
#include "cli/fields.h"

namespace fondara::cli {
namespace {

struct NumberCase {
  const char* name;
  const char* text;
  std::optional<float> expected;
};

void PrintTo(const NumberCase& row, std::ostream* out) {
  *out << row.name;
}

class TypedNumber : public testing::TestWithParam<NumberCase> {};

TEST_P(TypedNumber, ReadsAsTheFieldWould) {
  EXPECT_EQ(leggi_numero(GetParam().text), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, TypedNumber,
    testing::Values(
        NumberCase{"whole", "12", 12.0f}, NumberCase{"comma", "2,5", 2.5f},
        NumberCase{"full_stop_is_comma", "2.5", 2.5f},
        NumberCase{"typed_thousands_dot_becomes_comma", "1.000", 1.0f},
        NumberCase{"leading_comma", ",5", 0.5f}, NumberCase{"trailing_comma", "5,", 5.0f},
        NumberCase{"blanks_around", " 2,3\t", 2.3f}, NumberCase{"empty", "", std::nullopt},
        NumberCase{"lone_comma", ",", std::nullopt},
        NumberCase{"second_comma", "1,2,3", std::nullopt},
        NumberCase{"comma_and_full_stop", "1,2.3", std::nullopt},
        NumberCase{"minus", "-1", std::nullopt}, NumberCase{"plus", "+1", std::nullopt},
        NumberCase{"exponent", "1E3", std::nullopt}, NumberCase{"inner_blank", "2 5", std::nullopt},
        NumberCase{"beyond_float_range", "9999999999999999999999999999999999999999", std::nullopt}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(CsvParse, QuotedFieldsHoldSeparatorsQuotesAndLineBreaks) {
  const auto parsed = csv::parse("a,b\r\n\"1,5\",\"x \"\"y\"\"\nz\"\r\n");
  ASSERT_TRUE(parsed.document) << parsed.error;
  EXPECT_EQ(parsed.document->separator, ',');
  ASSERT_EQ(parsed.document->rows.size(), 1u);
  EXPECT_EQ(parsed.document->rows[0], (csv::Record{"1,5", "x \"y\"\nz"}));
}

TEST(CsvParse, SemicolonInTheHeaderChoosesIt) {
  const auto parsed = csv::parse(
      "\xEF\xBB\xBF"
      "a;b\n1,5;2\n\n3;4");
  ASSERT_TRUE(parsed.document);
  EXPECT_EQ(parsed.document->separator, ';');
  EXPECT_EQ(parsed.document->header, (csv::Record{"a", "b"}));
  ASSERT_EQ(parsed.document->rows.size(), 2u);
  EXPECT_EQ(parsed.document->rows[0], (csv::Record{"1,5", "2"}));
  EXPECT_EQ(parsed.document->rows[1], (csv::Record{"3", "4"}));
  EXPECT_EQ(parsed.document->row_lines, (std::vector<int>{2, 4}));
}

TEST(CsvParse, EmptyFieldsAreKept) {
  const auto parsed = csv::parse("a,b,c\n,,\n");
  ASSERT_TRUE(parsed.document);
  EXPECT_EQ(parsed.document->rows[0], (csv::Record{"", "", ""}));
}

TEST(CsvFormat, QuotesOnlyWhereNeeded) {
  EXPECT_EQ(csv::format_record({"2,5", "a\"b", "c", "d\ne", ""}, ','),
            "\"2,5\",\"a\"\"b\",c,\"d\ne\",\r\n");
  EXPECT_EQ(csv::format_record({"2,5", "x;y"}, ';'), "2,5;\"x;y\"\r\n");
}

TEST(CsvFormat, WhatIsWrittenReadsBack) {
  const csv::Record record = {"2,5", "Muro \"A\"; lato", "riga\r\nnuova", ""};
  for (char separator : {',', ';'}) {
    const auto parsed = csv::parse(csv::format_record({"a", "b", "c", "d"}, separator) +
                                   csv::format_record(record, separator));
    ASSERT_TRUE(parsed.document);
    ASSERT_EQ(parsed.document->rows.size(), 1u);
    EXPECT_EQ(parsed.document->rows[0], record) << separator;
  }
}

}  // namespace
}  // namespace fondara::cli
