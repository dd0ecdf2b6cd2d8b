#include "drained/report_drenato.h"

#include <gtest/gtest.h>

#include <limits>

#include "test_data.h"

namespace fondara {
namespace {

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

// Both versions of the worked examples, named as their expected files: with and without
// water table, H above B, YR 1,8 and 3, a fractional angle printed back in whole degrees.
// On paper the heading and one empty line are at 10 points.
TEST(DrainedReport, MatchesTheExpectedFiles) {
  const struct {
    const char* name;
    DatiDrenati dati;  // L, B, H, phi, c, G, G1, YR, falda
    const char* descrizione;
  } examples[] = {
      {"drenato_no", {10, 2, 1, 30, 0, 1900, 1800, 2.3f, false}, ""},
      {"drenato_si", {10, 2, 1, 30, 0, 1900, 1800, 2.3f, true}, ""},
      {"drenato_h_oltre_b",
       {3, 2, 3, 28, 0.1f, 2000, 1800, 2.3f, false},
       "Plinto via Dante — città di Forlì, costo 5 €, φ' stimato"},
      {"drenato_yr18", {2, 2, 2, 25, 0.05f, 1900, 1700, 1.8f, false}, "Capannone"},
      {"drenato_yr3", {10, 2, 1, 27.5f, 0.5f, 1900, 1800, 3, true}, "Angolo 27,5"},
  };
  for (const auto& example : examples) {
    const ValoriDrenati valori = calculate(example.dati);
    test::expect_expected_files(build(valori, example.descrizione, report::Version::file),
                                build(valori, example.descrizione, report::Version::stampa),
                                example.name, 2);
  }
}

TEST(DrainedReport, AngleIsPrintedInWholeDegreesRoundedHalfUp) {
  // 27,5 (in drenato_yr3) prints 27 after its trip through float radians; 32,5 prints 33.
  const auto lines = report::write_lines(build(
      calculate({10, 2, 1, 32.5f, 0.5f, 1900, 1800, 2.3f, false}), "", report::Version::file));
  EXPECT_EQ(lines[18].text, "Ø'    =  33  gradi, angolo attrito del terreno di fondazione");
}

TEST(DrainedReport, FailsWhenAPrintTimeValueIsBeyondTheFloatRangeOrNotANumber) {
  ValoriDrenati beyond = calculate({10, 2, 1, 30, 0, 1900, 1800, 2.3f, false});
  ValoriDrenati not_a_number = beyond;
  beyond.q1 = beyond.q2 = std::numeric_limits<float>::max();
  not_a_number.q3 = std::numeric_limits<float>::quiet_NaN();
  for (auto version : {report::Version::file, report::Version::stampa}) {
    EXPECT_EQ(report_drenato(beyond, "", version).failure(), Failure::fuori_intervallo);
    EXPECT_EQ(report_drenato(not_a_number, "", version).failure(), Failure::non_numero);
  }
}

}  // namespace
}  // namespace fondara
