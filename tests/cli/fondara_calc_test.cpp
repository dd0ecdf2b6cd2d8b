// fondara-calc end to end: the built program run as a separate process.
#include <gtest/gtest.h>

#include "run_program.h"
#include "test_data.h"

namespace fondara::test {
namespace {

using Args = std::vector<std::string>;

const Args kSciolti = {"sciolti",
                       "lunghezza=10",
                       "larghezza=2",
                       "altezza=1",
                       "angolo=30",
                       "coesione_drenata=0",
                       "peso_terreno_fondazione=1900",
                       "peso_terreno_rinterro=1800"};

const Args kCoesivi = {"coesivi",
                       "lunghezza=10",
                       "larghezza=2",
                       "altezza=1",
                       "peso_terreno_rinterro=1800",
                       "coesione_non_drenata=0,5"};

Args with(Args args, const std::vector<std::string>& more) {
  args.insert(args.end(), more.begin(), more.end());
  return args;
}

TEST(FondaraCalc, DrainedExampleShowsTheResultBoxes) {
  TempFolder folder;
  const Outcome run = run_fondara_calc(kSciolti, folder);
  EXPECT_EQ(run.exit_code, 0);
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(run.out,
            "NY = 15,02\n"
            "Nq = 18,34\n"
            "Nc = 30,05\n"
            "CARICO DI ROTTURA:  qR = 6,84 daN/cm^2 (bar)\n"
            "CARICO LIMITE:  qlim = 2,97 daN/cm^2 (bar)\n");
}

TEST(FondaraCalc, DrainedUnderWater) {
  TempFolder folder;
  const Outcome run = run_fondara_calc(with(kSciolti, {"falda=SI"}), folder);
  EXPECT_EQ(run.exit_code, 0);
  EXPECT_NE(run.out.find("qR = 5,46 "), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("qlim = 2,37 "), std::string::npos) << run.out;
}

TEST(FondaraCalc, TypedFullStopIsTheDecimalComma) {
  TempFolder folder;
  const Args dot = {"coesivi",
                    "lunghezza=10",
                    "larghezza=2",
                    "altezza=1",
                    "peso_terreno_rinterro=1800",
                    "coesione_non_drenata=0.5",
                    "coefficiente_sicurezza=2.3"};
  const Outcome with_dot = run_fondara_calc(dot, folder);
  const Outcome with_comma = run_fondara_calc(kCoesivi, folder);
  EXPECT_EQ(with_dot.exit_code, 0);
  EXPECT_EQ(with_dot.out, with_comma.out);
  EXPECT_EQ(with_comma.out,
            "CARICO DI ROTTURA:    qR = 2,88 daN/cm^2 (bar)\n"
            "CARICO DI PROGETTO:   qd = 1,25 daN/cm^2 (bar)\n");
}

struct ReportCase {
  const char* expected;  // name of the expected files in tests/data
  Args args;
};

void PrintTo(const ReportCase& row, std::ostream* out) {
  *out << row.expected;
}

const std::string kAccenti = "descrizione=Plinto via Dante — città di Forlì, costo 5 €, φ' stimato";

const ReportCase kReports[] = {
    {"non_drenato_yr23", kCoesivi},
    {"non_drenato_yr18",
     {"coesivi", "lunghezza=5", "larghezza=1", "altezza=1,5", "peso_terreno_rinterro=1850",
      "coesione_non_drenata=0,3", "coefficiente_sicurezza=1,8", kAccenti}},
    {"non_drenato_yr3",
     {"coesivi", "lunghezza=1", "larghezza=1", "altezza=1", "peso_terreno_rinterro=1800",
      "coesione_non_drenata=0,5", "coefficiente_sicurezza=3", "descrizione=Muro"}},
    {"drenato_no", kSciolti},
    {"drenato_si", with(kSciolti, {"falda=SI"})},
    {"drenato_h_oltre_b",
     {"sciolti", "lunghezza=3", "larghezza=2", "altezza=3", "angolo=28", "coesione_drenata=0,1",
      "peso_terreno_fondazione=2000", "peso_terreno_rinterro=1800", kAccenti}},
    {"drenato_yr18",
     {"sciolti", "lunghezza=2", "larghezza=2", "altezza=2", "angolo=25", "coesione_drenata=0.05",
      "peso_terreno_fondazione=1900", "peso_terreno_rinterro=1700", "coefficiente_sicurezza=1,8",
      "descrizione=Capannone"}},
    {"drenato_yr3",
     {"sciolti", "lunghezza=10", "larghezza=2", "altezza=1", "angolo=27,5", "coesione_drenata=0,5",
      "peso_terreno_fondazione=1900", "peso_terreno_rinterro=1800", "coefficiente_sicurezza=3",
      "falda=SI", "descrizione=Angolo 27,5"}},
};

class FondaraCalcReport : public testing::TestWithParam<ReportCase> {};

TEST_P(FondaraCalcReport, FileIsByteIdenticalToTheExpectedReport) {
  TempFolder folder;
  const auto path = folder / "relazione.txt";
  const Outcome run = run_fondara_calc(with(GetParam().args, {"--report", path.string()}), folder);
  EXPECT_EQ(run.exit_code, 0) << run.err;
  EXPECT_EQ(slurp(path), read_data(std::string(GetParam().expected) + ".txt"));
  EXPECT_EQ(folder.entries(), std::vector<std::string>{"relazione.txt"});
}

TEST_P(FondaraCalcReport, StandardOutputReportIsTheSameBytes) {
  TempFolder folder;
  const Outcome run = run_fondara_calc(with(GetParam().args, {"--report=-"}), folder);
  EXPECT_EQ(run.exit_code, 0) << run.err;
  EXPECT_EQ(run.out, read_data(std::string(GetParam().expected) + ".txt"));
}

TEST_P(FondaraCalcReport, PrintPreviewMatchesThePrintedLines) {
  TempFolder folder;
  const Outcome run = run_fondara_calc(with(GetParam().args, {"--stampa"}), folder);
  EXPECT_EQ(run.exit_code, 0) << run.err;
  EXPECT_EQ(run.out, read_data(std::string(GetParam().expected) + ".stampa.txt"));
}

INSTANTIATE_TEST_SUITE_P(WorkedExamples, FondaraCalcReport, testing::ValuesIn(kReports),
                         [](const auto& row) { return std::string(row.param.expected); });

TEST(FondaraCalc, SavingAgainReplacesTheFile) {
  TempFolder folder;
  const auto path = folder / "relazione.txt";
  spit(path, std::string(10000, 'x'));
  const Outcome run = run_fondara_calc(with(kCoesivi, {"--report", path.string()}), folder);
  EXPECT_EQ(run.exit_code, 0);
  EXPECT_EQ(slurp(path), read_data("non_drenato_yr23.txt"));
}

struct BadInput {
  const char* name;
  Args args;
  int exit_code;
  std::string message;
};

void PrintTo(const BadInput& row, std::ostream* out) {
  *out << row.name;
}

const BadInput kBadInputs[] = {
    {"missing_field",
     {"coesivi", "lunghezza=10", "larghezza=2", "altezza=1", "peso_terreno_rinterro=1800"},
     2,
     "Manca il campo coesione_non_drenata: cu, coesione non drenata (daN/cm², bar)."},
    {"unknown_field", with(kCoesivi, {"angolo=30"}), 2,
     "Campo sconosciuto per coesivi: angolo (vedere fondara-calc --help)."},
    {"field_given_twice", with(kCoesivi, {"lunghezza=12"}), 2,
     "Il campo lunghezza è indicato due volte."},
    {"second_comma",
     {"coesivi", "lunghezza=10", "larghezza=2,5,1", "altezza=1", "peso_terreno_rinterro=1800",
      "coesione_non_drenata=0,5"},
     2,
     "Il valore di larghezza non è un numero: \"2,5,1\"."},
    {"letters", with(kSciolti, {"coefficiente_sicurezza=abc"}), 2,
     "Il valore di coefficiente_sicurezza non è un numero: \"abc\"."},
    {"minus_sign_the_field_cannot_type", with(kSciolti, {"coefficiente_sicurezza=-2"}), 2,
     "Il valore di coefficiente_sicurezza non è un numero: \"-2\"."},
    {"exponent", with(kSciolti, {"coefficiente_sicurezza=2e1"}), 2,
     "Il valore di coefficiente_sicurezza non è un numero: \"2e1\"."},
    {"empty_value", with(kSciolti, {"coefficiente_sicurezza="}), 2,
     "Il valore di coefficiente_sicurezza non è un numero: \"\"."},
    {"lone_comma", with(kSciolti, {"coefficiente_sicurezza=,"}), 2,
     "Il valore di coefficiente_sicurezza non è un numero: \",\"."},
    {"water_table_neither_si_nor_no", with(kSciolti, {"falda=forse"}), 2,
     "Il campo falda vale SI o NO, non \"forse\"."},
    {"description_with_line_break", with(kCoesivi, {"descrizione=a\nb"}), 2,
     "La descrizione non può contenere a capo, tabulazioni o altri caratteri di controllo."},
    {"length_below_width",
     {"coesivi", "lunghezza=1", "larghezza=2", "altezza=1", "peso_terreno_rinterro=1800",
      "coesione_non_drenata=0,5"},
     1,
     "La lunghezza deve essere superiore alla larghezza"},
    {"zero_angle",
     {"sciolti", "lunghezza=10", "larghezza=2", "altezza=1", "angolo=0", "coesione_drenata=0",
      "peso_terreno_fondazione=1900", "peso_terreno_rinterro=1800"},
     1,
     "Impossibile eseguire il calcolo: l'angolo di attrito φ' non può essere zero."},
    {"zero_safety_factor", with(kCoesivi, {"coefficiente_sicurezza=0"}), 1,
     "Impossibile eseguire il calcolo: il coefficiente di sicurezza YR non può essere zero."},
    {"report_value_beyond_float_range",
     {"coesivi", "lunghezza=10", "larghezza=2", "altezza=1", "peso_terreno_rinterro=1800",
      "coesione_non_drenata=10000000000000000000000000000000000"},
     1,
     "Impossibile preparare la relazione: un valore da stampare supera il massimo valore "
     "rappresentabile."},
    {"no_soil_family",
     {"lunghezza=10"},
     2,
     "Indicare il tipo di terreno, coesivi o sciolti (vedere fondara-calc --help)."},
    {"unknown_soil_family",
     {"rocce", "lunghezza=10"},
     2,
     "Tipo di terreno sconosciuto: \"rocce\"; usare coesivi o sciolti."},
    {"unknown_option", with(kCoesivi, {"--pdf"}), 2,
     "Opzione sconosciuta: --pdf (vedere fondara-calc --help)."},
    {"argument_without_equals", with(kCoesivi, {"dieci"}), 2,
     "Argomento non riconosciuto: \"dieci\" (atteso campo=valore)."},
};

class FondaraCalcBadInput : public testing::TestWithParam<BadInput> {};

TEST_P(FondaraCalcBadInput, OneItalianLineNonZeroExitAndNoFile) {
  TempFolder folder;
  const auto path = folder / "relazione.txt";
  const Outcome run = run_fondara_calc(with(GetParam().args, {"--report", path.string()}), folder);
  EXPECT_EQ(run.exit_code, GetParam().exit_code);
  EXPECT_EQ(run.err, "fondara-calc: " + GetParam().message + "\n");
  EXPECT_EQ(run.out, "");
  EXPECT_TRUE(folder.entries().empty()) << "a file was left behind";
}

INSTANTIATE_TEST_SUITE_P(Refused, FondaraCalcBadInput, testing::ValuesIn(kBadInputs),
                         [](const auto& row) { return std::string(row.param.name); });

TEST(FondaraCalc, FailedReportLeavesAnEarlierFileUntouched) {
  TempFolder folder;
  const auto path = folder / "relazione.txt";
  spit(path, "versione precedente");
  const Args huge = {"coesivi",
                     "lunghezza=10",
                     "larghezza=2",
                     "altezza=1",
                     "peso_terreno_rinterro=1800",
                     "coesione_non_drenata=10000000000000000000000000000000000"};
  const Outcome run = run_fondara_calc(with(huge, {"--report", path.string()}), folder);
  EXPECT_EQ(run.exit_code, 1);
  EXPECT_EQ(slurp(path), "versione precedente");
  EXPECT_EQ(folder.entries(), std::vector<std::string>{"relazione.txt"});
}

TEST(FondaraCalc, ReportIntoMissingFolderIsAFileError) {
  TempFolder folder;
  const auto path = folder / "manca" / "relazione.txt";
  const Outcome run = run_fondara_calc(with(kCoesivi, {"--report", path.string()}), folder);
  EXPECT_EQ(run.exit_code, 3);
  EXPECT_EQ(run.err, "fondara-calc: Impossibile scrivere il file \"" + path.string() +
                         "\": la cartella non esiste.\n");
  EXPECT_TRUE(folder.entries().empty());
}

TEST(FondaraCalc, ReportOntoAFolderIsAFileErrorAndLeavesNoTemporaryFile) {
  TempFolder folder;
  std::filesystem::create_directory(folder / "cartella");
  const Outcome run =
      run_fondara_calc(with(kCoesivi, {"--report", (folder / "cartella").string()}), folder);
  EXPECT_EQ(run.exit_code, 3);
  EXPECT_NE(run.err.find("è una cartella"), std::string::npos) << run.err;
  EXPECT_EQ(folder.entries(), std::vector<std::string>{"cartella"});
}

TEST(FondaraCalc, HelpNamesEveryFieldWithItsUnit) {
  TempFolder folder;
  const Outcome run = run_fondara_calc({"--help"}, folder);
  EXPECT_EQ(run.exit_code, 0);
  for (const char* text :
       {"lunghezza ", "larghezza ", "altezza ", "peso_terreno_rinterro ", "coesione_non_drenata ",
        "coefficiente_sicurezza ", "angolo ", "coesione_drenata ", "peso_terreno_fondazione ",
        "falda ", "descrizione ", "(m)", "(gradi)", "(daN/m³)", "(daN/cm², bar)",
        "Codici di uscita"})
    EXPECT_NE(run.out.find(text), std::string::npos) << text;
}

}  // namespace
}  // namespace fondara::test
