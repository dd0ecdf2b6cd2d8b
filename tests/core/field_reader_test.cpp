// Reading a kind's fields by name: the values, the fallbacks of optional fields, and the
// first problem with its words.
#include "core/field_reader.h"

#include <gtest/gtest.h>

#include <array>

#include "row_name.h"

namespace fondara {
namespace {

const Choice water[] = {{"SI"}, {"NO"}};
const Choice sets[] = {{"A2", "primo"}, {"DA1", "secondo"}, {"DA3", "terzo"}};
const std::array fields{
    Field{.text = {"lunghezza", "lunghezza", "L", "lunghezza della fondazione", "m"}},
    Field{.text = {"coefficiente", "", "γR", "coefficiente", ""}, .fallback = "2,3"},
    Field{.text = {"falda", "", "", "sotto falda", "", "SI oppure NO"},
          .type = FieldType::choice,
          .fallback = "NO",
          .choices = water},
    Field{.text = {"insieme", "", "", "insieme di coefficienti", ""},
          .type = FieldType::choice,
          .choices = sets},
    Field{.text = {"descrizione", "", "", "descrizione", ""},
          .type = FieldType::text,
          .fallback = ""},
};

struct Read {
  float lunghezza = 0, coefficiente = 0;
  std::size_t falda = 0, insieme = 0;
  std::string descrizione;
  std::optional<std::string> problem;
  bool operator==(const Read&) const = default;
};

void PrintTo(const Read& r, std::ostream* out) {
  *out << r.lunghezza << ' ' << r.coefficiente << ' ' << r.falda << ' ' << r.insieme << " \""
       << r.descrizione << "\" " << r.problem.value_or("-");
}

Read read_all(const FieldTexts& texts, Source source) {
  FieldReader reader(fields, texts, source);
  Read r;
  r.lunghezza = reader.number("lunghezza");
  r.coefficiente = reader.number("coefficiente");
  r.falda = reader.choice("falda");
  r.insieme = reader.choice("insieme");
  r.descrizione = reader.description();
  if (reader.problem()) r.problem = reader.problem()->message;
  return r;
}

// A problem met before any value was read: only the problem counts.
Read problem(const char* message) {
  return {0, 0, 0, 0, "", message};
}

struct ReaderRow {
  const char* name;
  FieldTexts texts;
  Source source;
  Read expected;
};

const ReaderRow rows[] = {
    {"every_field_given",
     {{"lunghezza", "1.000,5"},
      {"coefficiente", "3"},
      {"falda", "si"},
      {"insieme", "DA3"},
      {"descrizione", "Muro"}},
     Source::window,
     {1000.5f, 3, 0, 2, "Muro", {}}},
    {"optional_fields_absent_or_blank_take_their_fallback",
     {{"lunghezza", "10"}, {"coefficiente", "  "}, {"insieme", "a2"}},
     Source::terminal,
     {10, 2.3f, 1, 0, "", {}}},
    {"terminal_reads_the_dot_as_comma",
     {{"lunghezza", "2.5"}, {"insieme", "A2"}},
     Source::terminal,
     {2.5f, 2.3f, 1, 0, "", {}}},
    {"missing_required_field_named_with_its_help",
     {{"insieme", "A2"}},
     Source::terminal,
     problem("Manca il campo lunghezza: L, lunghezza della fondazione (m).")},
    {"first_problem_stands",
     {{"lunghezza", "x"}, {"coefficiente", "y"}},
     Source::terminal,
     problem("Il valore di lunghezza non è un numero: \"x\".")},
    {"ambiguous_thousands_with_both_readings",
     {{"lunghezza", " 1.800 "}, {"insieme", "A2"}},
     Source::terminal,
     problem("Il valore di lunghezza è ambiguo: \"1.800\". Scrivere 1800 oppure 1,8.")},
    {"two_choices",
     {{"lunghezza", "1"}, {"falda", "FORSE"}, {"insieme", "A2"}},
     Source::terminal,
     {1, 2.3f, 0, 0, "", "Il campo falda vale SI o NO, non \"FORSE\"."}},
    {"three_choices",
     {{"lunghezza", "1"}, {"insieme", "DA2"}},
     Source::terminal,
     {1, 2.3f, 1, 0, "", "Il campo insieme vale A2, DA1 o DA3, non \"DA2\"."}},
    {"description_with_a_line_break_from_the_terminal",
     {{"lunghezza", "1"}, {"insieme", "A2"}, {"descrizione", "a\nb"}},
     Source::terminal,
     {1, 2.3f, 1, 0, "a\nb",
      "La descrizione non può contenere a capo, tabulazioni o altri caratteri di controllo."}},
    {"description_from_a_window_as_typed",
     {{"lunghezza", "1"}, {"insieme", "A2"}, {"descrizione", "a\tb"}},
     Source::window,
     {1, 2.3f, 1, 0, "a\tb", {}}},
};

class FieldReading : public testing::TestWithParam<ReaderRow> {};

TEST_P(FieldReading, GivesTheValuesOrTheFirstProblem) {
  Read got = read_all(GetParam().texts, GetParam().source);
  // After a problem the values are no longer meaningful; only the problem counts.
  if (GetParam().expected.problem && GetParam().expected.lunghezza == 0)
    got = Read{0, 0, 0, 0, "", got.problem};
  EXPECT_EQ(got, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Texts, FieldReading, testing::ValuesIn(rows), testing_support::RowName{});

TEST(FieldReading, ProblemsAreBadInput) {
  const FieldTexts none;
  FieldReader reader(fields, none, Source::terminal);
  reader.number("lunghezza");
  ASSERT_TRUE(reader.problem());
  EXPECT_EQ(reader.problem()->type, ProblemType::bad_input);
  EXPECT_TRUE(reader.problem()->emptied.empty());
}

TEST(FieldText, SpokenNameAndHelpLine) {
  const FieldText L{"lunghezza", "lunghezza", "L", "lunghezza della fondazione", "m", ""};
  EXPECT_EQ(spoken_name(L), "Lunghezza della fondazione L (m)");
  EXPECT_EQ(help_line(L), "L, lunghezza della fondazione (m)");
  const FieldText falda{"falda", "", "", "terreno sotto falda", "", "SI oppure NO"};
  EXPECT_EQ(spoken_name(falda), "Terreno sotto falda");
  EXPECT_EQ(help_line(falda), "terreno sotto falda, SI oppure NO");
}

TEST(LengthBelowWidth, IsRefusedWithTheWindowsMessageEmptyingLAndB) {
  const Problem problem = length_below_width();
  EXPECT_EQ(problem.type, ProblemType::not_computable);
  EXPECT_EQ(problem.message, "La lunghezza deve essere superiore alla larghezza");
  EXPECT_EQ(problem.emptied, (std::vector<std::string_view>{"lunghezza", "larghezza"}));
}

}  // namespace
}  // namespace fondara
