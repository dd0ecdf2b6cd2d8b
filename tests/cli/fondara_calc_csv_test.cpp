// fondara-calc batches: one calculation per CSV row, run as a separate process.
#include <gtest/gtest.h>

#include "row_name.h"
#include "run_program.h"

namespace fondara::test {
namespace {

using test::PrintTo;

const std::string kBatch =
    "lunghezza; larghezza;altezza;peso_terreno_rinterro;coesione_non_drenata;descrizione \n"
    "10;2;1;1800;0,5;Muro A\n"
    "1;2;1;1800;0,5;Muro B\n"
    "\n"
    "5;1;1.5;1850;0,3;\"Muro \"\"C\"\"; lato nord\"\n"
    "10;2;x;1800;0,5;Muro D\n"
    "10;2;1\n"
    "10;2;1;1800;0,5;Muro E;troppo\n";

const std::string kResults =
    "lunghezza;larghezza;altezza;peso_terreno_rinterro;coesione_non_drenata;"
    "coefficiente_sicurezza;descrizione;qR;qd;errore\r\n"
    "10;2;1;1800;0,5;2,3;Muro A;2,88;1,25;\r\n"
    "1;2;1;1800;0,5;2,3;Muro B;;;La lunghezza deve essere superiore alla larghezza\r\n"
    "5;1;1.5;1850;0,3;2,3;\"Muro \"\"C\"\"; lato nord\";1,93;0,84;\r\n"
    "10;2;x;1800;0,5;2,3;Muro D;;;\"Il valore di altezza non è un numero: \"\"x\"\".\"\r\n"
    "10;2;1;;;2,3;;;;La riga 7 ha 3 campi, l'intestazione ne ha 6.\r\n"
    "10;2;1;1800;0,5;2,3;Muro E;;;La riga 8 ha 7 campi, l'intestazione ne ha 6.\r\n";

TEST(FondaraCalcCsv, RowsGiveResultsOrTheirMessageFromAFileOrStandardInput) {
  TempFolder folder;
  const auto input = folder / "dati.csv";
  const auto output = folder / "risultati.csv";
  spit(input, kBatch);
  const Outcome from_file =
      run_fondara_calc({"coesivi", "--csv", input.string(), "--output", output.string()}, folder);
  EXPECT_EQ(from_file.exit_code, 1) << "rows could not be computed";
  EXPECT_EQ(from_file.err,
            "fondara-calc: 4 righe non calcolate; la prima è la riga 3 del file CSV.\n");
  EXPECT_EQ(slurp(output), kResults);
  const Outcome from_input = run_fondara_calc({"coesivi", "--csv", "-"}, folder, {kBatch});
  EXPECT_EQ(from_input.exit_code, 1);
  EXPECT_EQ(from_input.out, kResults);
}

struct BadBatch {
  const char* name;
  Start start;
  int exit_code;
  std::string message;
};

const BadBatch kBadBatches[] = {
    {"unknown_column_shown_safely",
     {"lunghezza;larghezza;altezza;peso_terreno_rinterro;coesione_non_drenata;\x1b[31m\n"}, 2,
     "Intestazione CSV: colonna sconosciuta \"\\e[31m\"."},
    {"missing_column", {"lunghezza;larghezza;altezza;peso_terreno_rinterro\n10;2;1;1800\n"}, 2,
     "Intestazione CSV: manca la colonna coesione_non_drenata."},
    {"quote_never_closed",
     {"lunghezza;larghezza;altezza;peso_terreno_rinterro;coesione_non_drenata;descrizione\n"
      "10;2;1;1800;0,5;\"Muro\n"},
     2, "Il file CSV ha un campo tra virgolette non chiuso (riga 2)."},
    {"empty_input", {""}, 2, "Il file CSV è vuoto: manca la riga d'intestazione."},
    {"header_beyond_the_limit", {std::string(2 << 20, 'a') + "\n"}, 2,
     "Il file CSV ha una riga troppo lunga (riga 1): al massimo 1 MiB e 1024 campi."},
    {"unbounded_input", {"", "/dev/zero"}, 2,
     "Il file CSV ha una riga troppo lunga (riga 1): al massimo 1 MiB e 1024 campi."},
    {"closed_standard_input", {"", "-"}, 3,
     "Impossibile leggere lo standard input: il flusso non è aperto."},
    {"folder_as_standard_input", {"", "/"}, 3,
     "Impossibile leggere lo standard input: è una cartella."},
};

class FondaraCalcBadBatch : public testing::TestWithParam<BadBatch> {};

TEST_P(FondaraCalcBadBatch, RefusedWithAMessageAndNoOutputFile) {
  TempFolder folder;
  const auto output = folder / "risultati.csv";
  const Outcome run =
      run_fondara_calc({"coesivi", "--csv", "-", "--output", output.string()}, folder,
                       GetParam().start);
  EXPECT_EQ(run.exit_code, GetParam().exit_code);
  EXPECT_EQ(run.err, "fondara-calc: " + GetParam().message + "\n");
  EXPECT_TRUE(std::filesystem::is_empty(folder.path()));
}

INSTANTIATE_TEST_SUITE_P(Inputs, FondaraCalcBadBatch, testing::ValuesIn(kBadBatches),
                         testing_support::RowName{});

TEST(FondaraCalcCsv, UnreadableFilesAreFileErrors) {
  TempFolder folder;
  const auto missing = folder / "manca.csv";
  const std::pair<std::string, std::string> cases[] = {
      {missing.string(), "\"" + missing.string() + "\": il file non esiste"},
      {"/proc/self/mem", "\"/proc/self/mem\": errore di lettura o scrittura del dispositivo"},
      {folder.path().string(), "\"" + folder.path().string() + "\": è una cartella"},
  };
  for (const auto& [path, cause] : cases) {
    const Outcome run = run_fondara_calc({"coesivi", "--csv", path}, folder);
    EXPECT_EQ(run.exit_code, 3) << path;
    EXPECT_EQ(run.err, "fondara-calc: Impossibile leggere il file " + cause + ".\n");
  }
}

}  // namespace
}  // namespace fondara::test
