#include "undrained/report_non_drenato.h"

#include <gtest/gtest.h>

#include "test_data.h"

namespace fondara {
namespace {

// Both versions of the worked examples, named as their expected files. On paper the
// heading and the two empty lines after it are at 10 points.
TEST(UndrainedReport, MatchesTheExpectedFiles) {
  const struct {
    const char* name;
    DatiNonDrenati dati;
    const char* descrizione;
  } examples[] = {
      {"non_drenato_yr23", {10, 2, 1, 0.5f, 1800, 2.3f}, ""},
      {"non_drenato_yr18",
       {5, 1, 1.5f, 0.3f, 1850, 1.8f},
       "Plinto via Dante — città di Forlì, costo 5 €, φ' stimato"},
      {"non_drenato_yr3", {1, 1, 1, 0.5f, 1800, 3}, "Muro"},
  };
  for (const auto& example : examples) {
    const auto risultati = CalcoloNonDrenato(example.dati);
    ASSERT_TRUE(risultati.ok());
    const auto file =
        report_non_drenato(example.dati, *risultati, example.descrizione, report::Version::file);
    const auto printed =
        report_non_drenato(example.dati, *risultati, example.descrizione, report::Version::stampa);
    ASSERT_TRUE(file.ok() && printed.ok());
    test::expect_expected_files(*file, *printed, example.name, 3);
  }
}

TEST(UndrainedReport, FailsWhenQrInDaNPerSquareMetreIsBeyondTheFloatRange) {
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
