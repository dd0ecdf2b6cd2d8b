// Reading a kind's fields by name: the values, the fallbacks of optional fields, and the
// first problem with its words.
#include "core/field_reader.h"

#include <array>

#include "row_name.h"
#include "text_row.h"

namespace fondara::test {
namespace {

const Choice water[] = {{"SI"}, {"NO"}};
const Choice sets[] = {{"A2", "primo"}, {"DA1", "secondo"}, {"DA3", "terzo"}};
const FieldText kL{"lunghezza", "lunghezza", "L", "lunghezza della fondazione", "m", ""};
const FieldText kFalda{"falda", "", "", "sotto falda", "", "SI oppure NO"};
const std::array fields{
    Field{.text = kL},
    Field{.text = {"coefficiente", "", "γR", "coefficiente", ""}, .fallback = "2,3"},
    Field{.text = kFalda, .type = FieldType::choice, .fallback = "NO", .choices = water},
    Field{.text = {"insieme", "", "", "insieme", ""}, .type = FieldType::choice, .choices = sets},
    Field{.text = {"descrizione", "", "", "descrizione", ""},
          .type = FieldType::text,
          .fallback = ""},
};

// Every field read in turn: their values, or the first problem met.
std::string read(const FieldTexts& texts, Source source) {
  FieldReader reader(fields, texts, source);
  std::string values = shown<float>(reader.number("lunghezza"));
  values += ' ' + shown<float>(reader.number("coefficiente"));
  values += ' ' + std::to_string(reader.choice("falda"));
  values += ' ' + std::to_string(reader.choice("insieme"));
  values += ' ' + reader.description();
  return reader.problem() ? reader.problem()->message : values;
}

// clang-format off
const TextRow rows[] = {
    {"every_field_given", read({{"lunghezza", "1.000,5"}, {"coefficiente", "3"}, {"falda", "si"},
     {"insieme", "DA3"}, {"descrizione", "Muro"}}, Source::window), "1000.5 3 0 2 Muro"},
    {"terminal_dot_is_a_comma_and_blank_optional_fields_fall_back", read({{"lunghezza", "2.5"},
     {"coefficiente", "  "}, {"insieme", "a2"}}, Source::terminal), "2.5 2.3 1 0 "},
    {"missing_required_field_named_with_its_help", read({{"insieme", "A2"}}, Source::terminal),
     "Manca il campo lunghezza: L, lunghezza della fondazione (m)."},
    {"first_problem_stands_its_text_escaped",
     read({{"lunghezza", "x\n"}, {"coefficiente", "y"}}, Source::terminal),
     "Il valore di lunghezza non è un numero: \"x\\n\"."},
    {"ambiguous_thousands_with_both_readings",
     read({{"lunghezza", " 1.800 "}, {"insieme", "A2"}}, Source::terminal),
     "Il valore di lunghezza è ambiguo: \"1.800\". Scrivere 1800 oppure 1,8."},
    {"unknown_choice", read({{"lunghezza", "1"}, {"insieme", "DA2"}}, Source::terminal),
     "Il campo insieme vale A2, DA1 o DA3, non \"DA2\"."},
    {"description_with_a_line_break_from_the_terminal",
     read({{"lunghezza", "1"}, {"insieme", "A2"}, {"descrizione", "a\nb"}}, Source::terminal),
     "La descrizione non può contenere a capo, tabulazioni o altri caratteri di controllo."},
    {"description_from_a_window_under_the_same_rules",
     read({{"lunghezza", "1"}, {"insieme", "A2"}, {"descrizione", "a\tb"}}, Source::window),
     "La descrizione non può contenere a capo, tabulazioni o altri caratteri di controllo."},
    {"spoken_name", spoken_name(kL), "Lunghezza della fondazione L (m)"},
    {"help_line", help_line(kL), "L, lunghezza della fondazione (m)"},
    {"spoken_name_without_symbol", spoken_name(kFalda), "Sotto falda"},
    {"help_line_with_choices", help_line(kFalda), "sotto falda, SI oppure NO"},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(Fields, CoreText, testing::ValuesIn(rows), testing_support::RowName{});

TEST(Problems, ReadingEmptiesNothingLengthBelowWidthEmptiesLAndB) {
  const FieldTexts none;
  FieldReader reader(fields, none, Source::terminal);
  reader.number("lunghezza");
  ASSERT_TRUE(reader.problem());
  EXPECT_EQ(reader.problem()->type, ProblemType::bad_input);
  EXPECT_TRUE(reader.problem()->emptied.empty());
  const Problem problem = length_below_width();
  EXPECT_EQ(problem.type, ProblemType::not_computable);
  EXPECT_EQ(problem.message, "La lunghezza deve essere superiore alla larghezza");
  EXPECT_EQ(problem.emptied, (std::vector<std::string_view>{"lunghezza", "larghezza"}));
}

}  // namespace
}  // namespace fondara::test
