#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "report/builder.h"
#include "report/statement.h"

namespace fondara::report {
namespace {

Statement text(std::string value, End end = End::line_break) {
  return {{std::move(value)}, end};
}
Statement empty() {
  return {};
}

struct NumberCase {
  const char* name;
  Item item;
  const char* expected;
};

class NumberItem : public testing::TestWithParam<NumberCase> {};

TEST_P(NumberItem, WritesSignPositionNumberAndOneBlank) {
  EXPECT_EQ(item_text(GetParam().item), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Items, NumberItem,
    testing::Values(NumberCase{"whole_float", 5.0f, " 5 "},
                    NumberCase{"float_nearest_2_88_keeps_two_decimals", 2.88f, " 2,88 "},
                    NumberCase{"float_below_one_has_leading_zero", 0.84f, " 0,84 "},
                    NumberCase{"negative_float_takes_the_sign_position", -1.5f, "-1,5 "},
                    NumberCase{"zero", 0.0f, " 0 "},
                    NumberCase{"seven_digits_leave_no_fraction", 28800.003f, " 28800 "},
                    NumberCase{"float_rounded_to_seven_digits", 0.57735026f, " 0,5773503 "},
                    NumberCase{"whole_double", 30.0, " 30 "},
                    NumberCase{"double_has_fifteen_digits", 0.1, " 0,1 "},
                    NumberCase{"double_long_fraction", 1.0 / 3.0, " 0,333333333333333 "},
                    NumberCase{"text_unchanged", std::string(" a  b "), " a  b "}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(WriteLines, OpenLineIsContinuedByTheNextStatement) {
  const Report report = {text("Si ottiene", End::open_line), text(" allo SLU:"), empty(),
                         Statement{{std::string("YR = "), 2.3f}, End::line_break}};
  const auto lines = write_lines(report);
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0].text, "Si ottiene allo SLU:");
  EXPECT_EQ(lines[1].text, "");
  EXPECT_EQ(lines[2].text, "YR =  2,3 ");
}

TEST(WriteLines, OpenTextFollowedByEmptyStatementIsOneLine) {
  const auto lines = write_lines({text("Si ottiene", End::open_line), empty()});
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0].text, "Si ottiene");
}

TEST(WriteLines, ItemsFollowEachOtherWithoutSeparator) {
  const auto lines =
      write_lines({Statement{{std::string("L      = "), 10.0f, std::string(" m, lunghezza")}}});
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0].text, "L      =  10  m, lunghezza");
}

TEST(WriteLines, LineTakesTheSizeInForceWhenItEnds) {
  const Report report = {text("titolo"), FontSize{8}, text("corpo", End::open_line), FontSize{12},
                         empty()};
  const auto lines = write_lines(report, 10);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0].points, 10);
  EXPECT_EQ(lines[1].points, 12);
}

TEST(FileBytes, EmptyStatementWritesOnlyCrLf) {
  EXPECT_EQ(file_bytes({empty()}), "\r\n");
  EXPECT_EQ(file_bytes({text("riga"), empty(), empty()}), "riga\r\n\r\n\r\n");
}

TEST(FileBytes, FinalOpenLineHasNoLineBreak) {
  EXPECT_EQ(file_bytes({text("a"), text("b", End::open_line)}), "a\r\nb");
}

TEST(FileBytes, TextsAreEncodedInWindows1252) {
  EXPECT_EQ(file_bytes({text("profondità Ø ø")}), "profondit\xE0 \xD8 \xF8\r\n");
}

struct EncodingCase {
  const char* name;
  std::string utf8;
  std::string expected;
};

class Encoding : public testing::TestWithParam<EncodingCase> {};

TEST_P(Encoding, MapsToWindows1252) {
  EXPECT_EQ(encode_windows1252(GetParam().utf8), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Characters, Encoding,
    testing::Values(
        EncodingCase{"ascii_unchanged", "Muro 1,5 m", "Muro 1,5 m"},
        EncodingCase{"a_grave", "à", "\xE0"}, EncodingCase{"capital_o_stroke", "Ø", "\xD8"},
        EncodingCase{"small_o_stroke", "ø", "\xF8"}, EncodingCase{"euro_sign", "€", "\x80"},
        EncodingCase{"latin1_range", "\u00A0°ÿ", "\xA0\xB0\xFF"},
        EncodingCase{"quotes_and_dashes", "‚„…–—‘’“”", "\x82\x84\x85\x96\x97\x91\x92\x93\x94"},
        EncodingCase{"other_high_controls", "ƒ†‡ˆ‰Š‹ŒŽ•˜™š›œžŸ",
                     "\x83\x86\x87\x88\x89\x8A\x8B\x8C\x8E\x95\x98\x99\x9A\x9B\x9C\x9E\x9F"},
        EncodingCase{"greek_phi_is_not_held", "φ'", "?'"},
        EncodingCase{"c1_controls_are_not_held", "\u0081\u008D\u0090", "???"},
        EncodingCase{"emoji_is_one_question_mark", "a\U0001F600b", "a?b"},
        EncodingCase{"stray_continuation_byte",
                     "a\x80"
                     "b",
                     "a?b"},
        EncodingCase{"truncated_sequence_at_end", "a\xC3", "a?"},
        EncodingCase{"truncated_sequence_before_ascii",
                     "\xE2\x82"
                     "b",
                     "?b"},
        EncodingCase{"overlong_slash", "\xC0\xAF", "??"},
        EncodingCase{"overlong_three_bytes", "\xE0\x80\xAF", "?"},
        EncodingCase{"utf16_surrogate", "\xED\xA0\x80", "?"},
        EncodingCase{"beyond_unicode", "\xF4\x90\x80\x80", "?"}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(FailureMessage, NamesTheReportAndTheCause) {
  EXPECT_EQ(report_failure_message(Failure::fuori_intervallo),
            "Impossibile preparare la relazione: un valore da stampare supera il massimo valore "
            "rappresentabile.");
  EXPECT_EQ(report_failure_message(Failure::non_numero),
            "Impossibile preparare la relazione: un valore da stampare non è un numero valido.");
}

}  // namespace
}  // namespace fondara::report
