// fondara-calc run as a separate process, as a script would: results, one report by bytes,
// one batch, the PDF, every refusal with its exit code and one line, the file targets.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <pty.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <map>

#include "row_name.h"
#include "test_data.h"

namespace fondara::test {
namespace {

namespace fs = std::filesystem;
using Args = std::vector<std::string>;

// An undrained calculation with every field given; a batch of them on standard input.
// clang-format off
const Args kCoesivi = {"coesivi", "lunghezza=10", "larghezza=2", "altezza=1",
                       "peso_terreno_rinterro=1800", "coesione_non_drenata=0,5"};
const Args kBatch = {"coesivi", "--csv", "-"};
const std::string kHeader = "lunghezza;larghezza;altezza;peso_terreno_rinterro;coesione_non_drenata";
const std::string kRow = "10;2;1;1800;0,5\n";
const std::string kResultsHeader = kHeader + ";coefficiente_sicurezza;descrizione;qR;qd;errore\r\n";
const std::string kResultRow = "10;2;1;1800;0,5;2,3;;2,88;1,25;\r\n";
// clang-format on

std::string repeated(const std::string& text, int times) {
  std::string all;
  for (int i = 0; i < times; ++i) all += text;
  return all;
}

Args with(Args args, const Args& more) {
  args.insert(args.end(), more.begin(), more.end());
  return args;
}

void spit(const fs::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

// A word for the shell, taken as it is.
std::string quoted(std::string text) {
  for (std::size_t at = 0; (at = text.find('\'', at)) != std::string::npos; at += 4)
    text.replace(at, 1, "'\\''");
  return '\'' + text + '\'';
}

// A fresh folder for one test, removed with everything in it at the end.
struct TempFolder {
  TempFolder() { EXPECT_NE(::mkdtemp(name.data()), nullptr); }
  ~TempFolder() { fs::remove_all(name); }
  fs::path operator/(const std::string& file) const { return fs::path(name) / file; }
  // Runs shell commands in the folder: their wait status.
  int shell(const std::string& commands) const {
    return std::system(("cd " + quoted(name) + " && " + commands).c_str());
  }
  std::string name = fs::temp_directory_path() / "fondara-calc-XXXXXX";
};

struct Outcome {
  int exit_code = -1;
  std::string out, err;
  bool operator==(const Outcome&) const = default;
};

void PrintTo(const Outcome& run, std::ostream* out) {
  *out << "exit " << run.exit_code << ", out \"" << run.out << "\", err \"" << run.err << '"';
}

// The program's start in the test's folder: standard input holds `input` or comes from
// `in_from`; output and error are captured unless `out_to` names a target (appended to
// with `append`); "-" closes one. `limits` are ulimit options set first.
struct Start {
  std::string input{}, in_from{}, out_to{};
  bool as_nobody = false;
  bool append = false;
  std::string limits{};
};

Outcome run_fondara_calc(const Args& args, const TempFolder& folder, const Start& start = {}) {
  const auto stream = [](const std::string& name, const char* captured) {
    return name == "-" ? "&-" : quoted(name.empty() ? captured : name);
  };
  spit(folder / ".stdin", start.input);
  std::string command = start.limits.empty() ? "" : "ulimit " + start.limits + " && ";
  command += "exec ";
  if (start.as_nobody) command += "setpriv --reuid=nobody --regid=nogroup --clear-groups ";
  for (const std::string& arg : with({FONDARA_CALC}, args)) command += quoted(arg) + ' ';
  const int status =
      folder.shell(command + "<" + stream(start.in_from, ".stdin") + (start.append ? " >>" : " >") +
                   stream(start.out_to, ".stdout") + " 2>.stderr");
  const Outcome run{WIFEXITED(status) ? WEXITSTATUS(status) : -1,
                    start.out_to.empty() ? read_file(folder / ".stdout") : "",
                    read_file(folder / ".stderr")};
  for (const char* name : {".stdin", ".stdout", ".stderr"}) fs::remove(folder / name);
  return run;
}

const std::string kShown =
    "CARICO DI ROTTURA:    qR = 2,88 daN/cm^2 (bar)\n"
    "CARICO DI PROGETTO:   qd = 1,25 daN/cm^2 (bar)\n";

TEST(FondaraCalc, ShowsTheResultBoxesAndWritesTheSaveButtonsReport) {
  TempFolder folder;
  EXPECT_EQ(run_fondara_calc(kCoesivi, folder), (Outcome{0, kShown, ""}));
  const auto path = folder / "relazione.txt";
  spit(path, std::string(10000, 'x'));  // longer than the report
  EXPECT_EQ(run_fondara_calc(with(kCoesivi, {"--report", path.string()}), folder).exit_code, 0);
  EXPECT_EQ(read_file(path), read_data("non_drenato_yr23.txt"));
  EXPECT_EQ(run_fondara_calc(with(kCoesivi, {"--report=-"}), folder).out, read_file(path));
}

// Rows that compute keep today's bytes; a row with the wrong number of fields keeps
// those it has and names its line; the count of failed rows goes to standard error.
TEST(FondaraCalc, BatchRowsGiveResultsOrTheirMessage) {
  TempFolder folder;
  spit(folder / "dati.csv",
       " " + kHeader + ";descrizione \n10;2;1;1800;0,5;Muro A\n1;2;1;1800;0,5;B\n\n" +
           "5;1;1.5;1850;0,3;\"Muro \"\"C\"\"; lato\"\n10;2;x;1800;0,5;D\n10;2;1\n" +
           "10;2;1;1800;0,5;E;troppo\n10\n10;2;1;1800;0,5;F\xff\n");
  const std::string results =
      kHeader +
      ";coefficiente_sicurezza;descrizione;qR;qd;errore\r\n"
      "10;2;1;1800;0,5;2,3;Muro A;2,88;1,25;\r\n"
      "1;2;1;1800;0,5;2,3;B;;;La lunghezza deve essere superiore alla larghezza\r\n"
      "5;1;1.5;1850;0,3;2,3;\"Muro \"\"C\"\"; lato\";1,93;0,84;\r\n"
      "10;2;x;1800;0,5;2,3;D;;;\"Il valore di altezza non è un numero: \"\"x\"\".\"\r\n"
      "10;2;1;;;2,3;;;;La riga 7 ha 3 campi, l'intestazione ne ha 6.\r\n"
      "10;2;1;1800;0,5;2,3;E;;;La riga 8 ha 7 campi, l'intestazione ne ha 6.\r\n"
      "10;;;;;2,3;;;;La riga 9 ha 1 campo, l'intestazione ne ha 6.\r\n"
      "10;2;1;1800;0,5;2,3;F\xEF\xBF\xBD;;;La descrizione non è testo UTF-8 valido.\r\n";
  const std::string summary =
      "fondara-calc: 6 righe non calcolate; la prima è la riga 3 del file CSV.\n";
  EXPECT_EQ(run_fondara_calc({"coesivi", "--csv", "dati.csv", "--output", "r.csv"}, folder),
            (Outcome{1, "", summary}));
  EXPECT_EQ(read_file(folder / "r.csv"), results);
  EXPECT_EQ(run_fondara_calc(kBatch, folder, {read_file(folder / "dati.csv")}),
            (Outcome{1, results, summary}));
}

// An optional field's empty or blank cell takes its default, which its output cell shows.
TEST(FondaraCalc, BatchEmptyOptionalCellsTakeTheirDefault) {
  TempFolder folder;
  const std::string header =
      "lunghezza;larghezza;altezza;angolo;coesione_drenata;peso_terreno_fondazione;"
      "peso_terreno_rinterro;coefficiente_sicurezza;falda;descrizione";
  const std::string row = "10;2;1;30;0;1900;1800;2,3;NO;;15,02;18,34;30,05;6,84;2,97;\r\n";
  EXPECT_EQ(run_fondara_calc({"sciolti", "--csv", "-"}, folder,
                             {header + "\n10;2;1;30;0;1900;1800;;;\n10;2;1;30;0;1900;1800; ; ;\n"}),
            (Outcome{0, header + ";NY;Nq;Nc;qR;qd;errore\r\n" + row + row, ""}));
}

// Rows of 1 MiB, each with the megabyte in another field: kept field by field, 128 of them
// would pass an address space of 160 MiB, which the program with its libraries fits
// into with room to spare. The address sanitizer reserves terabytes of address space, so
// the test is not built there.
#if !defined(__SANITIZE_ADDRESS__)
TEST(FondaraCalc, BatchMemoryDoesNotGrowWithTheRows) {
  TempFolder folder;
  ASSERT_EQ(folder.shell("awk 'BEGIN { print \"" + kHeader +
                         "\"; mib = \"x\"; while (length(mib) < 1048576) mib = mib mib;"
                         " for (i = 0; i < 1023; i++) semicolons = semicolons \";\";"
                         " for (i = 0; i < 128; i++)"
                         "   print substr(semicolons, 1, i) mib substr(semicolons, i + 1) }'"
                         " >wide.csv"),
            0);
  EXPECT_EQ(
      run_fondara_calc({"coesivi", "--csv", "wide.csv"}, folder,
                       {.out_to = "/dev/null", .limits = "-v 163840"}),
      (Outcome{1, "",
               "fondara-calc: 128 righe non calcolate; la prima è la riga 2 del file CSV.\n"}));
}
#endif

// Refused commands and failed reads and writes. The test's folder holds what `made` made
// before, unchanged, and standard output holds `out`: the rows of a batch before the one
// that stopped it.
struct Refusal {
  const char* name;
  Args args;
  Start start;
  int exit_code;
  std::string message;
  std::string out{};
  std::string made{};
};

// Shell commands writing `bytes` into the file `name`.
std::string made_file(const std::string& name, const std::string& bytes) {
  return "printf %s " + quoted(bytes) + " >" + name;
}

const std::string kIntoInput =
    "Impossibile scrivere i risultati nel file CSV che si sta leggendo: scegliere un altro file.";
const std::string kSameFile =
    "--report e --pdf indicano lo stesso file: scriverli in file diversi.";

const std::string kNeedsName =
    "L'opzione --report richiede un nome di file (oppure - per i flussi standard).";

// clang-format off
const Refusal kRefusals[] = {
    {"length_below_width", {"coesivi", "lunghezza=1", "larghezza=2", "altezza=1",
     "peso_terreno_rinterro=1800", "coesione_non_drenata=0,5", "--report=r.txt"}, {}, 1,
     "La lunghezza deve essere superiore alla larghezza"},
    {"option_report_as_last_argument", with(kCoesivi, {"--report"}), {}, 2, kNeedsName},
    {"option_report_equals_without_name", with(kCoesivi, {"--report="}), {}, 2, kNeedsName},
    {"option_print_and_report_both_on_standard_output", with(kCoesivi, {"--stampa", "--report",
     "-"}), {}, 2, "--report - e --stampa scrivono entrambe sullo standard output: usarne una."},
    {"option_output_without_csv", with(kCoesivi, {"--output", "x.csv"}), {}, 2,
     "L'opzione --output vale solo con --csv."},
    {"option_pdf_on_standard_output", with(kCoesivi, {"--pdf", "-"}), {}, 2,
     "L'opzione --pdf richiede un nome di file."},
    {"option_pdf_with_csv", with(kBatch, {"--pdf=r.pdf"}), {kHeader + "\n"}, 2,
     "Le opzioni --report, --stampa, --pdf, --apri e --salva-dati non valgono con --csv."},
    {"open_with_fields", {"--apri", "d.fondara", "lunghezza=1"}, {}, 2,
     "Con --apri i dati si leggono dal file: non indicare campi nel comando."},
    {"open_with_a_kind", {"coesivi", "--apri", "d.fondara"}, {}, 2,
     "Con --apri il tipo di calcolo si legge dal file: non indicarlo nel comando."},
    {"open_missing_file", {"--apri", "manca.fondara"}, {}, 3,
     "Impossibile aprire il file \"manca.fondara\": il file non esiste."},
    {"open_malformed_file", {"--apri", "d.fondara", "--report", "r.txt"}, {}, 2,
     "Impossibile aprire il file \"d.fondara\": nome sconosciuto \"largezza\" per il tipo "
     "coesivi (riga 3).", "", made_file("d.fondara", "FONDARA-DATI 1\ntipo=coesivi\nlargezza=2\n")},
    {"report_and_data_by_one_name", with(kCoesivi, {"--report", "r", "--salva-dati", "r"}), {}, 2,
     "--report e --salva-dati indicano lo stesso file: scriverli in file diversi."},
    {"ambiguous_thousands", with(kCoesivi, {"coefficiente_sicurezza=1.800"}), {}, 2,
     "Il valore di coefficiente_sicurezza è ambiguo: \"1.800\". Scrivere 1800 oppure 1,8."},
    {"ambiguous_thousands_in_a_batch", with(kBatch, {"--output", "/dev/null"}),
     {kHeader + "\n12.500;1;1;1;1\n"}, 1,
     "Una riga non calcolata: la riga 2 del file CSV."},
    {"safe_text_escaped_and_cut", with(kCoesivi, {"coefficiente_sicurezza=s\xff\n\x1b]0;x\a" +
     std::string(100000, 'i')}), {}, 2, "Il valore di coefficiente_sicurezza non è un numero: "
     "\"s\xEF\xBF\xBD\\n\\e]0;x\\x07" + std::string(51, 'i') + "…\"."},
    {"safe_text_unknown_option", with(kCoesivi, {"--pdf\x1b[2J"}), {}, 2,
     "Opzione sconosciuta: \"--pdf\\e[2J\" (vedere fondara-calc --help)."},
    {"safe_text_csv_column", kBatch, {kHeader + ";\x9b\n"}, 2,
     "Intestazione CSV: colonna sconosciuta \"\xEF\xBF\xBD\"."},
    {"csv_quote_never_closed", with(kBatch, {"--output=r.csv"}), {kHeader + "\n1;1;1;1;\"1\n"},
     2, "Il file CSV ha un campo tra virgolette non chiuso (riga 2)."},
    {"csv_empty", kBatch, {}, 2, "Il file CSV è vuoto: manca la riga d'intestazione."},
    {"csv_from_the_device_written_to", {"coesivi", "--csv", "/dev/null"}, {.out_to = "/dev/null"},
     2, "Il file CSV è vuoto: manca la riga d'intestazione."},
    {"read_unbounded_input", {"coesivi", "--csv", "/dev/zero"}, {}, 2,
     "Il file CSV ha una riga troppo lunga (riga 1): al massimo 1 MiB e 1024 campi."},
    {"read_closed_standard_input", kBatch, {"", "-"}, 3,
     "Impossibile leggere lo standard input: il flusso non è aperto."},
    {"read_folder_as_standard_input", kBatch, {"", "/"}, 3,
     "Impossibile leggere lo standard input: è una cartella."},
    {"read_missing_file", {"coesivi", "--csv", "manca.csv"}, {}, 3,
     "Impossibile leggere il file \"manca.csv\": il file non esiste."},
    {"read_process_memory", {"coesivi", "--csv", "/proc/self/mem"}, {}, 3, "Impossibile leggere "
     "il file \"/proc/self/mem\": errore di lettura o scrittura del dispositivo."},
    {"stdout_closed", kCoesivi, {"", "", "-"}, 3,
     "Impossibile scrivere sullo standard output: il flusso non è aperto."},
    {"results_appended_to_the_input_file", {"coesivi", "--csv", "f.csv"},
     {.out_to = "f.csv", .append = true}, 3, kIntoInput, "", made_file("f.csv", kHeader + "\n" + kRow)},
    {"results_of_standard_input_appended_to_it", kBatch,
     {.in_from = "f.csv", .out_to = "f.csv", .append = true}, 3, kIntoInput, "",
     made_file("f.csv", kHeader + "\n" + kRow)},
    {"output_is_the_input_file", {"coesivi", "--csv", "f.csv", "--output", "f.csv"}, {}, 3,
     kIntoInput, "", made_file("f.csv", kHeader + "\n" + kRow)},
    {"rows_before_an_open_quote_stay_on_standard_output", kBatch,
     {kHeader + "\n" + kRow + "1;1;1;1;\"1\n"}, 2,
     "Il file CSV ha un campo tra virgolette non chiuso (riga 3).", kResultsHeader + kResultRow},
    {"rows_before_an_overlong_row_stay_on_standard_output", kBatch,
     {kHeader + "\n" + repeated(kRow, 3000) + std::string(1100, ';')}, 2,
     "Il file CSV ha una riga troppo lunga (riga 3002): al massimo 1 MiB e 1024 campi.",
     kResultsHeader + repeated(kResultRow, 3000)},
    {"option_given_twice", with(kCoesivi, {"--report=a", "--report", "b"}), {}, 2,
     "L'opzione --report è indicata due volte."},
    {"option_value_is_an_option", with(kCoesivi, {"--report", "--stampa"}), {}, 2,
     "L'opzione --report richiede un nome di file, non un'altra opzione: \"--stampa\" (un file "
     "con questo nome si indica come ./--nome)."},
    {"two_outputs_by_one_name", with(kCoesivi, {"--report", "r", "--pdf", "r"}), {}, 2, kSameFile},
    {"two_outputs_to_one_file_by_two_names", with(kCoesivi, {"--report", "r", "--pdf", "l"}), {},
     2, kSameFile, "", "printf precedente >r && ln -s r l"},
    {"report_named_as_standard_output_and_print", with(kCoesivi, {"--report", "/dev/stdout",
     "--stampa"}), {}, 2, "--report \"/dev/stdout\" e --stampa scrivono entrambe sullo standard "
     "output: usarne una."},
    {"description_with_a_control_sequence_introducer", with(kCoesivi, {"--stampa",
     "descrizione=a\xC2\x9B" "2J"}), {}, 2,
     "La descrizione non può contenere caratteri di controllo C1 (da U+0080 a U+009F)."},
    {"invisible_character_in_a_value_escaped", with(kCoesivi, {"coefficiente_sicurezza=2\xC2\xA0"}),
     {}, 2, "Il valore di coefficiente_sicurezza non è un numero: \"2\\u{00A0}\"."},
};
// clang-format on

// Every file in the folder with its bytes; a link with where it points.
std::map<std::string, std::string> files_in(const TempFolder& folder) {
  std::map<std::string, std::string> files;
  for (const auto& entry : fs::directory_iterator(folder.name))
    files[entry.path().filename()] = entry.is_symlink()
                                         ? "-> " + fs::read_symlink(entry.path()).string()
                                         : read_file(entry.path());
  return files;
}

class FondaraCalcRefuses : public testing::TestWithParam<Refusal> {};

TEST_P(FondaraCalcRefuses, WithItsExitCodeOneItalianLineAndNoFileChanged) {
  const Refusal& row = GetParam();
  TempFolder folder;
  ASSERT_EQ(row.made.empty() ? 0 : folder.shell(row.made), 0);
  const auto before = files_in(folder);
  EXPECT_EQ(run_fondara_calc(row.args, folder, row.start),
            (Outcome{row.exit_code, row.out, "fondara-calc: " + row.message + "\n"}));
  EXPECT_EQ(files_in(folder), before) << "a file was changed or left behind";
}

INSTANTIATE_TEST_SUITE_P(Commands, FondaraCalcRefuses, testing::ValuesIn(kRefusals),
                         testing_support::RowName{});

// Standard output on a device node like the system's full one, made in the test's folder.
TEST(FondaraCalc, EveryWriteToStandardOutputIsChecked) {
  TempFolder folder;
  if (folder.shell("mknod pieno c 1 7") != 0) GTEST_SKIP() << "needs root: not run here";
  for (const Args& args : {kCoesivi, with(kCoesivi, {"--stampa"}), kBatch, Args{"--help"}})
    EXPECT_EQ(run_fondara_calc(args, folder, {kHeader + "\n", "", "pieno"}),
              (Outcome{3, "",
                       "fondara-calc: Impossibile scrivere sullo standard output: "
                       "spazio esaurito.\n"}))
        << args.back();
}

// Without a display, --pdf writes a PDF/A file with the lines of the printed report.
TEST(FondaraCalc, PdfIsDrawnWithoutADisplayWithThePrintedReport) {
  const TempFolder folder;
  ::unsetenv("DISPLAY");
  EXPECT_EQ(run_fondara_calc(with(kCoesivi, {"--pdf", "r.pdf"}), folder), (Outcome{0, kShown, ""}));
  spit(folder / "stampa.txt", run_fondara_calc(with(kCoesivi, {"--stampa"}), folder).out);
  EXPECT_EQ(folder.shell("pdftotext -layout r.pdf && diff -wB stampa.txt r.txt"), 0);
  EXPECT_EQ(folder.shell("pdfinfo -meta r.pdf | grep -q 'pdfaid:part=\"1\"' && pdfinfo r.pdf | "
                         "grep -q '^Title: *Relazione di calcolo - terreni coesivi$'"),
            0);
}

// Every kind's fields saved as data, alone or inside the PDF report, reopen to the same
// report bytes; the data of a reopened file is written again unchanged.
TEST(FondaraCalc, DataAndPdfReportsReopenToTheSameReports) {
  const TempFolder folder;
  const Args kinds[] = {
      with(kCoesivi, {"descrizione=Muro — città", "coefficiente_sicurezza=1.8"}),
      {"sciolti", "lunghezza=3", "larghezza=2", "altezza=3", "angolo=28,5", "coesione_drenata=0.1",
       "peso_terreno_fondazione=2000", "peso_terreno_rinterro=1800", "falda=si"},
      {"verifica", "condizioni=drenate", "larghezza=1", "lunghezza=6", "profondita=0,75",
       "angolo=30", "peso_terreno=10", "approccio=EC7-DA1-C1", "N=200", "MB=30", "ML=-88", "HB=60",
       "HL=30", "falda=0.5", "peso_saturo=19"}};
  for (const Args& fields : kinds) {
    SCOPED_TRACE(fields.front());
    const Outcome first = run_fondara_calc(
        with(fields, {"--report", "r.txt", "--pdf", "r.pdf", "--salva-dati", "d.fondara"}), folder);
    ASSERT_EQ(first.exit_code, 0) << first.err;
    for (const char* file : {"d.fondara", "r.pdf"}) {
      const Outcome reopened =
          run_fondara_calc({"--apri", file, "--report", "-", "--salva-dati", "e.fondara"}, folder);
      EXPECT_EQ(reopened, (Outcome{0, read_file(folder / "r.txt"), ""})) << file;
      EXPECT_EQ(read_file(folder / "e.fondara"), read_file(folder / "d.fondara")) << file;
    }
  }
}

// What stands under "relazione.txt" before --report or --output writes to it, made by
// shell commands; "precedente" is the old bytes.
struct Target {
  const char* name;
  const char* made;
  mode_t type;        // what "relazione.txt" is afterwards, with a regular file's permissions
  std::string cause;  // empty when the write succeeds
  const char* holding = "relazione.txt";  // the output, or still the old bytes on failure
  bool as_nobody = false;
  bool read_slowly = false;  // a FIFO read by another process that starts late
};

// clang-format off
const Target kTargets[] = {
    {"full_device_is_written_not_replaced", "mknod relazione.txt c 1 7", S_IFCHR,
     "spazio esaurito", nullptr},
    {"fifo_without_reader_is_refused_at_once", "mkfifo relazione.txt", S_IFIFO,
     "nessun programma legge la FIFO, o il dispositivo non esiste", nullptr},
    {"fifo_with_reader_gets_the_bytes", "mkfifo relazione.txt", S_IFIFO, "", "letti.txt", false,
     true},
    {"link_is_written_through", "printf precedente >vera.txt && ln -s vera.txt relazione.txt",
     S_IFLNK, "", "vera.txt"},
    {"dangling_link_creates_its_target", "ln -s vera.txt relazione.txt", S_IFLNK, "", "vera.txt"},
    {"private_file_stays_private", "printf precedente >relazione.txt && chmod 600 relazione.txt",
     S_IFREG | 0600, ""},
    {"read_only_file_in_a_writable_folder_is_refused",
     "printf precedente >relazione.txt && chmod 400 relazione.txt", S_IFREG | 0400,
     "permesso negato"},
    {"another_users_file_in_a_shared_folder_is_refused",
     "printf precedente >relazione.txt && chmod 644 relazione.txt && chmod 777 .", S_IFREG | 0644,
     "permesso negato", "relazione.txt", true},
};
// clang-format on

// Opens `fifo` for reading, then in another process waits, so that a batch meets a full
// pipe, and copies what it reads into `copy`.
bool read_slowly(const fs::path& fifo, const fs::path& copy) {
  const int reader = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
  if (reader >= 0 && ::fork() == 0) {
    ::fcntl(reader, F_SETFL, 0);
    ::alarm(20);
    ::usleep(300000);
    std::string bytes;
    char chunk[4096];
    for (ssize_t n; (n = ::read(reader, chunk, sizeof chunk)) > 0 || bytes.empty();)
      bytes.append(chunk, static_cast<std::size_t>(std::max<ssize_t>(n, 0)));
    spit(copy, bytes);
    ::_exit(0);
  }
  return reader >= 0 && ::close(reader) == 0;
}

class FondaraCalcTarget : public testing::TestWithParam<Target> {};

TEST_P(FondaraCalcTarget, ReportAndBatchOutput) {
  const Target& row = GetParam();
  std::string input = kHeader + "\n";
  for (int line = 0; line < 4000; ++line) input += "1;1;1;1;1\n";
  for (const Args& command : {with(kCoesivi, {"--report"}), with(kBatch, {"--output"})}) {
    SCOPED_TRACE(command.back());
    TempFolder folder;
    const std::string bytes = run_fondara_calc(with(command, {"-"}), folder, {input}).out;
    if (folder.shell(row.made) != 0 || (row.as_nobody && ::geteuid() != 0))
      GTEST_SKIP() << "needs root: not run here";
    const auto path = folder / "relazione.txt";
    ASSERT_TRUE(!row.read_slowly || read_slowly(path, folder / row.holding));
    const std::string failure = "fondara-calc: Impossibile scrivere il file \"" + path.string() +
                                "\": " + row.cause + ".\n";
    EXPECT_EQ(run_fondara_calc(with(command, {path.string()}), folder,
                               {input, "", "/dev/null", row.as_nobody}),
              (Outcome{row.cause.empty() ? 0 : 3, "", row.cause.empty() ? "" : failure}));
    struct stat status {};
    ASSERT_EQ(::lstat(path.c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & (row.type & 07777 ? S_IFMT | 07777 : S_IFMT), row.type);
    if (row.read_slowly) ::wait(nullptr);
    if (row.holding) {
      EXPECT_EQ(read_file(folder / row.holding), row.cause.empty() ? bytes : "precedente");
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Existing, FondaraCalcTarget, testing::ValuesIn(kTargets),
                         testing_support::RowName{});

// The temporary file's name stays within the folder's limit on names (255 bytes).
TEST(FondaraCalcTarget, LongestNamesAreWritten) {
  TempFolder folder;
  for (const std::size_t length : {248u, 255u, 256u}) {
    const std::string name(length, 'r');
    const Outcome run =
        run_fondara_calc(with(kBatch, {"--output", name}), folder, {kHeader + "\n"});
    EXPECT_EQ(run.exit_code, length <= 255 ? 0 : 3) << length;
    EXPECT_EQ(::access((folder / name).c_str(), F_OK) == 0, length <= 255) << length;
    EXPECT_EQ(run.err.find(": il nome è troppo lungo.") != std::string::npos, length > 255);
  }
  EXPECT_EQ(std::distance(fs::directory_iterator(folder.name), {}), 2) << "no temporary left";
}

// A name for the file already open as standard output: written through it, as "-" would
// be, never replaced behind it (what it held stays; "precedente" here).
struct StandardOutputName {
  const char* name;
  Args args;
  std::string input;
  Args as_dash;  // the same command with "-"; empty for the PDF, which has none
};

const StandardOutputName kStandardOutputNames[] = {
    {"report_by_its_descriptor", with(kCoesivi, {"--report", "/proc/self/fd/1"}), "",
     with(kCoesivi, {"--report", "-"})},
    {"batch_output_by_dev_stdout", with(kBatch, {"--output", "/dev/stdout"}), kHeader + "\n" + kRow,
     kBatch},
    {"pdf_by_dev_stdout", with(kCoesivi, {"--pdf", "/dev/stdout"}), "", {}},
};

class FondaraCalcStandardOutput : public testing::TestWithParam<StandardOutputName> {};

TEST_P(FondaraCalcStandardOutput, IsWrittenThroughNotReplaced) {
  const StandardOutputName& row = GetParam();
  TempFolder folder;
  spit(folder / "uscita", "precedente\n");
  EXPECT_EQ(run_fondara_calc(row.args, folder, {row.input, "", "uscita", false, true}),
            (Outcome{0, "", ""}));
  const std::string written = read_file(folder / "uscita");
  if (row.as_dash.empty()) {
    EXPECT_TRUE(written.starts_with("precedente\n%PDF-") && written.ends_with("%%EOF\n"))
        << written.substr(0, 20) << "..." << written.substr(written.size() - 20);
  } else {
    EXPECT_EQ(written, "precedente\n" + run_fondara_calc(row.as_dash, folder, {row.input}).out);
  }
}

INSTANTIATE_TEST_SUITE_P(Names, FondaraCalcStandardOutput, testing::ValuesIn(kStandardOutputNames),
                         testing_support::RowName{});

// At a terminal one Ctrl-D ends an empty standard input; a program still waiting after
// ten seconds is stopped and fails the test.
TEST(FondaraCalc, OneCtrlDEndsAnEmptyBatchAtATerminal) {
  int terminal = -1;
  const pid_t child = ::forkpty(&terminal, nullptr, nullptr, nullptr);
  ASSERT_GE(child, 0);
  if (child == 0) {
    ::execl(FONDARA_CALC, FONDARA_CALC, "coesivi", "--csv", "-", nullptr);
    ::_exit(127);
  }
  ASSERT_EQ(::write(terminal, "\x04", 1), 1);
  std::string shown;
  const auto read_shown = [&](int milliseconds) {
    pollfd readable{terminal, POLLIN, 0};
    char chunk[256];
    const ssize_t count =
        ::poll(&readable, 1, milliseconds) > 0 ? ::read(terminal, chunk, sizeof chunk) : -1;
    if (count > 0) shown.append(chunk, static_cast<std::size_t>(count));
    return count > 0;
  };
  int status = 0;
  pid_t ended = 0;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (ended == 0 && std::chrono::steady_clock::now() < deadline) {
    if (!read_shown(100)) ::usleep(10000);  // a hung-up terminal polls at once
    ended = ::waitpid(child, &status, WNOHANG);
  }
  if (ended == 0) {
    ::kill(child, SIGKILL);
    ::waitpid(child, &status, 0);
    ADD_FAILURE() << "still reading after one Ctrl-D";
  }
  while (read_shown(100)) {
  }
  ::close(terminal);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 2) << status;
  EXPECT_EQ(shown, "fondara-calc: Il file CSV è vuoto: manca la riga d'intestazione.\r\n");
}

}  // namespace
}  // namespace fondara::test
