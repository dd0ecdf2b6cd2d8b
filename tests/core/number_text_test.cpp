#include "core/number_text.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <limits>
#include <optional>
#include <string>

#include "row_name.h"

namespace fondara {
namespace {

using testing_support::RowName;

struct ParseRow {
  const char* name;
  const char* text;
  std::optional<float> expected;
};

// clang-format off
const ParseRow parse_rows[] = {
    {"whole", "12", 12.0f},
    {"decimal_comma", "2,3", 2.3f},
    {"leading_comma", ",5", 0.5f},
    {"trailing_comma", "5,", 5.0f},
    {"blanks_and_tabs_around", " \t7,25 ", 7.25f},
    {"thousands", "1.000", 1000.0f},
    {"thousands_and_fraction", "12.345.678,5", 12345678.5f},
    {"long_fraction_rounds_to_nearest", "2,8800000000001", 2.88f},
    {"largest_float", "340.282.346.638.528.859.811.704.183.484.516.925.440",
     std::numeric_limits<float>::max()},
    {"below_the_smallest_float_is_zero", "0,000000000000000000000000000000000000000000000001", 0.0f},
    {"empty", "", std::nullopt},
    {"blank_only", "   ", std::nullopt},
    {"lone_comma", ",", std::nullopt},
    {"two_commas", "1,2,3", std::nullopt},
    {"decimal_dot_under_the_thousands_rule", "2.5", std::nullopt},
    {"dot_in_the_fraction", "1,000.5", std::nullopt},
    {"short_thousands_group", "1.00", std::nullopt},
    {"short_inner_thousands_group", "1.00.000", std::nullopt},
    {"long_thousands_group", "1.0000", std::nullopt},
    {"long_first_group", "1000.000", std::nullopt},
    {"leading_dot", ".500", std::nullopt},
    {"trailing_dot", "1.", std::nullopt},
    {"minus", "-1", std::nullopt},
    {"plus", "+1", std::nullopt},
    {"exponent", "1E5", std::nullopt},
    {"letters", "abc", std::nullopt},
    {"inner_blank", "1 000", std::nullopt},
    {"beyond_the_float_range", "340.282.357.000.000.000.000.000.000.000.000.000.000", std::nullopt},
};
// clang-format on

class ParseNumber : public testing::TestWithParam<ParseRow> {};

TEST_P(ParseNumber, ReadsItalianTextsWholeToTheNearestFloat) {
  EXPECT_EQ(parse_number(GetParam().text), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Texts, ParseNumber, testing::ValuesIn(parse_rows), RowName{});

// The terminal reads a number as the keys typed into a window's field: the dot is the
// comma, except before exactly three digits, where it is ambiguous.
struct TypedRow {
  const char* name;
  const char* text;
  std::optional<float> number;
  std::optional<std::pair<std::string, std::string>> readings = std::nullopt;
};

const TypedRow typed_rows[] = {
    {"dot_as_comma_with_blanks", " 2.5\t", 2.5f},
    {"ambiguous_thousands", "1.800", std::nullopt, std::pair{"1800", "1,8"}},
    {"ambiguous_with_a_fraction", "12.505", std::nullopt, std::pair{"12505", "12,505"}},
    {"two_decimals", "1.80", 1.8f},
    {"four_decimals", "1.8000", 1.8f},
    {"leading_zero_is_a_fraction", "0.500", 0.5f},
    {"minus", "-1", std::nullopt},
    {"thousands_dot_and_comma", "1.000,5", std::nullopt},
};

class TypedNumber : public testing::TestWithParam<TypedRow> {};

TEST_P(TypedNumber, ReadsAsTheFieldWouldAndRefusesAmbiguousThousands) {
  EXPECT_EQ(typed_number(GetParam().text), GetParam().number);
  EXPECT_EQ(ambiguous_readings(GetParam().text), GetParam().readings);
}

INSTANTIATE_TEST_SUITE_P(Texts, TypedNumber, testing::ValuesIn(typed_rows), RowName{});

struct DecimalRow {
  const char* name;
  const char* text;
  bool signed_value;
  std::optional<double> expected;
};

const DecimalRow decimal_rows[] = {
    {"comma", "0,75", false, 0.75},
    {"point", "0.75", false, 0.75},
    {"whole", "200", false, 200.0},
    {"read_in_double_not_float", "0,1", false, 0.1},
    {"minus_where_allowed", " -30,5 ", true, -30.5},
    {"minus_refused_elsewhere", "-30", false, std::nullopt},
    {"ambiguous_thousands", "1.800", false, std::nullopt},
    {"ambiguous_after_a_minus", "-1.800", true, std::nullopt},
    {"two_separators", "1.000,5", false, std::nullopt},
    {"lone_separator", ",", false, std::nullopt},
    {"lone_minus", "-", true, std::nullopt},
    {"exponent", "1e3", false, std::nullopt},
};

class TypedDecimal : public testing::TestWithParam<DecimalRow> {};

TEST_P(TypedDecimal, ReadsTheVerificationNumbersInDouble) {
  EXPECT_EQ(typed_decimal(GetParam().text, GetParam().signed_value), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Texts, TypedDecimal, testing::ValuesIn(decimal_rows), RowName{});

struct GeneralRow {
  const char* name;
  std::string text;
  const char* expected;
};

const GeneralRow general_rows[] = {
    {"two_decimals", general_text(2.88f), "2,88"},
    {"below_one", general_text(0.84f), "0,84"},
    {"whole", general_text(10.0f), "10"},
    {"negative_zero", general_text(-0.0f), "0"},
    {"negative", general_text(-1.5f), "-1,5"},
    {"seven_digits", general_text(0.5773506f), "0,5773506"},
    {"rounded_to_seven", general_text(28800.004f), "28800"},
    {"rounded_up", general_text(2.99999999f), "3"},
    {"largest_plain", general_text(9999999.0f), "9999999"},
    {"exponent_above", general_text(123456789.0f), "1,234568E+08"},
    {"exponent_of_a_power", general_text(1e10f), "1E+10"},
    {"smallest_plain", general_text(0.0001f), "0,0001"},
    {"exponent_below", general_text(0.000015f), "1,5E-05"},
    {"double_whole", general_text(30.0), "30"},
    {"double_of_fifteen_digits", general_text(0.1 + 0.2), "0,3"},
    {"double_fraction", general_text(1.0 / 3.0), "0,333333333333333"},
    {"double_exponent", general_text(1e20), "1E+20"},
};

class GeneralText : public testing::TestWithParam<GeneralRow> {};

TEST_P(GeneralText, SevenDigitsForAFloatFifteenForADouble) {
  EXPECT_EQ(GetParam().text, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Values, GeneralText, testing::ValuesIn(general_rows), RowName{});

TEST(NumberTexts, DoNotDependOnTheProcessLocale) {
  const char* italian = std::setlocale(LC_ALL, "it_IT.UTF-8");
  const std::string under_italian = general_text(1234.5f) + general_text(0.25);
  const auto parsed_under_italian = parse_number("1.234,5");
  std::setlocale(LC_ALL, "C");
  EXPECT_EQ(under_italian, "1234,50,25");
  EXPECT_EQ(parsed_under_italian, 1234.5f);
  if (italian == nullptr) GTEST_SKIP() << "no Italian locale installed; checked under C only";
}

TEST(TwoDecimalTruncation, CutsInDoubleFromTheStoredFloat) {
  // 0,29 is stored just below 0.29: in double its hundredfold is 28.99999..., cut to 0,28;
  // the same product in float rounds up to 29.
  EXPECT_EQ(truncate_two_decimals(0.29f), 0.28f);
  EXPECT_EQ(truncate_two_decimals(2.5f), 2.5f);
  EXPECT_EQ(truncate_two_decimals(15.025092f), 15.02f);
}

TEST(GeneralTextReadBack, ReadsTheCommaFormInDouble) {
  EXPECT_EQ(read_general_text("18,34947"), 18.34947);
  EXPECT_EQ(read_general_text("1,5E-05"), 1.5e-05);
  EXPECT_EQ(read_general_text(""), std::nullopt);
  EXPECT_EQ(read_general_text("1,5x"), std::nullopt);
}

}  // namespace
}  // namespace fondara
