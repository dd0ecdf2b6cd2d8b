// fondara-calc batches: one calculation per CSV row, run as a separate process.
#include <gtest/gtest.h>

#include <sstream>

#include "run_program.h"

namespace fondara::test {
namespace {

TEST(FondaraCalcCsv, SemicolonBatchGivesResultsOrTheRowsMessage) {
  TempFolder folder;
  const auto input = folder / "dati.csv";
  const auto output = folder / "risultati.csv";
  spit(input,
       "lunghezza; larghezza;altezza;peso_terreno_rinterro;coesione_non_drenata;descrizione \n"
       "10;2;1;1800;0,5;Muro A\n"
       "1;2;1;1800;0,5;Muro B\n"
       "\n"
       "5;1;1.5;1850;0,3;\"Muro \"\"C\"\"; lato nord\"\n"
       "10;2;x;1800;0,5;Muro D\n"
       "10;2;1\n");
  const Outcome run =
      run_fondara_calc({"coesivi", "--csv", input.string(), "--output", output.string()}, folder);
  EXPECT_EQ(run.exit_code, 1) << "a row could not be computed";
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(slurp(output),
            "lunghezza;larghezza;altezza;peso_terreno_rinterro;coesione_non_drenata;"
            "coefficiente_sicurezza;descrizione;qR;qd;errore\r\n"
            "10;2;1;1800;0,5;2,3;Muro A;2,88;1,25;\r\n"
            "1;2;1;1800;0,5;2,3;Muro B;;;La lunghezza deve essere superiore alla larghezza\r\n"
            "5;1;1.5;1850;0,3;2,3;\"Muro \"\"C\"\"; lato nord\";1,93;0,84;\r\n"
            "10;2;x;1800;0,5;2,3;Muro D;;;\"Il valore di altezza non è un numero: \"\"x\"\".\"\r\n"
            ";;;;;2,3;;;;La riga ha 3 campi, l'intestazione ne ha 6.\r\n");
}

TEST(FondaraCalcCsv, CommaBatchFromStandardInputQuotesDecimalNumbers) {
  TempFolder folder;
  const Outcome run = run_fondara_calc(
      {"sciolti", "--csv", "-"}, folder,
      "lunghezza,larghezza,altezza,angolo,coesione_drenata,peso_terreno_fondazione,"
      "peso_terreno_rinterro,falda,coefficiente_sicurezza\r\n"
      "10,2,1,30,0,1900,1800,NO,\"2,3\"\r\n"
      "10,2,1,30,0,1900,1800,SI,2.3\r\n"
      "10,2,1,0,0,1900,1800,NO,\"2,3\"\r\n");
  EXPECT_EQ(run.exit_code, 1);
  EXPECT_EQ(run.out,
            "lunghezza,larghezza,altezza,angolo,coesione_drenata,peso_terreno_fondazione,"
            "peso_terreno_rinterro,coefficiente_sicurezza,falda,descrizione,NY,Nq,Nc,qR,qd,"
            "errore\r\n"
            "10,2,1,30,0,1900,1800,\"2,3\",NO,,\"15,02\",\"18,34\",\"30,05\",\"6,84\",\"2,97\","
            "\r\n"
            "10,2,1,30,0,1900,1800,2.3,SI,,\"15,02\",\"18,34\",\"30,05\",\"5,46\",\"2,37\",\r\n"
            "10,2,1,0,0,1900,1800,\"2,3\",NO,,,,,,,Impossibile eseguire il calcolo: l'angolo di "
            "attrito φ' non può essere zero.\r\n");
}

TEST(FondaraCalcCsv, ThousandRowsRunToTheEnd) {
  TempFolder folder;
  std::ostringstream rows;
  rows << "lunghezza;larghezza;altezza;angolo;coesione_drenata;peso_terreno_fondazione;"
          "peso_terreno_rinterro;falda\n";
  for (int i = 0; i < 1000; ++i)
    rows << 10 + i % 7 << ";" << 2 + i % 3 << ";" << 1 + i % 4 << ";" << 20 + i % 20 << ";0,"
         << i % 10 << ";1900;1800;" << (i % 2 ? "SI" : "NO") << "\n";
  const auto input = folder / "dati.csv";
  const auto output = folder / "risultati.csv";
  spit(input, rows.str());
  const Outcome run =
      run_fondara_calc({"sciolti", "--csv", input.string(), "--output=" + output.string()}, folder);
  EXPECT_EQ(run.exit_code, 0) << run.err;
  std::istringstream written(slurp(output));
  int lines = 0;
  for (std::string line; std::getline(written, line); ++lines) {
    ASSERT_FALSE(line.empty());
    ASSERT_EQ(line.back(), '\r');
    if (lines > 0) {
      EXPECT_EQ(line.substr(line.size() - 2), ";\r") << "row with an error: " << line;
    }
  }
  EXPECT_EQ(lines, 1001);
}

struct BadBatch {
  const char* name;
  std::string csv;
  int exit_code;
  std::string message;
};

void PrintTo(const BadBatch& row, std::ostream* out) {
  *out << row.name;
}

const BadBatch kBadBatches[] = {
    {"unknown_column",
     "lunghezza;larghezza;altezza;peso_terreno_rinterro;coesione_non_drenata;angolo\n", 2,
     "Intestazione CSV: colonna sconosciuta \"angolo\"."},
    {"missing_column", "lunghezza;larghezza;altezza;peso_terreno_rinterro\n10;2;1;1800\n", 2,
     "Intestazione CSV: manca la colonna coesione_non_drenata."},
    {"repeated_column",
     "lunghezza;larghezza;altezza;peso_terreno_rinterro;coesione_non_drenata;altezza\n", 2,
     "Intestazione CSV: la colonna altezza compare due volte."},
    {"quote_never_closed",
     "lunghezza;larghezza;altezza;peso_terreno_rinterro;coesione_non_drenata;descrizione\n"
     "10;2;1;1800;0,5;\"Muro\n",
     2, "Il file CSV ha un campo tra virgolette non chiuso (riga 2)."},
    {"empty_file", "", 2, "Il file CSV è vuoto: manca la riga d'intestazione."},
};

class FondaraCalcBadBatch : public testing::TestWithParam<BadBatch> {};

TEST_P(FondaraCalcBadBatch, RefusedWithoutOutputFile) {
  TempFolder folder;
  const auto input = folder / "dati.csv";
  const auto output = folder / "risultati.csv";
  spit(input, GetParam().csv);
  const Outcome run =
      run_fondara_calc({"coesivi", "--csv", input.string(), "--output", output.string()}, folder);
  EXPECT_EQ(run.exit_code, GetParam().exit_code);
  EXPECT_EQ(run.err, "fondara-calc: " + GetParam().message + "\n");
  EXPECT_EQ(folder.entries(), std::vector<std::string>{"dati.csv"});
}

INSTANTIATE_TEST_SUITE_P(Refused, FondaraCalcBadBatch, testing::ValuesIn(kBadBatches),
                         [](const auto& row) { return std::string(row.param.name); });

TEST(FondaraCalcCsv, MissingInputFileIsAFileError) {
  TempFolder folder;
  const auto input = folder / "manca.csv";
  const Outcome run = run_fondara_calc({"coesivi", "--csv", input.string()}, folder);
  EXPECT_EQ(run.exit_code, 3);
  EXPECT_EQ(run.err, "fondara-calc: Impossibile leggere il file \"" + input.string() +
                         "\": il file non esiste.\n");
}

TEST(FondaraCalcCsv, FieldsOnTheCommandLineAreRefused) {
  TempFolder folder;
  const Outcome run = run_fondara_calc({"coesivi", "--csv", "-", "lunghezza=10"}, folder, "x\n");
  EXPECT_EQ(run.exit_code, 2);
  EXPECT_EQ(run.err,
            "fondara-calc: Con --csv i dati si leggono dal file CSV: non indicare campi nel "
            "comando.\n");
}

}  // namespace
}  // namespace fondara::test
