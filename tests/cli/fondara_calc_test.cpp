// fondara-calc's own behaviour, the built program run as a separate process: results,
// one report by bytes, refused commands and values, and checked standard output.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>

#include "row_name.h"
#include "run_program.h"
#include "test_data.h"

namespace fondara::test {
namespace {

using test::PrintTo;

using Args = std::vector<std::string>;

const Args kCoesivi = {"coesivi",      "lunghezza=10", "larghezza=2", "altezza=1",
                       "peso_terreno_rinterro=1800", "coesione_non_drenata=0,5"};

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

struct Refusal {
  const char* name;
  Args args;
  int exit_code;
  std::string message;
};

const Refusal kRefusals[] = {
    {"missing_field", {"coesivi", "lunghezza=10", "larghezza=2", "altezza=1",
                       "peso_terreno_rinterro=1800"}, 2,
     "Manca il campo coesione_non_drenata: cu, coesione non drenata (daN/cm^2, bar)."},
    {"field_given_twice", with(kCoesivi, {"lunghezza=12"}), 2,
     "Il campo lunghezza è indicato due volte."},
    {"minus_sign_the_field_cannot_type", with(kCoesivi, {"coefficiente_sicurezza=-2"}), 2,
     "Il valore di coefficiente_sicurezza non è un numero: \"-2\"."},
    {"length_below_width", {"coesivi", "lunghezza=1", "larghezza=2", "altezza=1",
                            "peso_terreno_rinterro=1800", "coesione_non_drenata=0,5"}, 1,
     "La lunghezza deve essere superiore alla larghezza"},
    {"report_value_beyond_float_range",
     {"coesivi", "lunghezza=10", "larghezza=2", "altezza=1", "peso_terreno_rinterro=1800",
      "coesione_non_drenata=10000000000000000000000000000000000"}, 1,
     "Impossibile preparare la relazione: un valore da stampare supera il massimo valore "
     "rappresentabile."},
    {"unknown_option", with(kCoesivi, {"--pdf"}), 2,
     "Opzione sconosciuta: \"--pdf\" (vedere fondara-calc --help)."},
    {"report_as_last_argument", with(kCoesivi, {"--report"}), 2,
     "L'opzione --report richiede un nome di file (oppure - per i flussi standard)."},
    {"report_equals_without_name", with(kCoesivi, {"--report="}), 2,
     "L'opzione --report richiede un nome di file (oppure - per i flussi standard)."},
    {"print_and_report_both_on_standard_output", with(kCoesivi, {"--stampa", "--report", "-"}),
     2, "--report - e --stampa scrivono entrambe sullo standard output: usarne una."},
    {"output_without_csv", with(kCoesivi, {"--output", "x.csv"}), 2,
     "L'opzione --output vale solo con --csv."},
    {"dot_before_three_digits_is_ambiguous", with(kCoesivi, {"coefficiente_sicurezza=1.800"}), 2,
     "Il valore di coefficiente_sicurezza è ambiguo: \"1.800\". Scrivere 1800 oppure 1,8."},
    {"ambiguous_with_blanks", with(kCoesivi, {"coefficiente_sicurezza= 12.500 "}), 2,
     "Il valore di coefficiente_sicurezza è ambiguo: \"12.500\". Scrivere 12500 oppure 12,5."},
    {"terminal_escape_is_shown_escaped", {"coe\x1b[2Jsivi"}, 2,
     "Tipo di terreno sconosciuto: \"coe\\e[2Jsivi\"; usare coesivi o sciolti."},
    {"long_argument_is_cut", with(kCoesivi, {std::string(100000, 'x')}), 2,
     "Argomento non riconosciuto: \"" + std::string(60, 'x') + "…\" (atteso campo=valore)."},
};

class FondaraCalcRefuses : public testing::TestWithParam<Refusal> {};

TEST_P(FondaraCalcRefuses, WithOneItalianLineAndNoFile) {
  TempFolder folder;
  const auto path = folder / "relazione.txt";
  Args args = GetParam().args;
  // Where the command names no output, a report file that must not appear.
  if (std::none_of(args.begin(), args.end(), [](const auto& a) { return a.rfind("--", 0) == 0; }))
    args = with(args, {"--report", path.string()});
  const Outcome run = run_fondara_calc(args, folder);
  EXPECT_EQ(run.exit_code, GetParam().exit_code);
  EXPECT_EQ(run.err, "fondara-calc: " + GetParam().message + "\n");
  EXPECT_EQ(run.out, "");
  EXPECT_TRUE(std::filesystem::is_empty(folder.path())) << "a file was left behind";
}

INSTANTIATE_TEST_SUITE_P(Commands, FondaraCalcRefuses, testing::ValuesIn(kRefusals),
                         testing_support::RowName{});

TEST(FondaraCalc, SafeValueTextInTheFieldMessage) {
  TempFolder folder;
  const Outcome run = run_fondara_calc(
      with(kCoesivi, {"coefficiente_sicurezza=s\xff\n\x1b]0;x\a" + std::string(100, 'i')}), folder);
  EXPECT_EQ(run.exit_code, 2);
  EXPECT_EQ(run.err.find("Il valore di coefficiente_sicurezza non è un numero: \"s\xEF\xBF\xBD"
                         "\\n\\e]0;x\\x07iii"),
            14u) << run.err;
  EXPECT_EQ(run.err.find('\n'), run.err.size() - 1) << "one line";
}

struct StandardOutputCase {
  const char* name;
  Args args;
  const char* cause;
  bool closed = false;
};

const StandardOutputCase kStandardOutputCases[] = {
    {"results", kCoesivi, "spazio esaurito"},
    {"report", with(kCoesivi, {"--report", "-"}), "spazio esaurito"},
    {"print_preview", with(kCoesivi, {"--stampa"}), "spazio esaurito"},
    {"batch", {"coesivi", "--csv", "-"}, "spazio esaurito"},
    {"help", {"--help"}, "spazio esaurito"},
    {"closed_stream", kCoesivi, "il flusso non è aperto", true},
};

class FondaraCalcStandardOutput : public testing::TestWithParam<StandardOutputCase> {};

// A device node like the system's full one, made in the test's own folder.
TEST_P(FondaraCalcStandardOutput, FailedWriteIsAFileError) {
  TempFolder folder;
  const auto full = folder / "pieno";
  if (::mknod(full.c_str(), S_IFCHR | 0666, makedev(1, 7)) != 0)
    GTEST_SKIP() << "a device node needs root: full-device cases not run";
  const Outcome run = run_fondara_calc(
      GetParam().args, folder,
      {"lunghezza;larghezza;altezza;peso_terreno_rinterro;coesione_non_drenata\n10;2;1;1800;1\n",
       "", GetParam().closed ? "-" : full.string()});
  EXPECT_EQ(run.exit_code, 3);
  EXPECT_EQ(run.err, "fondara-calc: Impossibile scrivere sullo standard output: " +
                         std::string(GetParam().cause) + ".\n");
}

INSTANTIATE_TEST_SUITE_P(Outputs, FondaraCalcStandardOutput,
                         testing::ValuesIn(kStandardOutputCases), testing_support::RowName{});

}  // namespace
}  // namespace fondara::test
