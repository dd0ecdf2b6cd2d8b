// Report statements to lines and to the bytes of a report file, in Windows-1252.
#include "output/report_text.h"

#include <gtest/gtest.h>

#include "row_name.h"

namespace fondara::output {
namespace {

Statement text(std::string value, End end = End::line_break) {
  return {{std::move(value)}, end};
}

TEST(ReportText, OpenLinesContinueAndEachLineTakesTheSizeInForceWhenItEnds) {
  // clang-format off
  const Report report = {text("Si ottiene", End::open_line), text(" allo SLU:"), {}, FontSize{8},
      Statement{{std::string("L      = "), 10.0f, std::string(" m")}}, text("aperta", End::open_line), FontSize{12}, {}};
  // clang-format on
  std::vector<std::pair<std::string, int>> lines;
  for (const Line& line : write_lines(report, 10)) lines.emplace_back(line.text, line.points);
  EXPECT_EQ(lines,
            (decltype(lines){
                {"Si ottiene allo SLU:", 10}, {"", 10}, {"L      =  10  m", 8}, {"aperta", 12}}));
  // A final open line has no line end.
  EXPECT_EQ(file_bytes({text("a"), {}, FontSize{8}, text("b", End::open_line)}), "a\r\n\r\nb");
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
    {"euro_quotes_dashes_and_the_other_high_controls", "€‚ƒ„…†‡ˆ‰Š‹ŒŽ‘’“”•–—˜™š›œžŸ",
     "\x80\x82\x83\x84\x85\x86\x87\x88\x89\x8A\x8B\x8C\x8E\x91\x92\x93\x94\x95\x96\x97\x98\x99\x9A"
     "\x9B\x9C\x9E\x9F"},
    {"greek_a_digit_s_low_byte_and_emoji_are_not_held", "φ'\u2130\U0001F600", "?'??"},
    {"c1_controls_are_not_held", "\u0081\u008D\u0090", "???"},
    {"invalid_lead_bytes", "a\x80" "b\xC0\xAF", "a?b??"},
    {"truncated_sequences", "\xE2\x82" "b\xC3", "?b?"},
    {"overlong_form", "\xE0\x80\xAF", "?"},
};
// clang-format on

class Windows1252 : public testing::TestWithParam<EncodingRow> {};

TEST_P(Windows1252, HoldsWhatItCanAndWritesQuestionMarksForTheRest) {
  EXPECT_EQ(encode_windows1252(GetParam().utf8), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Texts, Windows1252, testing::ValuesIn(rows), testing_support::RowName{});

}  // namespace
}  // namespace fondara::output
