// The verification kind from its fields' texts: what is read and what is refused, and the
// report of several combinations.
#include <gtest/gtest.h>

#include "output/report_text.h"
#include "row_name.h"
#include "test_data.h"
#include "verifica/kind.h"

namespace fondara::verifica {
namespace {

// The footing and soil of a published spreadsheet example of EN 1997-1 Annex D, with its set.
const FieldTexts annex_d = {{"condizioni", "drenate"},  {"larghezza", "1"}, {"lunghezza", "6"},
                            {"profondita", "0,75"},     {"angolo", "30"},   {"peso_terreno", "10"},
                            {"approccio", "EC7-DA1-C1"}};
// Its combination, and two more as the window gives them, with empty cells.
const std::vector<FieldTexts> combinations = {
    {{"N", "200"}, {"MB", "30"}, {"ML", "88"}, {"HB", "60"}, {"HL", "30"}},
    {{"N", "150"}, {"MB", "-10"}, {"ML", ""}, {"HB", ""}, {"HL", "-20"}},
    {{"N", "1000"}, {"MB", "60"}, {"ML", "-150"}, {"HB", "80"}, {"HL", ""}}};

TEST(VerificationKind, ReportsEveryCombinationAndTheGoverningOne) {
  CalculationData data{&verifica_kind(), Source::window, annex_d, combinations};
  const auto three = verifica_kind().calculate(data);
  ASSERT_TRUE(three.ok()) << three.error().message;
  EXPECT_EQ(test::file_text(three->report(Version::file, "Plinto P1 - combinazioni SLU")),
            test::read_data("verifica_tre_combinazioni.txt"));
  // A refused combination has its row and its place in the verdict; one whose load leaves the
  // kern (eB = 0,2 > B/6) has the note of the partial base, after its effective sides.
  data.combinations.push_back({{"N", "200"}, {"MB", "-80"}});
  data.combinations.push_back({{"N", "200"}, {"MB", "-40"}});
  const auto five = verifica_kind().calculate(data);
  ASSERT_TRUE(five.ok()) << five.error().message;
  ASSERT_EQ(five->checks, 5u);
  EXPECT_TRUE(five->refused);
  const std::string bytes = test::file_text(five->report(Version::file, ""));
  for (const char* line :
       {"\r\nCombinazione 5\r\neB = 0,200 m   eL = 0,000 m   B' = 0,600 m   L' = 6,000 m   A' = "
        "3,600 m\xB2\r\nBase parzializzata: il carico cade fuori dal nocciolo centrale "
        "d'inerzia.\r\n",
        "\r\nCombinazione 4\r\nVerifica non eseguita:\r\nEccentricit\xE0 oltre un terzo del lato",
        "\r\nESITO DELLA FONDAZIONE: NON VERIFICATA (carico limite, non calcolabile)\r\n"})
    EXPECT_NE(bytes.find(line), std::string::npos) << line;
}

// A report of hundreds of checks comes in parts, which make the whole report's bytes.
TEST(VerificationKind, ReportInPartsIsTheWholeReport) {
  CalculationData data{&verifica_kind(), Source::window, annex_d, {}};
  for (int i = 0; i < 300; ++i) data.combinations.push_back({{"N", std::to_string(150 + i)}});
  const auto calculation = verifica_kind().calculate(data);
  ASSERT_TRUE(calculation.ok());
  int parts = 0;
  ASSERT_TRUE(each_report_part(*calculation, Version::file, "d", [&parts](Report&&) { ++parts; }));
  EXPECT_GT(parts, 2);
  EXPECT_EQ(*output::file_bytes(*calculation, "d"),
            output::file_bytes(*calculation->report(Version::file, "d")));
}

struct ReadRow {
  const char* name;
  FieldTexts changes;
  std::string expected;  // the problem's message, or "" when the check runs
  ProblemType type = ProblemType::bad_input;
};

// clang-format off
const ReadRow read_rows[] = {
    {"minus_on_moments_and_horizontal_loads", {{"MB", "-30"}, {"ML", "-88"}, {"HB", "-60"}, {"HL", "-30"}}, ""},
    {"empty_optional_loads_are_zero", {{"MB", ""}, {"HB", " "}}, ""},
    {"undrained_ignores_the_drained_fields", {{"condizioni", "non_drenate"}, {"coesione_non_drenata", "50"}, {"angolo", "x"}}, ""},
    {"minus_on_the_vertical_load", {{"N", "-200"}}, "Il valore di N non è un numero: \"-200\"."},
    {"unknown_set", {{"approccio", "EC7-DA4"}}, "Il campo approccio vale NTC2018-A2, NTC2018-SISMA, EC7-DA1-C1, EC7-DA1-C2, EC7-DA2 o EC7-DA3, non \"EC7-DA4\"."},
    {"drained_without_angle", {{"angolo", ""}}, "Manca il campo angolo: φ'k, angolo di attrito caratteristico (gradi), condizioni drenate, da più di 0 a 50."},
    {"undrained_without_strength", {{"condizioni", "non_drenate"}}, "Manca il campo coesione_non_drenata: cu,k, coesione non drenata caratteristica (kPa), condizioni non drenate."},
    {"water_table_without_saturated_weight", {{"falda", "0,5"}}, "Manca il campo peso_saturo: γsat, peso di volume del terreno saturo, sotto falda (kN/m³), condizioni drenate, con la falda."},
    {"eccentricity_beyond_a_third", {{"ML", "500"}}, "Eccentricità oltre un terzo del lato: la verifica richiede provvedimenti particolari (EN 1997-1, 6.5.4).", ProblemType::not_computable},
};
// clang-format on
class VerificationReading : public testing::TestWithParam<ReadRow> {};
// One combination in the texts, as the terminal and a CSV row give it.
TEST_P(VerificationReading, RunsTheCheckOrNamesTheProblem) {
  FieldTexts texts = annex_d;
  for (const auto& [name, text] : combinations[0]) texts[name] = text;
  for (const auto& [name, text] : GetParam().changes) texts[name] = text;
  const auto calculation = verifica_kind().compute(texts, Source::terminal);
  EXPECT_EQ(calculation.ok() ? "" : calculation.error().message, GetParam().expected);
  if (!calculation.ok()) {
    EXPECT_EQ(calculation.error().type, GetParam().type);
  }
}

INSTANTIATE_TEST_SUITE_P(Texts, VerificationReading, testing::ValuesIn(read_rows),
                         testing_support::RowName{});

}  // namespace
}  // namespace fondara::verifica
