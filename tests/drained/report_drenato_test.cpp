#include "drained/report_drenato.h"

#include <gtest/gtest.h>

#include <limits>

#include "test_data.h"

namespace fondara {
namespace {

const char* const kAccenti = "Plinto via Dante — città di Forlì, costo 5 €, φ' stimato";

struct Example {
  const char* name;  // also the name of the expected files
  DatiDrenati dati;  // L, B, H, phi, c, G, G1, YR, falda
  const char* descrizione;
};

void PrintTo(const Example& example, std::ostream* out) {
  *out << example.name;
}

const Example kExamples[] = {
    {"drenato_no", {10, 2, 1, 30, 0, 1900, 1800, 2.3f, false}, ""},
    {"drenato_si", {10, 2, 1, 30, 0, 1900, 1800, 2.3f, true}, ""},
    {"drenato_h_oltre_b", {3, 2, 3, 28, 0.1f, 2000, 1800, 2.3f, false}, kAccenti},
    {"drenato_yr18", {2, 2, 2, 25, 0.05f, 1900, 1700, 1.8f, false}, "Capannone"},
    {"drenato_yr3", {10, 2, 1, 27.5f, 0.5f, 1900, 1800, 3, true}, "Angolo 27,5"},
};

ValoriDrenati calculate(const DatiDrenati& dati) {
  const auto valori = CalcoloDrenato(dati);
  EXPECT_TRUE(valori.ok());
  return valori.ok() ? *valori : ValoriDrenati{};
}

report::Report build(const ValoriDrenati& valori, const char* descrizione,
                     report::Version version) {
  const auto report = report_drenato(valori, descrizione, version);
  EXPECT_TRUE(report.ok());
  return report.ok() ? *report : report::Report{};
}

std::vector<std::string> file_lines(const DatiDrenati& dati) {
  std::vector<std::string> texts;
  for (const auto& line : report::write_lines(build(calculate(dati), "", report::Version::file)))
    texts.push_back(line.text);
  return texts;
}

class DrainedReport : public testing::TestWithParam<Example> {};

TEST_P(DrainedReport, FileMatchesExpectedBytes) {
  const Example& example = GetParam();
  const auto valori = calculate(example.dati);
  EXPECT_EQ(report::file_bytes(build(valori, example.descrizione, report::Version::file)),
            test::read_data(std::string(example.name) + ".txt"));
}

TEST_P(DrainedReport, PrintedLinesMatchAndTurnToEightPointsAfterOneEmptyLine) {
  const Example& example = GetParam();
  const auto valori = calculate(example.dati);
  const auto lines =
      report::write_lines(build(valori, example.descrizione, report::Version::stampa), 10);
  const auto expected = test::read_preview_lines(std::string(example.name) + ".stampa.txt");
  ASSERT_EQ(lines.size(), expected.size());
  for (std::size_t i = 0; i < lines.size(); ++i) {
    EXPECT_EQ(lines[i].text, expected[i]) << "line " << i + 1;
    // The heading and one empty line at 10 points; the next empty line is at 8.
    EXPECT_EQ(lines[i].points, i < 2 ? 10 : 8) << "line " << i + 1;
  }
}

INSTANTIATE_TEST_SUITE_P(WorkedExamples, DrainedReport, testing::ValuesIn(kExamples),
                         [](const auto& row) { return std::string(row.param.name); });

TEST(DrainedReportFile, AngleIsPrintedInWholeDegreesRoundedHalfUp) {
  // 27,5 (in drenato_yr3) prints 27 after its trip through float radians; 32,5 prints 33.
  EXPECT_EQ(file_lines({10, 2, 1, 32.5f, 0.5f, 1900, 1800, 2.3f, false})[18],
            "Ø'    =  33  gradi, angolo attrito del terreno di fondazione");
}

TEST(DrainedReportFailure, SumOfContributionsBeyondFloatRange) {
  ValoriDrenati valori = calculate(kExamples[0].dati);
  valori.q1 = std::numeric_limits<float>::max();
  valori.q2 = std::numeric_limits<float>::max();
  for (auto version : {report::Version::file, report::Version::stampa}) {
    const auto report = report_drenato(valori, "", version);
    ASSERT_FALSE(report.ok());
    EXPECT_EQ(report.failure(), Failure::fuori_intervallo);
  }
}

TEST(DrainedReportFailure, ContributionThatIsNotANumber) {
  ValoriDrenati valori = calculate(kExamples[0].dati);
  valori.q3 = std::numeric_limits<float>::quiet_NaN();
  const auto report = report_drenato(valori, "", report::Version::file);
  ASSERT_FALSE(report.ok());
  EXPECT_EQ(report.failure(), Failure::non_numero);
}

}  // namespace
}  // namespace fondara
