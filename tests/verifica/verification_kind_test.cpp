// The verification kind from its fields' texts, as the terminal, a CSV row, a window and a
// data file give them: the published example, what is read and what is refused, and the
// report of several combinations.
#include <gtest/gtest.h>

#include "output/report_text.h"
#include "row_name.h"
#include "verifica/kind.h"
#include "verifica/verification_texts.h"

namespace fondara::verifica {
namespace {

// EN 1997-1 Annex D's drained example with an inclined eccentric load.
const FieldTexts annex_d = {{"condizioni", "drenate"},
                            {"larghezza", "1"},
                            {"lunghezza", "6"},
                            {"profondita", "0,75"},
                            {"angolo", "30"},
                            {"peso_terreno", "10"},
                            {"approccio", "EC7-DA1-C1"},
                            {"N", "200"},
                            {"MB", "30"},
                            {"ML", "88"},
                            {"HB", "60"},
                            {"HL", "30"}};

FieldTexts with(FieldTexts texts, const FieldTexts& changes) {
  for (const auto& [name, text] : changes) texts[name] = text;
  return texts;
}

std::string column(const Calculation& calculation, std::string_view name) {
  return calculation.results[column_index(name)];
}

TEST(VerificationKind, ReproducesTheAnnexDExampleFromItsTexts) {
  const auto calculation = verifica_kind().compute(annex_d, Source::terminal);
  ASSERT_TRUE(calculation.ok()) << calculation.error().message;
  EXPECT_EQ(column(*calculation, "B_eff"), "0,700");
  EXPECT_EQ(column(*calculation, "L_eff"), "5,120");
  EXPECT_TRUE(column(*calculation, "m").starts_with("1,72"));  // published 1,73
  EXPECT_EQ(column(*calculation, "U"), "0,588");
  EXPECT_EQ(column(*calculation, "esito"), "VERIFICATA");
}

struct ReadRow {
  const char* name;
  FieldTexts changes;
  std::string expected;  // the problem's message, or "" when the check runs
  ProblemType type = ProblemType::bad_input;
};

const ReadRow read_rows[] = {
    {"point_as_decimal_comma", {{"profondita", "0.75"}}, ""},
    {"minus_on_moments_and_horizontal_loads",
     {{"MB", "-30"}, {"ML", "-88"}, {"HB", "-60"}, {"HL", "-30"}},
     ""},
    {"empty_optional_loads_are_zero", {{"MB", ""}, {"HB", " "}}, ""},
    {"undrained_ignores_the_drained_fields",
     {{"condizioni", "non_drenate"}, {"coesione_non_drenata", "50"}, {"angolo", "x"}},
     ""},
    {"set_case_insensitive", {{"approccio", "ec7-da2"}}, ""},
    {"minus_on_the_vertical_load", {{"N", "-200"}}, "Il valore di N non è un numero: \"-200\"."},
    {"ambiguous_thousands",
     {{"N", "1.800"}},
     "Il valore di N è ambiguo: \"1.800\". Scrivere 1800 oppure 1,8."},
    {"unknown_set",
     {{"approccio", "EC7-DA4"}},
     "Il campo approccio vale NTC2018-A2, NTC2018-SISMA, EC7-DA1-C1, EC7-DA1-C2, EC7-DA2 o "
     "EC7-DA3, non \"EC7-DA4\"."},
    {"drained_without_angle",
     {{"angolo", ""}},
     "Manca il campo angolo: φ'k, angolo di attrito caratteristico (gradi), condizioni drenate, "
     "da più di 0 a 50."},
    {"undrained_without_strength",
     {{"condizioni", "non_drenate"}},
     "Manca il campo coesione_non_drenata: cu,k, coesione non drenata caratteristica (kPa), "
     "condizioni non drenate."},
    {"water_table_without_saturated_weight",
     {{"falda", "0,5"}},
     "Manca il campo peso_saturo: γsat, peso di volume del terreno saturo, sotto falda (kN/m³), "
     "condizioni drenate, con la falda."},
    {"length_below_width",
     {{"lunghezza", "0,5"}},
     "Il valore di lunghezza deve essere non minore di larghezza."},
    {"eccentricity_beyond_a_third",
     {{"ML", "500"}},
     "Eccentricità oltre un terzo del lato: la verifica richiede provvedimenti particolari "
     "(EN 1997-1, 6.5.4).",
     ProblemType::not_computable},
};

class VerificationReading : public testing::TestWithParam<ReadRow> {};

TEST_P(VerificationReading, RunsTheCheckOrNamesTheProblem) {
  const auto calculation =
      verifica_kind().compute(with(annex_d, GetParam().changes), Source::terminal);
  if (GetParam().expected.empty()) {
    EXPECT_TRUE(calculation.ok()) << calculation.error().message;
    return;
  }
  ASSERT_FALSE(calculation.ok());
  EXPECT_EQ(calculation.error().message, GetParam().expected);
  EXPECT_EQ(calculation.error().type, GetParam().type);
}

INSTANTIATE_TEST_SUITE_P(Texts, VerificationReading, testing::ValuesIn(read_rows),
                         testing_support::RowName{});

// Three combinations, one refused, one failing: each has its row, the report states them and
// names the governing one.
TEST(VerificationKind, ReportsEveryCombinationAndTheGoverningOne) {
  FieldTexts footing = annex_d;
  for (const char* load : {"N", "MB", "ML", "HB", "HL"}) footing.erase(load);
  const std::vector<FieldTexts> combinations = {
      {{"N", "200"}, {"MB", "30"}, {"ML", "88"}, {"HB", "60"}, {"HL", "30"}},
      {{"N", "200"}, {"MB", "-80"}},
      {{"N", "1000"}, {"MB", "150"}}};
  const auto calculation = verifica_kind().calculate(footing, combinations, Source::window);
  ASSERT_TRUE(calculation.ok()) << calculation.error().message;
  ASSERT_EQ(calculation->combinations.size(), 3u);
  const std::size_t esito = column_index("esito");
  EXPECT_EQ(calculation->combinations[0][esito], "VERIFICATA");
  EXPECT_TRUE(calculation->combinations[1][esito].starts_with("Eccentricità oltre un terzo"));
  EXPECT_EQ(calculation->combinations[2][esito], "NON VERIFICATA (carico limite)");
  const auto report = calculation->report(Version::file, "Plinto P1 — 2 m²");
  ASSERT_TRUE(report.ok());
  const std::string bytes = output::file_bytes(*report);
  for (const char* line :
       {"DESCRIZIONE: Plinto P1 \x97 2 m\xB2\r\n",
        "COEFFICIENTI PARZIALI: EN 1997-1 DA1, combinazione 1: A1+M1+R1 [EC7-DA1-C1]\r\n",
        "Combinazione 2\r\nVerifica non eseguita:\r\n", "COMBINAZIONE DETERMINANTE: 3 (U = ",
        "ESITO DELLA VERIFICA: NON VERIFICATA (combinazioni 2, 3)\r\n"})
    EXPECT_NE(bytes.find(line), std::string::npos) << line;
}

}  // namespace
}  // namespace fondara::verifica
