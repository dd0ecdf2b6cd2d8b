// Texts from the user shown back as one safe line, and the causes a description is refused for.
#include "core/user_text.h"

#include "row_name.h"
#include "text_row.h"

namespace fondara::test {
namespace {

const std::string kFFFD = "\xEF\xBF\xBD", x59(59, 'x');
const std::string kDescription = "La descrizione non può contenere ";
const std::string kControl = kDescription + "a capo, tabulazioni o altri caratteri di controllo.";
const std::string kC1 = kDescription + "caratteri di controllo C1 (da U+0080 a U+009F).";
const std::string kDirection =
    kDescription +
    "caratteri che cambiano la direzione del testo (da U+202A a U+202E, da U+2066 a U+2069).";

std::string problem(const std::string& text) {
  const auto checked = check_description(text);
  return checked ? "none" : checked.error();
}

std::string joined(std::vector<const char*> words) {
  return alternatives(words, [](const char* word) { return std::string(word); });
}

// clang-format off
const TextRow rows[] = {
    {"quoted_controls_escaped", safe_quoted("a\x1b[2J\n\r\t\x7f"), "\"a\\e[2J\\n\\r\\t\\x7f\""},
    {"quoted_c1_and_bidi_controls_escaped", safe_quoted("\xC2\x9B\xE2\x80\xAE"),
     "\"\\u{009B}\\u{202E}\""},
    {"quoted_spaces_other_than_the_blank_escaped",
     safe_quoted("10\xC2\xA0 \xE3\x80\x80\xE2\x80\xAF"), "\"10\\u{00A0} \\u{3000}\\u{202F}\""},
    {"quoted_zero_width_and_byte_order_mark_escaped",
     safe_quoted("1\xE2\x80\x8B" "0\xEF\xBB\xBF\xC2\xAD"),
     "\"1\\u{200B}0\\u{FEFF}\\u{00AD}\""},
    {"quoted_fillers_selectors_and_tags_escaped",
     safe_quoted("\xE3\x85\xA4\xEF\xB8\x8F\xF3\xA0\x80\x81\xF3\xA0\xBF\xBF"),
     "\"\\u{3164}\\u{FE0F}\\u{E0001}\\u{E0FFF}\""},
    {"quoted_neighbours_of_escaped_ranges_pass",
     safe_quoted("\xC2\xA1\xE2\x80\x90\xE2\x80\xB0\xEF\xBF\xBC"), "\"¡‐‰\xEF\xBF\xBC\""},
    {"quoted_invalid_utf8_replaced", safe_quoted("\xff\xC0\xAF\xED\xA0\x80\xE2\x82"),
     '"' + kFFFD + kFFFD + kFFFD + kFFFD + kFFFD + kFFFD + kFFFD + kFFFD + '"'},
    {"quoted_sixty_characters_kept_whole", safe_quoted(x59 + "x"), '"' + x59 + "x\""},
    {"quoted_longer_text_cut", safe_quoted(x59 + "àè"), '"' + x59 + "à…\""},
    {"description_accents_symbols_and_invisible_spaces_pass",
     problem("Plinto à φ' \xC2\xA0\xE2\x80\x8B"), "none"},
    {"description_line_break", problem("a\nb"), kControl},
    {"description_delete", problem("a\x7F"), kControl},
    {"description_last_c1_control", problem("\xC2\x9F"), kC1},
    {"description_right_to_left_override", problem("a\xE2\x80\xAE"), kDirection},
    {"description_left_to_right_embedding", problem("\xE2\x80\xAA"), kDirection},
    {"description_left_to_right_isolate", problem("\xE2\x81\xA6"), kDirection},
    {"description_pop_directional_isolate", problem("\xE2\x81\xA9"), kDirection},
    {"description_not_utf8", problem("a\xFF"), "La descrizione non è testo UTF-8 valido."},
    {"description_first_cause_met_counts", problem("\xE2\x80\xAE\n"), kDirection},
    {"alternatives_one", joined({"SI"}), "SI"},
    {"alternatives_commas_and_a_last_o", joined({"a", "b", "c"}), "a, b o c"},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(UserTexts, CoreText, testing::ValuesIn(rows), testing_support::RowName{});

}  // namespace
}  // namespace fondara::test
