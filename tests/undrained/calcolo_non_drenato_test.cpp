#include "undrained/calcolo_non_drenato.h"

#include <gtest/gtest.h>

#include "input/number_text.h"

namespace fondara {
namespace {

// L, B, H, cu, G1, YR; qR_calcolo to seven digits and the two result boxes.
TEST(CalcoloNonDrenato, ShowsTheResultsCutToTwoDecimals) {
  const struct {
    const char* name;
    DatiNonDrenati dati;
    const char *qR_calcolo, *Q_limite, *Q_ammissibile;
  } rows[] = {
      {"first example", {10, 2, 1, 0.5f, 1800, 2.3f}, "2,8888", "2,88", "1,25"},
      {"qd from the uncut value, not 1,93 / 2,3",
       {5, 1, 1.5f, 0.3f, 1850, 2.3f},
       "1,93668",
       "1,93",
       "0,84"},
      {"3,30 stored as the float just below", {1, 1, 1, 0.5f, 1800, 2.3f}, "3,3", "3,29", "1,43"},
      {"square: shape term 1,2", {3, 3, 0, 1, 1800, 1}, "6,168", "6,16", "6,16"},
      {"length below width still computes", {1, 2, 1, 0.5f, 1800, 2.3f}, "3,814", "3,81", "1,65"},
      {"width zero is no fault", {10, 0, 1, 0.5f, 1800, 2.3f}, "2,786", "2,78", "1,21"},
  };
  for (const auto& row : rows) {
    const auto outcome = CalcoloNonDrenato(row.dati);
    ASSERT_TRUE(outcome.ok()) << row.name;
    EXPECT_EQ(general_text(outcome->qR_calcolo), row.qR_calcolo) << row.name;
    const auto testi = testi_risultati(*outcome);
    EXPECT_EQ(testi.Q_limite, row.Q_limite) << row.name;
    EXPECT_EQ(testi.Q_ammissibile, row.Q_ammissibile) << row.name;
  }
}

TEST(CalcoloNonDrenato, FailsWithItsCause) {
  const struct {
    const char* name;
    DatiNonDrenati dati;
    Failure cause;
  } rows[] = {
      {"length zero", {0, 2, 1, 0.5f, 1800, 2.3f}, Failure::lunghezza_zero},
      {"length and width zero", {0, 0, 1, 0.5f, 1800, 2.3f}, Failure::lunghezza_zero},
      {"safety factor zero", {10, 2, 1, 0.5f, 1800, 0}, Failure::coefficiente_zero},
      {"zero over zero", {10, 2, 0, 0, 1800, 0}, Failure::coefficiente_zero},
      {"cohesion beyond float", {10, 2, 1, 3e38f, 1800, 2.3f}, Failure::fuori_intervallo},
      {"qd beyond float", {10, 2, 1, 1e30f, 1800, 1e-30f}, Failure::fuori_intervallo},
  };
  for (const auto& row : rows) {
    const auto outcome = CalcoloNonDrenato(row.dati);
    ASSERT_FALSE(outcome.ok()) << row.name;
    EXPECT_EQ(outcome.failure(), row.cause) << row.name;
  }
  EXPECT_EQ(failure_message(Failure::lunghezza_zero),
            "Impossibile eseguire il calcolo: la lunghezza L non può essere zero.");
}

}  // namespace
}  // namespace fondara
