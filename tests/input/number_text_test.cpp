#include "input/number_text.h"

#include <gtest/gtest.h>

#include <clocale>
#include <limits>
#include <optional>
#include <string>

namespace fondara {
namespace {

TEST(ParseNumber, ReadsItalianTextsWholeToTheNearestFloat) {
  const struct {
    const char* name;
    const char* text;
    std::optional<float> expected;
  } rows[] = {
      {"whole", "12", 12.0f},
      {"decimal comma", "2,3", 2.3f},
      {"leading comma", ",5", 0.5f},
      {"trailing comma", "5,", 5.0f},
      {"blanks and tabs around", " \t7,25 ", 7.25f},
      {"thousands", "1.000", 1000.0f},
      {"thousands and fraction", "12.345.678,5", 12345678.5f},
      {"long fraction rounds to nearest", "2,8800000000001", 2.88f},
      {"largest float", "340.282.346.638.528.859.811.704.183.484.516.925.440",
       std::numeric_limits<float>::max()},
      {"below the smallest float is zero", "0,000000000000000000000000000000000000000000000001",
       0.0f},
      {"empty", "", std::nullopt},
      {"blank only", "   ", std::nullopt},
      {"lone comma", ",", std::nullopt},
      {"two commas", "1,2,3", std::nullopt},
      {"decimal dot, 25 under the thousands rule", "2.5", std::nullopt},
      {"dot in the fraction", "1,000.5", std::nullopt},
      {"short thousands group", "1.00", std::nullopt},
      {"long thousands group", "1.0000", std::nullopt},
      {"long first group", "1000.000", std::nullopt},
      {"leading dot", ".500", std::nullopt},
      {"trailing dot", "1.", std::nullopt},
      {"minus", "-1", std::nullopt},
      {"plus", "+1", std::nullopt},
      {"exponent", "1E5", std::nullopt},
      {"letters", "abc", std::nullopt},
      {"inner blank", "1 000", std::nullopt},
      {"beyond the float range", "340.282.357.000.000.000.000.000.000.000.000.000.000",
       std::nullopt},
  };
  for (const auto& row : rows) {
    EXPECT_EQ(parse_number(row.text), row.expected) << row.name;
    EXPECT_EQ(is_numeric(row.text), row.expected.has_value()) << row.name;
  }
}

TEST(GeneralText, SevenDigitsForAFloatFifteenForADouble) {
  const struct {
    const char* name;
    std::string text;
    const char* expected;
  } rows[] = {
      {"two decimals", general_text(2.88f), "2,88"},
      {"below one", general_text(0.84f), "0,84"},
      {"whole", general_text(10.0f), "10"},
      {"negative zero", general_text(-0.0f), "0"},
      {"negative", general_text(-1.5f), "-1,5"},
      {"seven digits", general_text(0.5773506f), "0,5773506"},
      {"rounded to seven", general_text(28800.004f), "28800"},
      {"rounded up", general_text(2.99999999f), "3"},
      {"largest plain", general_text(9999999.0f), "9999999"},
      {"exponent above", general_text(123456789.0f), "1,234568E+08"},
      {"exponent of a power", general_text(1e10f), "1E+10"},
      {"smallest plain", general_text(0.0001f), "0,0001"},
      {"exponent below", general_text(0.000015f), "1,5E-05"},
      {"double whole", general_text(30.0), "30"},
      {"double of fifteen digits", general_text(0.1 + 0.2), "0,3"},
      {"double fraction", general_text(1.0 / 3.0), "0,333333333333333"},
      {"double exponent", general_text(1e20), "1E+20"},
  };
  for (const auto& row : rows) EXPECT_EQ(row.text, row.expected) << row.name;
}

TEST(GeneralText, DoesNotDependOnTheProcessLocale) {
  const char* italian = std::setlocale(LC_ALL, "it_IT.UTF-8");
  const std::string under_italian = general_text(1234.5f) + general_text(0.25);
  const auto parsed_under_italian = parse_number("1.234,5");
  std::setlocale(LC_ALL, "C");
  EXPECT_EQ(under_italian, "1234,50,25");
  EXPECT_EQ(parsed_under_italian, 1234.5f);
  if (italian == nullptr) GTEST_SKIP() << "no Italian locale installed; checked under C only";
}

}  // namespace
}  // namespace fondara
