// Numbers read from Italian texts and written back, and the key filter of the number fields.
#include "core/number_text.h"

#include <clocale>

#include "core/filtro_numeri_decimali.h"
#include "row_name.h"
#include "text_row.h"

namespace fondara::test {
namespace {

// As typed at the terminal: the dot is the comma, except before three digits (ambiguous).
std::string typed(const char* text) {
  const auto readings = ambiguous_readings(text);
  return shown(typed_number(text)) +
         (readings ? " " + readings->first + "|" + readings->second : "");
}

// The code the filter delivers (0: dropped), then the key as left: a full stop becomes a comma.
std::string filtered(std::int16_t key) {
  const std::int16_t delivered = FiltroNumeriDecimali(key);
  return std::to_string(delivered) + ' ' + std::to_string(key);
}

// clang-format off
const TextRow rows[] = {
    {"parse_leading_comma", shown(parse_number(",5")), "0.5"},
    {"parse_blanks_and_tabs_around", shown(parse_number(" \t7,25 ")), "7.25"},
    {"parse_thousands_and_fraction", shown(parse_number("1.234.567,5")), "1234567.5"},
    {"parse_long_fraction_to_the_nearest_float", shown(parse_number("2,8800000000001")), "2.88"},
    {"parse_largest_float",
     shown(parse_number("340.282.346.638.528.859.811.704.183.484.516.925.440")), "3.4028235e+38"},
    {"parse_below_the_smallest_float_is_zero",
     shown(parse_number("0,000000000000000000000000000000000000000000000001")), "0"},
    {"parse_beyond_the_float_range",
     shown(parse_number("340.282.357.000.000.000.000.000.000.000.000.000.000")), "none"},
    {"parse_lone_comma", shown(parse_number(",")), "none"},
    {"parse_two_commas", shown(parse_number("1,2,3")), "none"},
    {"parse_decimal_dot_under_the_thousands_rule", shown(parse_number("2.5")), "none"},
    {"parse_dot_in_the_fraction", shown(parse_number("1,000.5")), "none"},
    {"parse_short_inner_thousands_group", shown(parse_number("1.00.000")), "none"},
    {"parse_long_inner_thousands_group", shown(parse_number("1.0000.000")), "none"},
    {"parse_long_first_group", shown(parse_number("1000.000")), "none"},
    {"parse_leading_dot", shown(parse_number(".500")), "none"},
    {"parse_minus", shown(parse_number("-1")), "none"},
    {"parse_exponent", shown(parse_number("1E5")), "none"},
    {"parse_inner_blank", shown(parse_number("1 000")), "none"},
    {"typed_dot_as_comma_with_blanks", typed(" 2.5\t"), "2.5"},
    {"typed_ambiguous_thousands", typed("1.800"), "none 1800|1,8"},
    {"typed_ambiguous_with_a_fraction", typed("12.505"), "none 12505|12,505"},
    {"typed_two_decimals", typed("1.80"), "1.8"},
    {"typed_leading_zero_is_a_fraction", typed("0.500"), "0.5"},
    {"typed_thousands_dot_and_comma", typed("1.000,5"), "none"},
    {"decimal_point", shown(typed_decimal("0.75")), "0.75"},
    {"decimal_read_in_double_not_float", shown(typed_decimal("0,1")), "0.1"},
    {"decimal_minus_where_allowed", shown(typed_decimal(" -30,5 ", true)), "-30.5"},
    {"decimal_minus_refused_elsewhere", shown(typed_decimal("-30")), "none"},
    {"decimal_ambiguous_after_a_minus", shown(typed_decimal("-1.800", true)), "none"},
    {"decimal_two_separators", shown(typed_decimal("1.000,5")), "none"},
    {"decimal_lone_separator", shown(typed_decimal(",")), "none"},
    {"decimal_exponent", shown(typed_decimal("1e3")), "none"},
    {"general_negative_zero", general_text(-0.0f), "0"},
    {"general_negative", general_text(-1.5f), "-1,5"},
    {"general_seven_digits", general_text(0.5773506f), "0,5773506"},
    {"general_rounded_to_seven", general_text(28800.004f), "28800"},
    {"general_largest_plain", general_text(9999999.0f), "9999999"},
    {"general_exponent_above", general_text(123456789.0f), "1,234568E+08"},
    {"general_smallest_plain", general_text(0.0001f), "0,0001"},
    {"general_exponent_below", general_text(0.000015f), "1,5E-05"},
    {"general_double_of_fifteen_digits", general_text(0.1 + 0.2), "0,3"},
    {"general_double_fraction", general_text(1.0 / 3.0), "0,333333333333333"},
    // 0,29 is stored just below 0.29: in double its hundredfold is 28.99999..., cut to 0,28;
    // the same product in float rounds up to 29.
    {"truncated_in_double_from_the_stored_float", shown<float>(truncate_two_decimals(0.29f)),
     "0.28"},
    {"read_back_comma_form", shown(read_general_text("18,34947")), "18.34947"},
    {"read_back_trailing_letter", shown(read_general_text("1,5x")), "none"},
    // Every code the key filter knows, and representatives of what it must drop.
    {"key_backspace", filtered(8), "8 8"}, {"key_tab", filtered(9), "9 9"},
    {"key_zero", filtered('0'), "48 48"}, {"key_nine", filtered('9'), "57 57"},
    {"key_comma", filtered(','), "44 44"}, {"key_full_stop_as_comma", filtered('.'), "44 44"},
    {"key_no_key", filtered(0), "0 0"}, {"key_minus", filtered('-'), "0 45"},
    {"key_slash_below_0", filtered('/'), "0 47"}, {"key_colon_above_9", filtered(':'), "0 58"},
    {"key_negative_code", filtered(-1), "0 -1"},
};
// clang-format on

TEST_P(CoreText, IsExact) {
  EXPECT_EQ(GetParam().got, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Numbers, CoreText, testing::ValuesIn(rows), testing_support::RowName{});

TEST(NumberTexts, DoNotDependOnTheProcessLocale) {
  const char* italian = std::setlocale(LC_ALL, "it_IT.UTF-8");
  const std::string under_italian = general_text(1234.5f) + general_text(0.25);
  const auto parsed_under_italian = parse_number("1.234,5");
  std::setlocale(LC_ALL, "C");
  EXPECT_EQ(under_italian, "1234,50,25");
  EXPECT_EQ(parsed_under_italian, 1234.5f);
  if (italian == nullptr) GTEST_SKIP() << "no Italian locale installed; checked under C only";
}

}  // namespace
}  // namespace fondara::test
