#include "core/user_text.h"

#include <gtest/gtest.h>

#include "row_name.h"

namespace fondara {
namespace {

struct QuotedRow {
  const char* name;
  std::string text, shown;
};

std::string replaced(int count) {
  std::string text;
  for (int i = 0; i < count; ++i) text += "\xEF\xBF\xBD";  // U+FFFD
  return text;
}

const std::string x59(59, 'x');

const QuotedRow rows[] = {
    {"accents_pass", "città φ'", "\"città φ'\""},
    {"controls_escaped", "a\x1b[2J\n\r\t\x7f", "\"a\\e[2J\\n\\r\\t\\x7f\""},
    {"c1_and_bidi_controls_escaped", "\xC2\x9B\xE2\x80\xAE", "\"\\u009b\\u202e\""},
    {"invalid_utf8_replaced", "\xff\xC0\xAF\xED\xA0\x80\xE2\x82", '"' + replaced(8) + '"'},
    {"sixty_characters_kept_whole", x59 + "x", '"' + x59 + "x\""},
    {"longer_text_cut", x59 + "àè", '"' + x59 + "à…\""},
};

class SafeQuoted : public testing::TestWithParam<QuotedRow> {};

TEST_P(SafeQuoted, IsOneSafeLine) {
  EXPECT_EQ(safe_quoted(GetParam().text), GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(Texts, SafeQuoted, testing::ValuesIn(rows), testing_support::RowName{});

TEST(Alternatives, JoinsWithCommasAndALastO) {
  const auto same = [](const char* word) { return std::string(word); };
  EXPECT_EQ(alternatives(std::vector<const char*>{"SI"}, same), "SI");
  EXPECT_EQ(alternatives(std::vector<const char*>{"SI", "NO"}, same), "SI o NO");
  EXPECT_EQ(alternatives(std::vector<const char*>{"a", "b", "c"}, same), "a, b o c");
}

}  // namespace
}  // namespace fondara
