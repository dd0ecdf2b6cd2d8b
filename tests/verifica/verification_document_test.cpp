// The verification's typeset report as a document: its sections in order, the summary rows
// against the typed results, and the validation cases, recomputed, within their tolerances or
// shown outside them in red and in words. The shipped data files reproduce the cases.
#include "verifica/verification_document.h"

#include <gtest/gtest.h>

#include "core/data_file.h"
#include "test_data.h"
#include "verifica/verification_texts.h"

namespace fondara::verifica {
namespace {

const ProgramIdentity kProgram{"Fondara", "3.0.0", "abc"};

std::string text_of(const Runs& runs) {
  std::string text;
  for (const Run& run : runs) text += run.text;
  return text;
}

// A footing checked in both conditions under generated static and seismic combinations, one
// of them failing.
FootingCalculation footing_calculation(const std::string& data_file) {
  const Kind* kinds[] = {&verifica_kind()};
  const auto data = read_data_file(test::read_file(data_file), kinds);
  EXPECT_TRUE(data.ok()) << data.error().cause;
  auto calculation = calculate_footing(*data);
  EXPECT_TRUE(calculation.ok()) << calculation.error().message;
  return *std::move(calculation);
}

const Table& table_headed(const Document& document, std::string_view first_header) {
  for (const Block& block : document.blocks)
    if (const auto* table = std::get_if<Table>(&block);
        table && !table->rows.empty() && text_of(table->rows[0][0].runs) == first_header)
      return *table;
  ADD_FAILURE() << "no table headed " << first_header;
  static const Table none;
  return none;
}

class VerificationDocument : public testing::Test {
 protected:
  FootingCalculation calculation =
      footing_calculation(FONDARA_TEST_DATA_DIR "/plinto_p12_progetto.fondara");
};

TEST_F(VerificationDocument, HasItsSectionsInOrderAndTheProjectInItsTitleBlock) {
  calculation.project.data.clear();  // today, when the project gives no date
  const Document document = verification_document(calculation, "Plinto", kProgram, "07/12/2026");
  std::vector<std::string> sections;
  std::string all;
  for (const Block& block : document.blocks) {
    if (const auto* heading = std::get_if<Heading>(&block); heading && heading->level == 1)
      sections.push_back(heading->text);
    if (const auto* table = std::get_if<Table>(&block))
      for (const auto& row : table->rows)
        for (const Cell& cell : row) all += text_of(cell.runs) + '|';
  }
  std::vector<std::string> expected{"Verifica delle fondazioni superficiali"};
  expected.insert(expected.end(), std::begin(kSectionTitles), std::end(kSectionTitles));
  EXPECT_EQ(sections, expected);
  for (const char* fact : {"Opera|Nuova sede uffici, via Roma 12, Cittadella|",
                           "Progettista|Ing. Maria Bianchi|", "Data|07/12/2026|"})
    EXPECT_NE(all.find(fact), std::string::npos) << fact;
  EXPECT_EQ(document.header, "Nuova sede uffici, via Roma 12, Cittadella - plinto P12");
  const auto* signature = std::get_if<Signature>(&document.blocks.back());
  ASSERT_NE(signature, nullptr);
  EXPECT_EQ(signature->name, "Ing. Maria Bianchi");
}

// One row per check with the texts of its typed results; the governing row highlighted, a
// failing one with its verdict in words and in red.
TEST_F(VerificationDocument, SummaryHasOneRowPerCheckWithItsValues) {
  calculation.footing.cu_k = 120;  // the undrained checks of the heaviest combinations fail
  calculation.checks =
      *check_footing(calculation.footing, calculation.actions, std::vector<LoadCombination>{});
  ASSERT_FALSE(calculation.checks.verdict.verified());
  const Document document = verification_document(calculation, "", kProgram, "");
  const Table& summary = table_headed(document, "Ver.");
  const FootingChecks& checks = calculation.checks;
  ASSERT_EQ(summary.rows.size(), summary.header_rows + checks.checks.size());
  for (std::size_t i = 0; i < checks.checks.size(); ++i) {
    SCOPED_TRACE(i);
    const auto& row = summary.rows[summary.header_rows + i];
    const ColumnTexts t = column_texts(checks.checks[i].outcome);
    const bool governing = checks.governing == i;
    EXPECT_EQ(text_of(row[0].runs), (governing ? "★ " : "") + std::to_string(i + 1));
    EXPECT_EQ(row[0].highlight, governing);
    for (const auto& [column, name] :
         {std::pair{4, "B_eff"}, std::pair{5, "L_eff"}, std::pair{6, "R_A"}, std::pair{7, "Rd"},
          std::pair{9, "U"}, std::pair{12, "U_h"}})
      EXPECT_EQ(text_of(row[column].runs), t[column_index(name)]) << name;
    const Cell& verdict = row.back();
    EXPECT_EQ(text_of(verdict.runs), t[column_index("esito")]);
    const bool fails = checks.checks[i].outcome->verdict != Verdict::kVerified;
    EXPECT_EQ((verdict.runs[0].style & kRed) != 0, fails);
  }
}

// A footing of more than a thousand checks lists the governing check and those not verified,
// and says what it leaves out: 1500 combinations, every fifth failing.
TEST_F(VerificationDocument, ThousandsOfChecksListTheGoverningAndTheFailingOnes) {
  std::vector<LoadCombination> typed;
  for (int i = 0; i < 1500; ++i) typed.push_back({.N = i % 5 == 0 ? 60000.0 : 500.0 + i});
  calculation.footing.conditions = Conditions::kDrained;
  calculation.checks = *check_footing(calculation.footing, {}, typed);
  const Document document = verification_document(calculation, "", kProgram, "");
  const Table& summary = table_headed(document, "Ver.");
  EXPECT_EQ(summary.rows.size(), summary.header_rows + 300);  // the governing one fails too
  bool told = false;
  for (const Block& block : document.blocks)
    if (const auto* paragraph = std::get_if<Paragraph>(&block))
      told |= text_of(paragraph->runs).starts_with("La tabella riporta 300 verifiche su 1500");
  EXPECT_TRUE(told);
}

// Every published value is reproduced within its tolerance, and each shipped data file gives
// the check its case describes.
TEST(Validation, EveryCaseWithinItsToleranceAndReproducedByItsDataFile) {
  for (const ValidationResult& result : recompute(validation_cases())) {
    SCOPED_TRACE(std::string(result.from->name) + ", " + std::string(result.value->symbol));
    ASSERT_TRUE(result.computed.has_value());
    EXPECT_TRUE(result.within()) << *result.computed << " against " << result.value->published;
    const FootingCalculation from_file = footing_calculation(
        FONDARA_SOURCE_DIR "/packaging/validazione/" + std::string(result.from->file));
    ASSERT_EQ(from_file.checks.checks.size(), 1u);
    EXPECT_EQ(result.value->computed(*from_file.checks.checks[0].outcome), *result.computed);
  }
}

TEST(Validation, ACaseOutsideItsToleranceIsShownInRedAndInWords) {
  ValidationCase wrong = validation_cases()[0];
  const ValidationValue off[] = {{"N_{q}", 18.50, 0.01, 2, wrong.values[0].computed}};
  wrong.values = off;
  const ValidationCase cases[] = {validation_cases()[1], wrong};
  const Document document = verification_document(
      footing_calculation(FONDARA_TEST_DATA_DIR "/plinto_p12_progetto.fondara"), "", kProgram, "",
      cases);
  const Table& table = table_headed(document, "Caso e fonte");
  ASSERT_EQ(table.rows.size(), 1 + cases[0].values.size() + 1);
  const auto& last = table.rows.back();
  EXPECT_EQ(text_of(last[2].runs), "18,50");
  EXPECT_EQ(text_of(last[3].runs), "18,40");
  EXPECT_EQ(text_of(last.back().runs), kOutsideTolerance);
  EXPECT_TRUE(last.back().runs[0].style & kRed);
  EXPECT_EQ(text_of(table.rows[1].back().runs), "entro la tolleranza");
}

TEST(Formula, SubscriptsAndSuperscriptsAfterTheirMarks) {
  const Runs runs = formula("R_{d,h} = c'_d·tan^2φ", kBold);
  const std::vector<std::pair<std::string, unsigned>> expected{
      {"R", kBold},    {"d,h", kBold | kSubscript}, {" = c'", kBold}, {"d", kBold | kSubscript},
      {"·tan", kBold}, {"2", kBold | kSuperscript}, {"φ", kBold}};
  std::vector<std::pair<std::string, unsigned>> got;
  for (const fondara::Run& run : runs) got.emplace_back(run.text, run.style);
  EXPECT_EQ(got, expected);
}

}  // namespace
}  // namespace fondara::verifica
