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

void PrintTo(const Example& example, std::ostream* out) { *out << example.name; }

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

TEST_P(DrainedReport, PrintedBodyEqualsFileBodyFromTheSoilLine) {
  const Example& example = GetParam();
  const auto valori = calculate(example.dati);
  const auto file = report::write_lines(build(valori, "", report::Version::file));
  const auto printed = report::write_lines(build(valori, "", report::Version::stampa));
  ASSERT_EQ(file.size(), printed.size());
  for (std::size_t i = 9; i < file.size(); ++i) EXPECT_EQ(file[i].text, printed[i].text);
  EXPECT_EQ(file[9].text, "IL CALCOLO SI RIFERISCE AD UN TERRENO SCIOLTO");
}

INSTANTIATE_TEST_SUITE_P(WorkedExamples, DrainedReport, testing::ValuesIn(kExamples),
                         [](const auto& row) { return std::string(row.param.name); });

TEST(DrainedReportFile, LineCountsAndTotalOfTheFirstExample) {
  const auto no = file_lines(kExamples[0].dati);
  const auto si = file_lines(kExamples[1].dati);
  ASSERT_EQ(no.size(), 61u);
  ASSERT_EQ(si.size(), 62u);
  const std::string total = "CARICO DI ROTTURA: qR  .........................  ";
  EXPECT_EQ(no[51], total + "68423  daN/m^2");
  // Under water the two unit-weight lines push the total one line down.
  EXPECT_EQ(si[52], total + "54600  daN/m^2");
  EXPECT_EQ(no[60], "qd = qR / YR =  2,97  daN/cm^2 (bar)");
  EXPECT_EQ(si[61], "qd = qR / YR =  2,37  daN/cm^2 (bar)");
}

TEST(DrainedReportFile, WaterTableLinesFollowTheCalculation) {
  const auto no = file_lines(kExamples[0].dati);
  EXPECT_EQ(no[20], "G     =  1900  daN/m^3, peso specifico del terreno di fondazione");
  EXPECT_EQ(no[23], "La fondazione non e' interessata da falda d'acqua");
  const auto si = file_lines(kExamples[1].dati);
  EXPECT_EQ(si[20], "W     =  1900  daN/m^3, peso specifico del terreno di fondazione");
  EXPECT_EQ(si[21],
            "G= W-1000    =  900  daN/m^3, peso specifico del terreno di fondazione immerso");
  EXPECT_EQ(si[24], "La fondazione e' interessata da falda d'acqua");
}

TEST(DrainedReportFile, DepthFactorFormulasFollowHAgainstB) {
  struct Row {
    const char* name;
    float H;
    const char* d2;
  };
  const Row rows[] = {
      {"H below B", 1, "d2    = 1+2*z1(1-sin(Ø'))^2*(H/B) .............. "},
      {"H equal to B", 2, "d2    = 1+2*z1(1-sin(Ø'))^2*(H/B) .............. "},
      {"H above B", 2.01f, "d2    = 1+2*z1(1-sin(Ø'))^2*atn(H/B) ........... "},
  };
  for (const Row& row : rows) {
    const auto lines = file_lines({10, 2, row.H, 30, 0, 1900, 1800, 2.3f, false});
    EXPECT_EQ(lines[36].rfind(row.d2, 0), 0u) << row.name << ": " << lines[36];
  }
}

TEST(DrainedReportFile, AngleIsPrintedInWholeDegreesRoundedHalfUp) {
  struct Row {
    float typed;
    const char* line;
  };
  const Row rows[] = {
      {30, "Ø'    =  30  gradi, angolo attrito del terreno di fondazione"},
      {27.5f, "Ø'    =  27  gradi, angolo attrito del terreno di fondazione"},
      {32.5f, "Ø'    =  33  gradi, angolo attrito del terreno di fondazione"},
  };
  for (const Row& row : rows)
    EXPECT_EQ(file_lines({10, 2, 1, row.typed, 0.5f, 1900, 1800, 2.3f, false})[18], row.line);
}

TEST(DrainedReportFile, ApproachSentenceAndEmptyLinesFollowTheSafetyFactor) {
  const auto yr3 = file_lines({10, 2, 1, 30, 0, 1900, 1800, 3, false});
  ASSERT_EQ(yr3.size(), 60u);
  EXPECT_EQ(yr3[57], "Si ottiene il carico limite di progetto");
  EXPECT_EQ(yr3[58], "");
  EXPECT_EQ(yr3[59].rfind("qd = qR / YR = ", 0), 0u);
  const auto yr18 = file_lines({10, 2, 1, 30, 0, 1900, 1800, 1.8f, false});
  ASSERT_EQ(yr18.size(), 61u);
  EXPECT_EQ(yr18[57],
            "Si ottiene il carico limite di progetto allo SLU, secondo Approccio 1, Comb.2:");
}

TEST(DrainedReportFile, CohesionIsPrintedBackInDaNPerSquareCentimetre) {
  EXPECT_EQ(file_lines({10, 2, 1, 30, 0.5f, 1900, 1800, 2.3f, false})[19],
            "c'    =  0,5  daN/cm^2 (bar), coesione drenata del terreno di fondazione");
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
