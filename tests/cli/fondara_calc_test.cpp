// fondara-calc's own behaviour, the built program run as a separate process: results, one
// report by bytes, one batch, and every refusal with its exit code and one Italian line.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>

#include <iterator>
#include <sstream>

#include "run_program.h"
#include "test_data.h"

namespace fondara::test {
namespace {

using test::PrintTo;
using Args = std::vector<std::string>;

const std::string kHeader =
    "lunghezza;larghezza;altezza;peso_terreno_rinterro;coesione_non_drenata";

Args with(Args args, const Args& more) {
  args.insert(args.end(), more.begin(), more.end());
  return args;
}

TEST(FondaraCalc, ShowsTheResultBoxesAndWritesTheSaveButtonsReport) {
  TempFolder folder;
  const Outcome shown = run_fondara_calc(kCoesivi, folder);
  EXPECT_EQ(shown.exit_code, 0);
  EXPECT_EQ(shown.out,
            "CARICO DI ROTTURA:    qR = 2,88 daN/cm^2 (bar)\n"
            "CARICO DI PROGETTO:   qd = 1,25 daN/cm^2 (bar)\n");
  const auto path = folder / "relazione.txt";
  spit(path, std::string(10000, 'x'));
  const Outcome saved = run_fondara_calc(with(kCoesivi, {"--report", path.string()}), folder);
  EXPECT_EQ(saved.exit_code, 0) << saved.err;
  EXPECT_EQ(slurp(path), read_data("non_drenato_yr23.txt"));
  EXPECT_EQ(run_fondara_calc(with(kCoesivi, {"--report=-"}), folder).out, slurp(path));
}

// Rows that compute keep today's bytes; a row with the wrong number of fields keeps
// those it has and names its line.
TEST(FondaraCalc, BatchRowsGiveResultsOrTheirMessage) {
  TempFolder folder;
  const auto input = folder / "dati.csv";
  const auto output = folder / "risultati.csv";
  spit(input, " " + kHeader + ";descrizione \n10;2;1;1800;0,5;Muro A\n1;2;1;1800;0,5;B\n\n" +
                  "5;1;1.5;1850;0,3;\"Muro \"\"C\"\"; lato\"\n10;2;x;1800;0,5;D\n10;2;1\n" +
                  "10;2;1;1800;0,5;E;troppo\n");
  const std::string results =
      kHeader +
      ";coefficiente_sicurezza;descrizione;qR;qd;errore\r\n"
      "10;2;1;1800;0,5;2,3;Muro A;2,88;1,25;\r\n"
      "1;2;1;1800;0,5;2,3;B;;;La lunghezza deve essere superiore alla larghezza\r\n"
      "5;1;1.5;1850;0,3;2,3;\"Muro \"\"C\"\"; lato\";1,93;0,84;\r\n"
      "10;2;x;1800;0,5;2,3;D;;;\"Il valore di altezza non è un numero: \"\"x\"\".\"\r\n"
      "10;2;1;;;2,3;;;;La riga 7 ha 3 campi, l'intestazione ne ha 6.\r\n"
      "10;2;1;1800;0,5;2,3;E;;;La riga 8 ha 7 campi, l'intestazione ne ha 6.\r\n";
  const Outcome to_file =
      run_fondara_calc({"coesivi", "--csv", input.string(), "--output", output.string()}, folder);
  EXPECT_EQ(to_file.exit_code, 1);
  EXPECT_EQ(to_file.err,
            "fondara-calc: 4 righe non calcolate; la prima è la riga 3 del file CSV.\n");
  EXPECT_EQ(slurp(output), results);
  const Outcome piped = run_fondara_calc({"coesivi", "--csv", "-"}, folder, {slurp(input)});
  EXPECT_EQ(piped.out, results);
}

// "@" in the arguments and the message stands for the test's folder, which must hold no
// new file afterwards.
struct Refusal {
  const char* name;
  Args args;
  Start start;
  int exit_code;
  std::string message;
};

const std::string kTooLong =
    "Il file CSV ha una riga troppo lunga (riga 1): al massimo 1 MiB e 1024 campi.";
const std::string kNeedsName =
    "L'opzione --report richiede un nome di file (oppure - per i flussi standard).";

// clang-format off
const Refusal kRefusals[] = {
    {"length_below_width", {"coesivi", "lunghezza=1", "larghezza=2", "altezza=1",
     "peso_terreno_rinterro=1800", "coesione_non_drenata=0,5", "--report=@/r.txt"}, {}, 1,
     "La lunghezza deve essere superiore alla larghezza"},
    {"option_report_as_last_argument", with(kCoesivi, {"--report"}), {}, 2, kNeedsName},
    {"option_report_equals_without_name", with(kCoesivi, {"--report="}), {}, 2, kNeedsName},
    {"option_print_and_report_both_on_standard_output", with(kCoesivi, {"--stampa", "--report",
     "-"}), {}, 2, "--report - e --stampa scrivono entrambe sullo standard output: usarne una."},
    {"option_output_without_csv", with(kCoesivi, {"--output", "@/x.csv"}), {}, 2,
     "L'opzione --output vale solo con --csv."},
    {"ambiguous_thousands", with(kCoesivi, {"coefficiente_sicurezza=1.800"}), {}, 2,
     "Il valore di coefficiente_sicurezza è ambiguo: \"1.800\". Scrivere 1800 oppure 1,8."},
    {"ambiguous_thousands_in_a_batch", {"coesivi", "--csv", "-"},
     {kHeader + "\n12.500;1;1;1;1\n"}, 1, "Una riga non calcolata: la riga 2 del file CSV."},
    {"safe_text_escaped_and_cut", with(kCoesivi, {"coefficiente_sicurezza=s\xff\n\x1b]0;x\a" +
     std::string(100000, 'i')}), {}, 2, "Il valore di coefficiente_sicurezza non è un numero: "
     "\"s\xEF\xBF\xBD\\n\\e]0;x\\x07" + std::string(51, 'i') + "…\"."},
    {"safe_text_unknown_option", with(kCoesivi, {"--pdf\x1b[2J"}), {}, 2,
     "Opzione sconosciuta: \"--pdf\\e[2J\" (vedere fondara-calc --help)."},
    {"safe_text_csv_column", {"coesivi", "--csv", "-"}, {kHeader + ";\x9b\n"}, 2,
     "Intestazione CSV: colonna sconosciuta \"\xEF\xBF\xBD\"."},
    {"csv_quote_never_closed", {"coesivi", "--csv", "-", "--output=@/r.csv"},
     {kHeader + "\n1;1;1;1;\"1\n"}, 2, "Il file CSV ha un campo tra virgolette non chiuso (riga 2)."},
    {"csv_empty", {"coesivi", "--csv", "-"}, {}, 2,
     "Il file CSV è vuoto: manca la riga d'intestazione."},
    {"csv_header_beyond_the_limit", {"coesivi", "--csv", "-"}, {std::string(2 << 20, 'a')}, 2,
     kTooLong},
    {"read_unbounded_input", {"coesivi", "--csv", "/dev/zero"}, {}, 2, kTooLong},
    {"read_closed_standard_input", {"coesivi", "--csv", "-"}, {"", "-"}, 3,
     "Impossibile leggere lo standard input: il flusso non è aperto."},
    {"read_folder_as_standard_input", {"coesivi", "--csv", "-"}, {"", "/"}, 3,
     "Impossibile leggere lo standard input: è una cartella."},
    {"read_missing_file", {"coesivi", "--csv", "@/manca.csv"}, {}, 3,
     "Impossibile leggere il file \"@/manca.csv\": il file non esiste."},
    {"read_process_memory", {"coesivi", "--csv", "/proc/self/mem"}, {}, 3, "Impossibile leggere "
     "il file \"/proc/self/mem\": errore di lettura o scrittura del dispositivo."},
    {"stdout_closed", kCoesivi, {"", "", "-"}, 3,
     "Impossibile scrivere sullo standard output: il flusso non è aperto."},
};
// clang-format on

std::string in_folder(std::string text, const TempFolder& folder) {
  for (std::size_t at; (at = text.find('@')) != std::string::npos;)
    text.replace(at, 1, folder.path().string());
  return text;
}

class FondaraCalcRefuses : public testing::TestWithParam<Refusal> {};

TEST_P(FondaraCalcRefuses, WithItsExitCodeOneItalianLineAndNoFile) {
  TempFolder folder;
  Args args = GetParam().args;
  for (std::string& arg : args) arg = in_folder(arg, folder);
  const Outcome run = run_fondara_calc(args, folder, GetParam().start);
  EXPECT_EQ(run.exit_code, GetParam().exit_code);
  EXPECT_EQ(run.err, "fondara-calc: " + in_folder(GetParam().message, folder) + "\n");
  EXPECT_TRUE(std::filesystem::is_empty(folder.path())) << "a file was left behind";
}

INSTANTIATE_TEST_SUITE_P(Commands, FondaraCalcRefuses, testing::ValuesIn(kRefusals),
                         testing::PrintToStringParamName());

// Standard output on a device node like the system's full one, made in the test's folder.
TEST(FondaraCalc, EveryWriteToStandardOutputIsChecked) {
  TempFolder folder;
  const auto full = folder / "pieno";
  if (::mknod(full.c_str(), S_IFCHR | 0666, makedev(1, 7)) != 0)
    GTEST_SKIP() << "a device node needs root: not run here";
  for (const Args& args :
       {kCoesivi, with(kCoesivi, {"--report", "-"}), with(kCoesivi, {"--stampa"}),
        Args{"coesivi", "--csv", "-"}, Args{"--help"}}) {
    const Outcome run = run_fondara_calc(args, folder, {kHeader + "\n", "", full.string()});
    EXPECT_EQ(run.exit_code, 3) << args.back();
    EXPECT_EQ(run.err,
              "fondara-calc: Impossibile scrivere sullo standard output: spazio esaurito.\n");
  }
}

}  // namespace
}  // namespace fondara::test

