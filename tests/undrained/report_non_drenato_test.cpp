#include "undrained/report_non_drenato.h"

#include <gtest/gtest.h>

#include <limits>

#include "test_data.h"

namespace fondara {
namespace {

const char* const kAccenti = "Plinto via Dante — città di Forlì, costo 5 €, φ' stimato";

struct Example {
  const char* name;  // also the name of the expected files
  DatiNonDrenati dati;
  const char* descrizione;
};

void PrintTo(const Example& example, std::ostream* out) {
  *out << example.name;
}

const Example kExamples[] = {
    {"non_drenato_yr23", {10, 2, 1, 0.5f, 1800, 2.3f}, ""},
    {"non_drenato_yr18", {5, 1, 1.5f, 0.3f, 1850, 1.8f}, kAccenti},
    {"non_drenato_yr3", {1, 1, 1, 0.5f, 1800, 3}, "Muro"},
};

report::Report build(const Example& example, report::Version version) {
  const auto risultati = CalcoloNonDrenato(example.dati);
  EXPECT_TRUE(risultati.ok());
  const auto report = report_non_drenato(example.dati, *risultati, example.descrizione, version);
  EXPECT_TRUE(report.ok());
  return report.ok() ? *report : report::Report{};
}

class UndrainedReport : public testing::TestWithParam<Example> {};

TEST_P(UndrainedReport, FileMatchesExpectedBytes) {
  const Example& example = GetParam();
  EXPECT_EQ(report::file_bytes(build(example, report::Version::file)),
            test::read_data(std::string(example.name) + ".txt"));
}

TEST_P(UndrainedReport, PrintedLinesMatchAndTurnToEightPointsAfterTheHeading) {
  const Example& example = GetParam();
  const auto lines = report::write_lines(build(example, report::Version::stampa), 10);
  const auto expected = test::read_preview_lines(std::string(example.name) + ".stampa.txt");
  ASSERT_EQ(lines.size(), expected.size());
  for (std::size_t i = 0; i < lines.size(); ++i) {
    EXPECT_EQ(lines[i].text, expected[i]) << "line " << i + 1;
    // The heading and the two empty lines after it at 10 points, the rest at 8.
    EXPECT_EQ(lines[i].points, i < 3 ? 10 : 8) << "line " << i + 1;
  }
}

INSTANTIATE_TEST_SUITE_P(WorkedExamples, UndrainedReport, testing::ValuesIn(kExamples),
                         [](const auto& row) { return std::string(row.param.name); });

TEST(UndrainedReportFailure, QrInDaNPerSquareMetreBeyondFloatRange) {
  const DatiNonDrenati dati{10, 2, 1, 0.5f, 1800, 2.3f};
  const RisultatiNonDrenati risultati{3e35f, 3e35f, 1e35f};
  for (auto version : {report::Version::file, report::Version::stampa}) {
    const auto report = report_non_drenato(dati, risultati, "", version);
    ASSERT_FALSE(report.ok());
    EXPECT_EQ(report.failure(), Failure::fuori_intervallo);
  }
}

}  // namespace
}  // namespace fondara
