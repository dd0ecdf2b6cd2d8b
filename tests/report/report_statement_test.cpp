#include <gtest/gtest.h>

#include "report/builder.h"
#include "report/statement.h"

namespace fondara::report {
namespace {

Statement text(std::string value, End end = End::line_break) {
  return {{std::move(value)}, end};
}

TEST(NumberItem, WritesTheSignPositionTheNumberAndOneBlank) {
  const struct {
    const char* name;
    Item item;
    const char* expected;
  } rows[] = {
      {"whole float", 5.0f, " 5 "},
      {"float nearest 2,88 keeps two decimals", 2.88f, " 2,88 "},
      {"below one with a leading zero", 0.84f, " 0,84 "},
      {"negative takes the sign position", -1.5f, "-1,5 "},
      {"seven digits leave no fraction", 28800.003f, " 28800 "},
      {"float rounded to seven digits", 0.57735026f, " 0,5773503 "},
      {"whole double", 30.0, " 30 "},
      {"double of fifteen digits", 1.0 / 3.0, " 0,333333333333333 "},
      {"text unchanged", std::string(" a  b "), " a  b "},
  };
  for (const auto& row : rows) EXPECT_EQ(item_text(row.item), row.expected) << row.name;
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

TEST(Encoding, MapsUtf8ToWindows1252AndWhatItCannotHoldToQuestionMarks) {
  const struct {
    const char* name;
    std::string utf8;
    std::string expected;
  } rows[] = {
      {"ascii unchanged", "Muro 1,5 m", "Muro 1,5 m"},
      {"latin-1 range", "à Ø ø \u00A0°ÿ", "\xE0 \xD8 \xF8 \xA0\xB0\xFF"},
      {"euro, quotes and dashes", "€‚„…–—‘’“”", "\x80\x82\x84\x85\x96\x97\x91\x92\x93\x94"},
      {"other high controls", "ƒ†‡ˆ‰Š‹ŒŽ•˜™š›œžŸ",
       "\x83\x86\x87\x88\x89\x8A\x8B\x8C\x8E\x95\x98\x99\x9A\x9B\x9C\x9E\x9F"},
      {"greek phi is not held", "φ'", "?'"},
      {"c1 controls are not held", "\u0081\u008D\u0090", "???"},
      {"emoji is one question mark", "a\U0001F600b", "a?b"},
      {"stray continuation byte",
       "a\x80"
       "b",
       "a?b"},
      {"truncated sequence at the end", "a\xC3", "a?"},
      {"truncated sequence before ascii",
       "\xE2\x82"
       "b",
       "?b"},
      {"overlong slash", "\xC0\xAF", "??"},
      {"overlong in three bytes", "\xE0\x80\xAF", "?"},
      {"utf-16 surrogate", "\xED\xA0\x80", "?"},
      {"beyond unicode", "\xF4\x90\x80\x80", "?"},
  };
  for (const auto& row : rows) EXPECT_EQ(encode_windows1252(row.utf8), row.expected) << row.name;
}

TEST(FailureMessage, NamesTheReportAndTheCause) {
  EXPECT_EQ(report_failure_message(Failure::fuori_intervallo),
            "Impossibile preparare la relazione: un valore da stampare supera il massimo valore "
            "rappresentabile.");
  EXPECT_EQ(report_failure_message(Failure::non_numero),
            "Impossibile preparare la relazione: un valore da stampare non è un numero valido.");
}

}  // namespace
}  // namespace fondara::report
