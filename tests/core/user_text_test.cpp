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
    {"c1_and_bidi_controls_escaped", "\xC2\x9B\xE2\x80\xAE", "\"\\u{009B}\\u{202E}\""},
    {"spaces_other_than_the_blank_escaped", "10\xC2\xA0 \xE3\x80\x80\xE2\x80\xAF",
     "\"10\\u{00A0} \\u{3000}\\u{202F}\""},
    {"zero_width_and_byte_order_mark_escaped",
     "1\xE2\x80\x8B"
     "0\xEF\xBB\xBF\xC2\xAD",
     "\"1\\u{200B}0\\u{FEFF}\\u{00AD}\""},
    {"fillers_selectors_and_tags_escaped",
     "\xE3\x85\xA4\xEF\xB8\x8F\xF3\xA0\x80\x81\xF3\xA0\xBF\xBF",
     "\"\\u{3164}\\u{FE0F}\\u{E0001}\\u{E0FFF}\""},
    {"neighbours_of_escaped_ranges_pass", "\xC2\xA1\xE2\x80\x90\xE2\x80\xB0\xEF\xBF\xBC",
     "\"¡‐‰\xEF\xBF\xBC\""},
    {"invalid_utf8_replaced", "\xff\xC0\xAF\xED\xA0\x80\xE2\x82", '"' + replaced(8) + '"'},
    {"sixty_characters_kept_whole", x59 + "x", '"' + x59 + "x\""},
    {"longer_text_cut", x59 + "àè", '"' + x59 + "à…\""},
};

class SafeQuoted : public testing::TestWithParam<QuotedRow> {};

TEST_P(SafeQuoted, IsOneSafeLine) {
  EXPECT_EQ(safe_quoted(GetParam().text), GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(Texts, SafeQuoted, testing::ValuesIn(rows), testing_support::RowName{});

// Descriptions from the terminal: one Italian message for each cause.
struct DescriptionRow {
  const char* name;
  std::string text;
  std::optional<std::string> problem;
};

const std::string kControl =
    "La descrizione non può contenere a capo, tabulazioni o altri caratteri di controllo.";
const std::string kC1 =
    "La descrizione non può contenere caratteri di controllo C1 (da U+0080 a U+009F).";
const std::string kDirection =
    "La descrizione non può contenere caratteri che cambiano la direzione del testo (da U+202A "
    "a U+202E, da U+2066 a U+2069).";
const std::string kNotUtf8 = "La descrizione non è testo UTF-8 valido.";

const DescriptionRow descriptions[] = {
    {"accents_symbols_and_invisible_spaces_pass", "Plinto à φ' \xC2\xA0\xE2\x80\x8B", {}},
    {"line_break", "a\nb", kControl},
    {"delete", "a\x7F", kControl},
    {"control_sequence_introducer",
     "a\xC2\x9B"
     "2J",
     kC1},
    {"last_c1_control", "\xC2\x9F", kC1},
    {"right_to_left_override", "a\xE2\x80\xAE", kDirection},
    {"left_to_right_embedding", "\xE2\x80\xAA", kDirection},
    {"left_to_right_isolate", "\xE2\x81\xA6", kDirection},
    {"pop_directional_isolate", "\xE2\x81\xA9", kDirection},
    {"lone_byte_ff", "a\xFF", kNotUtf8},
    {"truncated_sequence", "a\xE2\x80", kNotUtf8},
    {"first_cause_met_counts", "\xE2\x80\xAE\n", kDirection},
};

class DescriptionProblem : public testing::TestWithParam<DescriptionRow> {};

TEST_P(DescriptionProblem, NamesItsCause) {
  EXPECT_EQ(description_problem(GetParam().text), GetParam().problem);
}

INSTANTIATE_TEST_SUITE_P(Texts, DescriptionProblem, testing::ValuesIn(descriptions),
                         testing_support::RowName{});

TEST(Alternatives, JoinsWithCommasAndALastO) {
  const auto same = [](const char* word) { return std::string(word); };
  EXPECT_EQ(alternatives(std::vector<const char*>{"SI"}, same), "SI");
  EXPECT_EQ(alternatives(std::vector<const char*>{"SI", "NO"}, same), "SI o NO");
  EXPECT_EQ(alternatives(std::vector<const char*>{"a", "b", "c"}, same), "a, b o c");
}

}  // namespace
}  // namespace fondara