namespace fondara::test {
namespace {

std::vector<std::string> words(const std::string& text) {
  std::istringstream in(text);
  return {std::istream_iterator<std::string>(in), std::istream_iterator<std::string>()};
}

// Without a display, --pdf writes a PDF/A file holding the words of the printed report.
TEST(FondaraCalc, PdfIsDrawnWithoutADisplayWithThePrintedReport) {
  const TempFolder folder;
  const std::string pdf = (folder / "r.pdf").string();
  ::unsetenv("DISPLAY");
  auto args = kCoesivi;
  args.insert(args.end(), {"--pdf", pdf});
  const Outcome written = run_fondara_calc(args, folder);
  ASSERT_EQ(written.exit_code, 0) << written.err;
  EXPECT_EQ(written.err, "");
  args.back() = "-";
  EXPECT_EQ(run_fondara_calc(args, folder).exit_code, 2);
  args.resize(kCoesivi.size());
  args.push_back("--stampa");
  const Outcome preview = run_fondara_calc(args, folder);
  const std::string text = (folder / "r.txt").string();
  ASSERT_EQ(std::system(("pdftotext -layout " + pdf + " " + text).c_str()), 0);
  EXPECT_EQ(words(slurp(text)), words(preview.out));
  EXPECT_EQ(std::system(("pdfinfo -meta " + pdf + " | grep -q 'pdfaid:part=\"1\"'").c_str()), 0);
}

}  // namespace
}  // namespace fondara::test
