#include "input/number_text.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <limits>
#include <string>

#include "row_name.h"

namespace fondara {
namespace {

struct NumericRow {
  const char* name;
  const char* text;
  float expected;
};

class NumericTexts : public ::testing::TestWithParam<NumericRow> {};

TEST_P(NumericTexts, ReadsTheNearestFloat) {
  const auto& row = GetParam();
  const auto value = parse_number(row.text);
  ASSERT_TRUE(value.has_value()) << '"' << row.text << '"';
  EXPECT_EQ(*value, row.expected);
  EXPECT_TRUE(is_numeric(row.text));
}

INSTANTIATE_TEST_SUITE_P(
    Italian, NumericTexts,
    ::testing::Values(
        NumericRow{"whole", "12", 12.0f}, NumericRow{"decimal_comma", "2,3", 2.3f},
        NumericRow{"leading_comma", ",5", 0.5f}, NumericRow{"trailing_comma", "5,", 5.0f},
        NumericRow{"blanks_around", "  7,25 ", 7.25f}, NumericRow{"tab_around", "\t10\t", 10.0f},
        NumericRow{"thousands", "1.000", 1000.0f},
        NumericRow{"thousands_and_fraction", "1.000,5", 1000.5f},
        NumericRow{"two_thousands_groups", "12.345.678", 12345678.0f},
        NumericRow{"leading_zeros", "007", 7.0f},
        NumericRow{"long_fraction_rounds_to_nearest", "2,8800000000001", 2.88f},
        NumericRow{"largest_float", "340.282.346.638.528.859.811.704.183.484.516.925.440",
                   std::numeric_limits<float>::max()},
        NumericRow{"below_smallest_float_is_zero",
                   "0,00000000000000000000000000000000000000000000000001", 0.0f}),
    testing_support::RowName{});

struct RefusedRow {
  const char* name;
  const char* text;
};

class NonNumericTexts : public ::testing::TestWithParam<RefusedRow> {};

TEST_P(NonNumericTexts, AreRefused) {
  EXPECT_FALSE(parse_number(GetParam().text).has_value()) << '"' << GetParam().text << '"';
}

INSTANTIATE_TEST_SUITE_P(
    Italian, NonNumericTexts,
    ::testing::Values(
        RefusedRow{"empty", ""}, RefusedRow{"blank_only", "   "}, RefusedRow{"lone_comma", ","},
        RefusedRow{"two_commas", "1,2,3"}, RefusedRow{"trailing_second_comma", "1,2,"},
        RefusedRow{"decimal_dot", "2.5"},  // would be 25 under the Italian rule
        RefusedRow{"dot_in_fraction", "1,000.5"}, RefusedRow{"short_thousands_group", "1.00"},
        RefusedRow{"long_thousands_group", "1.0000"}, RefusedRow{"long_first_group", "1000.000"},
        RefusedRow{"leading_dot", ".500"}, RefusedRow{"trailing_dot", "1."},
        RefusedRow{"double_dot", "1..000"}, RefusedRow{"minus", "-1"}, RefusedRow{"plus", "+1"},
        RefusedRow{"exponent", "1E5"}, RefusedRow{"small_exponent", "1e5"},
        RefusedRow{"letters", "abc"}, RefusedRow{"inner_blank", "1 000"},
        RefusedRow{"currency", "5€"},
        RefusedRow{"beyond_float", "340.282.357.000.000.000.000.000.000.000.000.000.000"},
        RefusedRow{"far_beyond_float", "1000000000000000000000000000000000000000000"}),
    testing_support::RowName{});

struct TextRow {
  const char* name;
  double value;
  bool single;
  const char* expected;
};

class GeneralTexts : public ::testing::TestWithParam<TextRow> {};

TEST_P(GeneralTexts, WriteItalianDigits) {
  const auto& row = GetParam();
  const std::string text =
      row.single ? general_text(static_cast<float>(row.value)) : general_text(row.value);
  EXPECT_EQ(text, row.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Format, GeneralTexts,
    ::testing::Values(TextRow{"float_two_decimals", 2.88, true, "2,88"},
                      TextRow{"float_below_one", 0.84, true, "0,84"},
                      TextRow{"float_whole", 10, true, "10"}, TextRow{"float_zero", 0, true, "0"},
                      TextRow{"float_negative_zero", -0.0, true, "0"},
                      TextRow{"float_negative", -1.5, true, "-1,5"},
                      TextRow{"float_seven_digits", 0.5773506, true, "0,5773506"},
                      TextRow{"float_rounds_to_seven", 28800.004, true, "28800"},
                      TextRow{"float_rounds_up", 2.99999999, true, "3"},
                      TextRow{"float_largest_plain", 9999999, true, "9999999"},
                      TextRow{"float_exponent_large", 123456789, true, "1,234568E+08"},
                      TextRow{"float_exponent_power", 1e10, true, "1E+10"},
                      TextRow{"float_smallest_plain", 0.0001, true, "0,0001"},
                      TextRow{"float_exponent_small", 0.000015, true, "1,5E-05"},
                      TextRow{"double_whole", 30, false, "30"},
                      TextRow{"double_fifteen_digits", 0.1 + 0.2, false, "0,3"},
                      TextRow{"double_truncated_factor", 18.34, false, "18,34"},
                      TextRow{"double_exponent", 1e20, false, "1E+20"}),
    testing_support::RowName{});

TEST(GeneralText, DoesNotDependOnTheProcessLocale) {
  const char* italian = std::setlocale(LC_ALL, "it_IT.UTF-8");
  const std::string under_italian = general_text(1234.5f) + general_text(0.25);
  const auto parsed_under_italian = parse_number("1.234,5");
  std::setlocale(LC_ALL, "C");
  EXPECT_EQ(under_italian, general_text(1234.5f) + general_text(0.25));
  EXPECT_EQ(under_italian, "1234,50,25");
  EXPECT_EQ(parsed_under_italian, parse_number("1.234,5"));
  EXPECT_EQ(parsed_under_italian, 1234.5f);
  if (italian == nullptr) GTEST_SKIP() << "no Italian locale installed; checked under C only";
}

TEST(GeneralText, ReadsBackItsOwnTexts) {
  EXPECT_EQ(read_general_text(general_text(18.34947f)), 18.34947);
  EXPECT_EQ(read_general_text(general_text(33.3f)), 33.3);
  EXPECT_EQ(read_general_text(general_text(1.482439e29f)), 1.482439e29);
  EXPECT_EQ(read_general_text("1,5E-05"), 1.5e-05);
  EXPECT_FALSE(read_general_text("").has_value());
  EXPECT_FALSE(read_general_text("3,3x").has_value());
}

struct TruncationRow {
  const char* name;
  float value;
  float expected;
};

class Truncation : public ::testing::TestWithParam<TruncationRow> {};

TEST_P(Truncation, CutsWithoutRounding) {
  EXPECT_EQ(truncate_two_decimals(GetParam().value), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    TwoDecimals, Truncation,
    ::testing::Values(TruncationRow{"cut_not_rounded", 2.8888f, 2.88f},
                      TruncationRow{"float_just_below_is_one_hundredth_less", 3.3f, 3.29f},
                      TruncationRow{"exact_quarter_stays", 1.25f, 1.25f},
                      TruncationRow{"whole_stays", 9.0f, 9.0f},
                      TruncationRow{"negative_moves_away_from_zero", -0.001f, -0.01f}),
    testing_support::RowName{});

}  // namespace
}  // namespace fondara
