#include "output/report_text.h"

#include <gtest/gtest.h>

#include "row_name.h"

namespace fondara::output {
namespace {

Statement text(std::string value, End end = End::line_break) {
  return {{std::move(value)}, end};
}

TEST(WriteLines, OpenLinesContinueAndEachLineTakesTheSizeInForceWhenItEnds) {
  const Report report = {text("Si ottiene", End::open_line),
                         text(" allo SLU:"),
                         {},
                         FontSize{8},
                         Statement{{std::string("L      = "), 10.0f, std::string(" m")}},
                         text("aperta", End::open_line),
                         FontSize{12},
                         {}};
  const auto lines = write_lines(report, 10);
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(lines[0].text, "Si ottiene allo SLU:");
  EXPECT_EQ(lines[1].text, "");
  EXPECT_EQ(lines[1].points, 10);
  EXPECT_EQ(lines[2].text, "L      =  10  m");
  EXPECT_EQ(lines[2].points, 8);
  EXPECT_EQ(lines[3].text, "aperta");
  EXPECT_EQ(lines[3].points, 12);
}

TEST(FileBytes, LinesEndInCrLfInWindows1252AndAFinalOpenLineHasNone) {
  EXPECT_EQ(file_bytes({text("profondità Ø ø"), {}, FontSize{8}, {}}),
            "profondit\xE0 \xD8 \xF8\r\n\r\n\r\n");
  EXPECT_EQ(file_bytes({text("a"), text("b", End::open_line)}), "a\r\nb");
}

struct EncodingRow {
  const char* name;
  std::string utf8;
  std::string expected;
};

// clang-format off
const EncodingRow rows[] = {
    {"ascii_unchanged", "Muro 1,5 m", "Muro 1,5 m"},
    {"latin1_range", "à Ø ø \u00A0°ÿ", "\xE0 \xD8 \xF8 \xA0\xB0\xFF"},
    {"euro_quotes_and_dashes", "€‚„…–—‘’“”", "\x80\x82\x84\x85\x96\x97\x91\x92\x93\x94"},
    {"other_high_controls", "ƒ†‡ˆ‰Š‹ŒŽ•˜™š›œžŸ",
     "\x83\x86\x87\x88\x89\x8A\x8B\x8C\x8E\x95\x98\x99\x9A\x9B\x9C\x9E\x9F"},
    {"greek_phi_is_not_held", "φ'", "?'"},
    {"low_byte_of_a_digit_is_not_the_digit", "\u2130\u0130", "??"},
    {"c1_controls_are_not_held", "\u0081\u008D\u0090", "???"},
    {"emoji_is_one_question_mark", "a\U0001F600b", "a?b"},
    {"stray_continuation_byte", "a\x80" "b", "a?b"},
    {"truncated_sequence_at_the_end", "a\xC3", "a?"},
    {"truncated_sequence_before_ascii", "\xE2\x82" "b", "?b"},
    {"overlong_slash", "\xC0\xAF", "??"},
    {"overlong_in_three_bytes", "\xE0\x80\xAF", "?"},
    {"utf16_surrogate", "\xED\xA0\x80", "?"},
    {"beyond_unicode", "\xF4\x90\x80\x80", "?"},
};
// clang-format on

class Windows1252 : public testing::TestWithParam<EncodingRow> {};

TEST_P(Windows1252, HoldsWhatItCanAndWritesQuestionMarksForTheRest) {
  EXPECT_EQ(encode_windows1252(GetParam().utf8), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Texts, Windows1252, testing::ValuesIn(rows), testing_support::RowName{});

TEST(ReportTitle, NamesTheKind) {
  EXPECT_EQ(report_title("terreni coesivi"), "Relazione di calcolo - terreni coesivi");
}

}  // namespace
}  // namespace fondara::output
