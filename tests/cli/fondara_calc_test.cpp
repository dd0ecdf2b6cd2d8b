// fondara-calc run as a separate process, as a script would: results, one report by bytes,
// one batch, the PDF, every refusal with its exit code and one line, the file targets.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <pty.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <tuple>

#include "cli/command.h"
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
  while (times-- > 0) all += text;
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

// A run's exit code, standard output and standard error.
using Outcome = std::tuple<int, std::string, std::string>;

// The program's start in the test's folder: standard input holds `input` or comes from
// `in_from`; output and error are captured unless `out_to` names a target (appended to
// with `append`); "-" closes one. `limits` are ulimit options set first.
struct Start {
  std::string input{}, in_from{}, out_to{};
  bool as_nobody = false, append = false;
  std::string limits{};
};

// The program with its arguments, as words for the shell.
std::string command_line(const Args& args) {
  std::string line;
  for (const std::string& arg : with({FONDARA_CALC}, args)) line += quoted(arg) + ' ';
  return line;
}

Outcome run_fondara_calc(const Args& args, const TempFolder& folder, const Start& start = {}) {
  const auto stream = [](const std::string& name, const char* captured) {
    return name == "-" ? "&-" : quoted(name.empty() ? captured : name);
  };
  spit(folder / ".stdin", start.input);
  std::string command = start.limits.empty() ? "exec " : "ulimit " + start.limits + " && exec ";
  if (start.as_nobody) command += "setpriv --reuid=nobody --regid=nogroup --clear-groups ";
  const int status =
      folder.shell(command + command_line(args) + "<" + stream(start.in_from, ".stdin") +
                   (start.append ? " >>" : " >") + stream(start.out_to, ".stdout") + " 2>.stderr");
  const Outcome run{WIFEXITED(status) ? WEXITSTATUS(status) : -1,
                    start.out_to.empty() ? read_file(folder / ".stdout") : "",
                    read_file(folder / ".stderr")};
  for (const char* name : {".stdin", ".stdout", ".stderr"}) fs::remove(folder / name);
  return run;
}

const std::string kShown =
    "CARICO DI ROTTURA:    qR = 2,88 daN/cm^2 (bar)\n"
    "CARICO DI PROGETTO:   qd = 1,25 daN/cm^2 (bar)\n";
const std::string kReport = read_data("non_drenato_yr23.txt");
// EN 1997-1 Annex D's drained example with the set EC7-DA1-C1.
const std::string kVerification =
    "eB = 0,150 m\neL = 0,440 m\nB' = 0,700 m\nL' = 5,120 m\nA' = 3,584 m²\nR/A' = 94,91 kPa\n"
    "Rd = 340,15 kN\nEd = 200,00 kN\nU = Ed/Rd = 0,588\nRd,h = 115,47 kN\nEd,h = 67,08 kN\n"
    "Uh = Ed,h/Rd,h = 0,581\nESITO: VERIFICATA\n"
    "NOTA: Base parzializzata: il carico cade fuori dal nocciolo centrale d'inerzia.\n";
const std::string kData =
    "FONDARA-DATI 1\n# Fondara: dati del calcolo, un campo per riga come digitato (nome=valore).\n"
    "tipo=coesivi\norigine=terminale\nlunghezza=10\nlarghezza=2\naltezza=1\n"
    "peso_terreno_rinterro=1800\ncoesione_non_drenata=0,5\ncoefficiente_sicurezza=\ndescrizione=\n";

// Rows that compute keep today's bytes, a blank optional cell its default; a row with the
// wrong number of fields keeps those it has and names its line.
const std::string kBatchInput =
    " " + kHeader + ";descrizione \n10;2;1;1800;0,5;Muro A\n1;2;1;1800;0,5;B\n\n" +
    "5;1;1.5;1850;0,3;\"Muro \"\"C\"\"; lato\"\n10;2;x;1800;0,5;D\n10;2;1\n" +
    "10;2;1;1800;0,5;E;troppo\n10\n10;2;1;1800;0,5;F\xff\n10;2;1;1800;0,5; \n";
const std::string kBatchResults =
    kResultsHeader +
    "10;2;1;1800;0,5;2,3;Muro A;2,88;1,25;\r\n"
    "1;2;1;1800;0,5;2,3;B;;;La lunghezza deve essere superiore alla larghezza\r\n"
    "5;1;1.5;1850;0,3;2,3;\"Muro \"\"C\"\"; lato\";1,93;0,84;\r\n"
    "10;2;x;1800;0,5;2,3;D;;;\"Il valore di altezza non è un numero: \"\"x\"\".\"\r\n"
    "10;2;1;;;2,3;;;;La riga 7 ha 3 campi, l'intestazione ne ha 6.\r\n"
    "10;2;1;1800;0,5;2,3;E;;;La riga 8 ha 7 campi, l'intestazione ne ha 6.\r\n"
    "10;;;;;2,3;;;;La riga 9 ha 1 campo, l'intestazione ne ha 6.\r\n"
    "10;2;1;1800;0,5;2,3;F\xEF\xBF\xBD;;;La descrizione non è testo UTF-8 valido.\r\n" +
    kResultRow;
const std::string kSummary = "6 righe non calcolate; la prima è la riga 3 del file CSV.";

// A command run in a fresh folder: shell commands `made` the files it holds first (failing
// only where root is needed; "precedente" is old bytes); afterwards the folder holds them
// unchanged, of the same type, but for those `written`. `message` is the line on standard
// error after the program's name, if any.
struct Command {
  const char* name;
  Args args;
  Start start;
  int exit_code;
  std::string message, out{}, made{};
  std::map<std::string, std::string> written{};
  bool read_slowly = false;  // "r" is a FIFO read by another process that starts late
};

std::string made_file(const std::string& name, const std::string& bytes) {
  return "printf %s " + quoted(bytes) + " >" + name;
}

const std::string kInputFile = made_file("f.csv", kHeader + "\n" + kRow);
const std::string kIntoInput =
    "Impossibile scrivere i risultati nel file CSV che si sta leggendo: scegliere un altro file.";
const std::string kNeedsName =
    "L'opzione --report richiede un nome di file (oppure - per i flussi standard).";
const std::string kEmpty = "Il file CSV è vuoto: manca la riga d'intestazione.";
const std::string kTwice = " scrivono entrambe sullo standard output: usarne una.";
const std::string kFull = "Impossibile scrivere sullo standard output: spazio esaurito.";
const std::string kFullDevice = "mknod pieno c 1 7";  // like the system's full device
const std::string kSameFile = " indicano lo stesso file: scriverli in file diversi.";
const std::string kLongest(255, 'r'), kTooLong(256, 'r');
// A verification's data file for fondara-calc --apri, its first combination given.
const std::string kVerificaData =
    "FONDARA-DATI 1\ntipo=verifica\ncondizioni=drenate\nlarghezza=1\nlunghezza=6\n"
    "profondita=0,75\nangolo=30\npeso_terreno=10\ncombinazione=200;30;88;60;-30\n";

// Rows of 1 MiB, each with the megabyte in another field: kept field by field, 128 of them
// would pass an address space of 160 MiB, which the program fits into with room to spare.
const std::string kWide =
    "awk 'BEGIN { print \"" + kHeader +
    "\"; mib = \"x\"; while (length(mib) < 1048576) mib = mib mib;"
    " for (i = 0; i < 1023; i++) semicolons = semicolons \";\";"
    " for (i = 0; i < 128; i++)"
    "   print substr(semicolons, 1, i) mib substr(semicolons, i + 1) }' >w.csv";

// Reports and batch outputs written to what stands under "r": a batch fills a pipe.
const Args kReportTo = with(kCoesivi, {"--report", "r"}),
           kOutputTo = with(kBatch, {"--output", "r"});
const std::string kFill = kHeader + "\n" + repeated("1;1;1;1;1\n", 4000);
const std::string kFilled = kResultsHeader + repeated("1;1;1;1;1;2,3;;6,16;2,68;\r\n", 4000);
const Start kQuiet{.input = kFill, .out_to = "/dev/null"};
const Start kAsNobody{.input = kFill, .out_to = "/dev/null", .as_nobody = true};
const std::string kCannot = "Impossibile scrivere il file \"r\": ";
const std::string kNoReader = "nessun programma legge la FIFO, o il dispositivo non esiste.";
const std::string kReadOnly = "printf precedente >r && chmod 400 r";
const std::string kShared = "printf precedente >r && chmod 644 r && chmod 777 .";

// clang-format off
const Command kCommands[] = {
    {"verification_lines", {"verifica", "condizioni=drenate", "larghezza=1", "lunghezza=6", "profondita=0,75", "angolo=30", "peso_terreno=10",
     "approccio=EC7-DA1-C1", "N=200", "HB=60", "HL=30", "MB=30", "ML=88"}, {}, 0, "", kVerification},
    {"data_on_standard_output", with(kCoesivi, {"--salva-dati", "-"}), {}, 0, "", kData},
    {"data_saved", with(kCoesivi, {"--salva-dati", "d"}), {}, 0, "", kShown, "", {{"d", kData}}},
    {"report_replaces_a_longer_file", with(kCoesivi, {"--report", "r"}), {}, 0, "", kShown, "head -c 9999 /dev/zero >r", {{"r", kReport}}},
    {"report_on_standard_output", with(kCoesivi, {"--report=-"}), {}, 0, "", kReport},
    {"batch_from_a_file", {"coesivi", "--csv", "d", "--output", "r"}, {}, 1, kSummary, "", made_file("d", kBatchInput), {{"r", kBatchResults}}},
    {"batch_from_standard_input", kBatch, {kBatchInput}, 1, kSummary, kBatchResults},
#if !defined(__SANITIZE_ADDRESS__)  // which reserves terabytes of address space
    {"batch_memory_does_not_grow_with_the_rows", {"coesivi", "--csv", "w.csv"}, {.out_to = "/dev/null", .limits = "-v 163840"}, 1,
     "128 righe non calcolate; la prima è la riga 2 del file CSV.", "", kWide},
#endif
    {"batch_output_of_the_longest_name", with(kBatch, {"--output", kLongest}), {kHeader + "\n"}, 0, "", "", "", {{kLongest, kResultsHeader}}},
    {"batch_output_name_too_long", with(kBatch, {"--output", kTooLong}), {kHeader + "\n"}, 3,
     "Impossibile scrivere il file \"" + std::string(60, 'r') + "…\": il nome è troppo lungo."},
    {"report_by_the_descriptor_of_standard_output", with(kCoesivi, {"--report", "/proc/self/fd/1"}), {.out_to = "u", .append = true}, 0,
     "", "", "echo precedente >u", {{"u", "precedente\n" + kReport}}},
    {"batch_output_by_dev_stdout", with(kBatch, {"--output", "/dev/stdout"}), {.input = kHeader + "\n" + kRow, .out_to = "u", .append = true}, 0,
     "", "", "echo precedente >u", {{"u", "precedente\n" + kResultsHeader + kResultRow}}},
    {"results_on_a_full_device", kCoesivi, {.out_to = "pieno"}, 3, kFull, "", kFullDevice},
    {"print_on_a_full_device", with(kCoesivi, {"--stampa"}), {.out_to = "pieno"}, 3, kFull, "", kFullDevice},
    {"batch_on_a_full_device", kBatch, {kHeader + "\n", "", "pieno"}, 3, kFull, "", kFullDevice},
    {"help_on_a_full_device", {"--help"}, {.out_to = "pieno"}, 3, kFull, "", kFullDevice},
    {"report_to_a_full_device", kReportTo, kQuiet, 3, kCannot + "spazio esaurito.", "", "mknod r c 1 7"},
    {"output_to_a_full_device", kOutputTo, kQuiet, 3, kCannot + "spazio esaurito.", "", "mknod r c 1 7"},
    {"report_to_a_fifo_without_reader_refused_at_once", kReportTo, kQuiet, 3, kCannot + kNoReader, "", "mkfifo r"},
    {"output_to_a_fifo_without_reader_refused_at_once", kOutputTo, kQuiet, 3, kCannot + kNoReader, "", "mkfifo r"},
    {"report_to_a_fifo_read_slowly", kReportTo, kQuiet, 0, "", "", "mkfifo r", {{"letti", kReport}}, true},
    {"output_to_a_fifo_read_slowly", kOutputTo, kQuiet, 0, "", "", "mkfifo r", {{"letti", kFilled}}, true},
    {"report_through_a_dangling_link", kReportTo, kQuiet, 0, "", "", "ln -s vera r", {{"vera", kReport}}},
    {"output_through_a_dangling_link", kOutputTo, kQuiet, 0, "", "", "ln -s vera r", {{"vera", kFilled}}},
    {"report_to_a_read_only_file_refused", kReportTo, kQuiet, 3, kCannot + "permesso negato.", "", kReadOnly},
    {"output_to_a_read_only_file_refused", kOutputTo, kQuiet, 3, kCannot + "permesso negato.", "", kReadOnly},
    {"report_to_another_users_file_in_a_shared_folder_refused", kReportTo, kAsNobody, 3, kCannot + "permesso negato.", "", kShared},
    {"output_to_another_users_file_in_a_shared_folder_refused", kOutputTo, kAsNobody, 3, kCannot + "permesso negato.", "", kShared},
    {"length_below_width", {"coesivi", "lunghezza=1", "larghezza=2", "altezza=1", "peso_terreno_rinterro=1800", "coesione_non_drenata=0,5",
     "--report=r"}, {}, 1, "La lunghezza deve essere superiore alla larghezza"},
    {"option_report_as_last_argument", with(kCoesivi, {"--report"}), {}, 2, kNeedsName},
    {"option_print_and_report_both_on_standard_output", with(kCoesivi, {"--stampa", "--report", "-"}), {}, 2, "--report - e --stampa" + kTwice},
    {"option_output_without_csv", with(kCoesivi, {"--output", "x.csv"}), {}, 2, "L'opzione --output vale solo con --csv."},
    {"option_pdf_on_standard_output", with(kCoesivi, {"--pdf", "-"}), {}, 2, "L'opzione --pdf richiede un nome di file."},
    {"option_pdf_with_csv", with(kBatch, {"--pdf=r.pdf"}), {kHeader + "\n"}, 2,
     "Le opzioni --report, --stampa, --pdf, --apri e --salva-dati non valgono con --csv."},
    {"option_given_twice", with(kCoesivi, {"--report=a", "--report", "b"}), {}, 2, "L'opzione --report è indicata due volte."},
    {"option_value_is_an_option", with(kCoesivi, {"--report", "--stampa"}), {}, 2,
     "L'opzione --report richiede un nome di file, non un'altra opzione: \"--stampa\" (un file con questo nome si indica come ./--nome)."},
    {"option_unknown_shown_safely", with(kCoesivi, {"--pdf\x1b[2J"}), {}, 2, "Opzione sconosciuta: \"--pdf\\e[2J\" (vedere fondara-calc --help)."},
    {"open_with_fields", {"--apri", "d.fondara", "lunghezza=1"}, {}, 2, "Con --apri i dati si leggono dal file: non indicare campi nel comando."},
    {"open_with_a_kind", {"coesivi", "--apri", "d.fondara"}, {}, 2,
     "Con --apri il tipo di calcolo si legge dal file: non indicarlo nel comando."},
    {"open_missing_file", {"--apri", "manca.fondara"}, {}, 3, "Impossibile aprire il file \"manca.fondara\": il file non esiste."},
    {"open_malformed_file", {"--apri", "d.fondara", "--report", "r"}, {}, 2,
     "Impossibile aprire il file \"d.fondara\": nome sconosciuto \"largezza\" per il tipo coesivi (riga 3).", "",
     "printf 'FONDARA-DATI 1\\ntipo=coesivi\\nlargezza=2\\n' >d.fondara"},
    {"report_and_data_by_one_name", with(kCoesivi, {"--report", "r", "--salva-dati", "r"}), {}, 2, "--report e --salva-dati" + kSameFile},
    {"opened_file_through_a_link_as_its_pdf_refused", {"--apri", "d.fondara", "--pdf", "l"}, {}, 3, "--pdf è il file letto da --apri: scrivere in un altro file.", "",
     made_file("d.fondara", kData) + " && ln -s d.fondara l"},
    {"opened_file_as_standard_output_refused", {"--apri", "d.fondara"}, {.out_to = "d.fondara", .append = true}, 3,
     "lo standard output è il file letto da --apri: scrivere in un altro file.", "", made_file("d.fondara", kData)},
    {"output_failing_after_another_replaces_neither", with(kCoesivi, {"--report", "r", "--salva-dati", "pieno"}), {}, 3,
     "Impossibile scrivere il file \"pieno\": spazio esaurito.", "", "printf precedente >r && " + kFullDevice},
    {"open_without_a_name", {"--apri"}, {}, 2, "L'opzione --apri richiede un nome di file."},
    {"opened_value_refused_with_its_line", {"--apri", "d.fondara"}, {}, 2, "Impossibile aprire il file \"d.fondara\": combinazione 2: "
     "Il valore di MB non è un numero: \"x\" (riga 10).", "", made_file("d.fondara", kVerificaData + "combinazione=1;x;;;\n")},
    {"opened_window_description_under_the_rules", {"--apri", "d.fondara", "--report", "-"}, {}, 2, "Impossibile aprire il file "
     "\"d.fondara\": la descrizione non può contenere a capo, tabulazioni o altri caratteri di controllo (riga 11).", "",
     made_file("d.fondara", kVerificaData + "origine=finestra\ndescrizione=a\\nb\n")},
    {"verification_length_below_width_is_bad_input", {"verifica", "condizioni=drenate", "larghezza=2", "lunghezza=1",
     "profondita=1", "angolo=30", "peso_terreno=18", "N=100"}, {}, 2, "Il valore di lunghezza deve essere non minore di larghezza."},
    {"two_outputs_to_one_file_by_two_names", with(kCoesivi, {"--report", "r", "--pdf", "l"}), {}, 2, "--report e --pdf" + kSameFile, "",
     "printf precedente >r && ln -s r l"},
    {"report_named_as_standard_output_and_print", with(kCoesivi, {"--report", "/dev/stdout", "--stampa"}), {}, 2,
     "--report \"/dev/stdout\" e --stampa" + kTwice},
    {"one_row_not_computed_in_a_batch", with(kBatch, {"--output", "/dev/null"}), {kHeader + "\n12.500;1;1;1;1\n"}, 1,
     "Una riga non calcolata: la riga 2 del file CSV."},
    {"csv_column_unknown_shown_safely", kBatch, {kHeader + ";\x9b\n"}, 2, "Intestazione CSV: colonna sconosciuta \"\xEF\xBF\xBD\"."},
    {"csv_required_column_missing", kBatch, {"lunghezza;larghezza;altezza;peso_terreno_rinterro\n"}, 2,
     "Intestazione CSV: manca la colonna coesione_non_drenata."},
    {"csv_escaped_quotes_count_towards_the_row_limit", kBatch, {kHeader + ";descrizione\n10;2;1;1800;0,5;\"" + repeated("\"\"", 1100000) + "\"\n"}, 2,
     "Il file CSV ha una riga troppo lunga (riga 2): al massimo 1 MiB e 1024 campi.", kResultsHeader},
    {"csv_quote_never_closed", with(kBatch, {"--output=r"}), {kHeader + "\n1;1;1;1;\"1\n"}, 2,
     "Il file CSV ha un campo tra virgolette non chiuso (riga 2)."},
    {"csv_empty", kBatch, {}, 2, kEmpty},
    {"csv_from_the_device_written_to", {"coesivi", "--csv", "/dev/null"}, {.out_to = "/dev/null"}, 2, kEmpty},
    {"rows_before_an_overlong_row_stay_on_standard_output", kBatch, {kHeader + "\n" + repeated(kRow, 3000) + std::string(1100, ';')}, 2,
     "Il file CSV ha una riga troppo lunga (riga 3002): al massimo 1 MiB e 1024 campi.", kResultsHeader + repeated(kResultRow, 3000)},
    {"read_closed_standard_input", kBatch, {"", "-"}, 3, "Impossibile leggere lo standard input: il flusso non è aperto."},
    {"read_missing_file", {"coesivi", "--csv", "manca.csv"}, {}, 3, "Impossibile leggere il file \"manca.csv\": il file non esiste."},
    {"read_process_memory", {"coesivi", "--csv", "/proc/self/mem"}, {}, 3,
     "Impossibile leggere il file \"/proc/self/mem\": errore di lettura o scrittura del dispositivo."},
    {"stdout_closed", kCoesivi, {"", "", "-"}, 3, "Impossibile scrivere sullo standard output: il flusso non è aperto."},
    {"results_of_standard_input_appended_to_it", kBatch, {.in_from = "f.csv", .out_to = "f.csv", .append = true}, 3, kIntoInput, "", kInputFile},
    {"output_is_the_input_file", {"coesivi", "--csv", "f.csv", "--output", "f.csv"}, {}, 3, kIntoInput, "", kInputFile},
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

// Every file in the folder with its bytes; a link with where it points.
std::map<std::string, std::string> files_in(const TempFolder& folder) {
  std::map<std::string, std::string> files;
  for (const auto& entry : fs::directory_iterator(folder.name))
    files[entry.path().filename()] = entry.is_symlink()
                                         ? "-> " + fs::read_symlink(entry.path()).string()
                                     : entry.is_regular_file() ? read_file(entry.path())
                                     : entry.is_fifo()         ? "(fifo)"
                                                               : "(device)";
  return files;
}

class FondaraCalcRuns : public testing::TestWithParam<Command> {};

TEST_P(FondaraCalcRuns, GiveTheirExitCodeOutputAndOneLineAndWriteOnlyTheirFiles) {
  const Command& row = GetParam();
  TempFolder folder;
  const bool made = row.made.empty() || folder.shell(row.made) == 0;
  if ((!made || row.start.as_nobody) && ::geteuid() != 0)
    GTEST_SKIP() << "needs root: not run here";
  ASSERT_TRUE(made);
  auto files = files_in(folder);
  ASSERT_TRUE(!row.read_slowly || read_slowly(folder / "r", folder / "letti"));
  for (const auto& [name, bytes] : row.written) files[name] = bytes;
  const std::string err = row.message.empty() ? "" : "fondara-calc: " + row.message + "\n";
  EXPECT_EQ(run_fondara_calc(row.args, folder, row.start), (Outcome{row.exit_code, row.out, err}));
  if (row.read_slowly) ::wait(nullptr);
  EXPECT_EQ(files_in(folder), files) << "a file was changed, left behind or not written";
}

INSTANTIATE_TEST_SUITE_P(Commands, FondaraCalcRuns, testing::ValuesIn(kCommands),
                         testing_support::RowName{});

// --help explains every option of the table that reads the command line.
TEST(FondaraCalc, HelpHasALineForEveryOption) {
  for (std::string_view name : cli::option_names())
    EXPECT_NE(cli::help_text().find("\n  " + std::string(name) + ' '), std::string::npos) << name;
}

// Without a display, --pdf writes the lines of the printed report under the kind's title; named
// as standard output, through it, not replacing it.
TEST(FondaraCalc, PdfIsDrawnWithoutADisplayWithThePrintedReport) {
  const TempFolder folder;
  ::unsetenv("DISPLAY");
  EXPECT_EQ(run_fondara_calc(with(kCoesivi, {"--pdf", "r.pdf"}), folder), (Outcome{0, kShown, ""}));
  spit(folder / "stampa.txt", std::get<1>(run_fondara_calc(with(kCoesivi, {"--stampa"}), folder)));
  EXPECT_EQ(folder.shell("pdftotext -layout r.pdf && diff -wB stampa.txt r.txt"), 0);
  EXPECT_EQ(
      folder.shell("pdfinfo r.pdf | grep -q '^Title: *Relazione di calcolo - terreni coesivi$'"),
      0);
  spit(folder / "u", "precedente\n");
  EXPECT_EQ(run_fondara_calc(with(kCoesivi, {"--pdf", "/dev/stdout"}), folder,
                             {.out_to = "u", .append = true}),
            (Outcome{0, "", ""}));
  const std::string written = read_file(folder / "u");
  EXPECT_TRUE(written.starts_with("precedente\n%PDF-") && written.ends_with("%%EOF\n"));
}

// A verification of 2000 combinations and a long description makes a PDF report of more than
// 1 MiB; the PDF reopens to the data of the file it was made from.
TEST(FondaraCalc, ALargePdfReportReopensToItsData) {
  const TempFolder folder;
  std::string data = kVerificaData + "descrizione=" + repeated("Plinto P12 ", 80000) + "\n";
  for (int i = 1; i <= 2000; ++i)
    data += "combinazione=" + std::to_string(100 + i) + ";30;88;60;-30\n";
  spit(folder / "d.fondara", data);
  const Outcome saved =
      run_fondara_calc({"--apri", "d.fondara", "--pdf", "r.pdf", "--salva-dati", "-"}, folder);
  EXPECT_EQ(std::get<0>(saved), 0) << std::get<2>(saved);
  EXPECT_GT(fs::file_size(folder / "r.pdf"), 1u << 20);
  EXPECT_EQ(run_fondara_calc({"--apri", "r.pdf", "--salva-dati", "-"}, folder), saved);
}

// The words of `text` separated by single blanks, as extractors differ in the blanks they give.
std::string simplified(const std::string& text) {
  std::istringstream words(text);
  std::string word, line;
  while (words >> word) line += (line.empty() ? "" : " ") + word;
  return line;
}

// The rows of the report's summary, from the table of checks: check, combination, situation,
// condition, B', L', R/A', Rd, Ed, U, Rd,h, Ed,h, Uh and verdict.
std::vector<std::string> summary_rows(const std::string& csv) {
  std::istringstream lines(csv);
  std::string line;
  std::getline(lines, line);
  std::vector<std::string> names, rows;
  const auto split = [](const std::string& row) {
    std::vector<std::string> cells;
    std::istringstream in(row);
    for (std::string cell; std::getline(in, cell, ';');) cells.push_back(cell);
    return cells;
  };
  names = split(line.substr(0, line.find('\r')));
  const auto at = [&](const std::vector<std::string>& cells, const std::string& name) {
    const auto i = std::find(names.begin(), names.end(), name) - names.begin();
    return static_cast<std::size_t>(i) < cells.size() ? cells[static_cast<std::size_t>(i)] : "";
  };
  while (std::getline(lines, line)) {
    const auto cells = split(line.substr(0, line.find('\r')));
    std::string row = std::to_string(rows.size() + 1) + ' ' + at(cells, "combinazione") + ' ' +
                      at(cells, "situazione") + ' ' +
                      (at(cells, "condizione") == "drenate" ? "dren." : "non dren.");
    for (const char* name :
         {"B_eff", "L_eff", "R_A", "Rd", "Ed", "U", "Rd_h", "Ed_h", "U_h", "esito"})
      row += ' ' + at(cells, name);
    rows.push_back(simplified(row));
  }
  return rows;
}

// The verification's report typeset as a PDF/A file (fonts embedded, PDF/A-1b in its XMP, whole
// by qpdf, its data reopening) whose summary rows both extractors read one to a line, and as
// an ODT file that LibreOffice converts.
TEST(FondaraCalc, VerificationReportIsATypesetPdfaAndAnOdtThatReopenAndConvert) {
  const TempFolder folder;
  ::unsetenv("DISPLAY");
  const Args open = {"--apri", FONDARA_SOURCE_DIR "/docs/plinto-p12.fondara"};
  const auto shown = run_fondara_calc(open, folder);
  ASSERT_EQ(run_fondara_calc(with(open, {"--pdf", "r.pdf", "--odt", "r.odt"}), folder), shown);
  EXPECT_EQ(run_fondara_calc({"--apri", "r.pdf"}, folder), shown);
  EXPECT_EQ(folder.shell("qpdf --check r.pdf >/dev/null"), 0);
  EXPECT_EQ(folder.shell("pdffonts r.pdf | tail -n +3 | awk '$(NF-4) != \"yes\" {exit 1}'"), 0);
  EXPECT_EQ(folder.shell("pdfinfo -meta r.pdf | grep -q 'pdfaid:part=\"1\" "
                         "pdfaid:conformance=\"B\"'"),
            0);
  const std::string table = std::get<1>(run_fondara_calc(with(open, {"--tabella", "-"}), folder));
  ASSERT_EQ(folder.shell("pdftotext -raw r.pdf raw.txt && pdf2txt -o miner.txt r.pdf"), 0);
  for (const char* extracted : {"raw.txt", "miner.txt"}) {
    std::set<std::string> lines;
    std::istringstream text(read_file(folder / extracted));
    for (std::string line; std::getline(text, line);) {
      line = simplified(line);
      if (line.starts_with("★ ")) line.erase(0, std::string("★ ").size());
      lines.insert(line);
    }
    for (const std::string& row : summary_rows(table))
      EXPECT_TRUE(lines.contains(row)) << extracted << ": " << row;
  }
  EXPECT_EQ(folder.shell("HOME=\"$PWD\" soffice --headless --convert-to pdf --outdir lo r.odt "
                         ">/dev/null 2>&1 && pdftotext lo/r.pdf - | grep -q '^8. Conclusioni$'"),
            0);
  EXPECT_EQ(folder.shell("unzip -p r.odt content.xml | grep -q 'Il progettista'"), 0);
}

// At a terminal one Ctrl-D ends an empty standard input; a program still reading after ten
// seconds is stopped by its alarm, which fails the test.
TEST(FondaraCalc, OneCtrlDEndsAnEmptyBatchAtATerminal) {
  int terminal = -1;
  const pid_t child = ::forkpty(&terminal, nullptr, nullptr, nullptr);
  ASSERT_GE(child, 0);
  if (child == 0) {
    ::alarm(10);
    ::execl(FONDARA_CALC, FONDARA_CALC, "coesivi", "--csv", "-", nullptr);
    ::_exit(127);
  }
  ASSERT_EQ(::write(terminal, "\x04", 1), 1);
  std::string shown;
  char chunk[256];
  for (ssize_t count; (count = ::read(terminal, chunk, sizeof chunk)) > 0;)
    shown.append(chunk, static_cast<std::size_t>(count));
  int status = 0;
  ::waitpid(child, &status, 0);
  ::close(terminal);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 2) << status;
  EXPECT_EQ(shown, "fondara-calc: " + kEmpty + "\r\n");
}

// A footing of characteristic actions in both conditions: every check, then the governing one
// and the verdict as the last two lines; --tabella gives one row per check, each the row that a
// batch gives for the check's inputs (a generated combination's loads written in full), so the
// table reproduces through --csv.
TEST(FondaraCalc, FootingOfActionsGivesEveryCheckTheGoverningOneAndATableThatReproduces) {
  const TempFolder folder;
  const std::string footing = FONDARA_TEST_DATA_DIR "/plinto_p12.fondara";
  const auto [code, out, err] = run_fondara_calc({"--apri", footing}, folder);
  EXPECT_EQ(code, 0) << err;
  // 2 variants × (1 + 2 leading) static and 8 seismic combinations, each drained and undrained.
  std::size_t titles = 0;
  for (std::size_t at = 0; (at = out.find("\nCombinazione ", at)) != std::string::npos; ++at)
    ++titles;
  EXPECT_EQ(titles + out.starts_with("Combinazione "), 28u);
  EXPECT_TRUE(out.ends_with(
      "\nVERIFICA DETERMINANTE: Combinazione 2 (generata), condizioni non drenate (U = 0,843)\n"
      "ESITO DELLA FONDAZIONE: VERIFICATA\n"))
      << out;

  const auto [table_code, table, table_err] =
      run_fondara_calc({"--apri", footing, "--tabella", "-"}, folder);
  ASSERT_EQ(table_code, 0) << table_err;
  std::vector<std::string> rows;
  for (std::size_t at = 0, end; (end = table.find("\r\n", at)) != std::string::npos; at = end + 2)
    rows.push_back(table.substr(at, end - at));
  ASSERT_EQ(rows.size(), 29u);
  EXPECT_TRUE(rows[0].starts_with("combinazione;origine;condizione;condizioni;larghezza;"));
  // N 1,3 · 650 + 1,5 · 120 and MB 1,5 · 10: the permanent actions unfavourable, no variable one.
  EXPECT_TRUE(
      rows[1].starts_with("1;generata;drenate;drenate;2,4;2,8;1,2;0;28;5;90;19;20;2;"
                          "NTC2018-A2;1025;15;0;0;0;"))
      << rows[1];
  // The first seismic combination, drained: Paolucci and Pecker's z at kh 0,1 and φ'd 28° by
  // their formula, and γR,v 1,8, the default with the soil's inertia.
  EXPECT_TRUE(rows[13].ends_with(";sismica;0,1;;;NO;NO;0,9297;0,9297;0,9680;28,00;1,80;1,10"))
      << rows[13];
  // The table's inputs through a batch give its rows again.
  const auto cells = [](const std::string& row) {
    std::vector<std::string> all(1);
    for (const char ch : row) {
      if (ch == ';')
        all.emplace_back();
      else
        all.back().push_back(ch);
    }
    return all;
  };
  const std::vector<std::string> header = cells(rows[0]);
  const char* const inputs[] = {"condizioni",
                                "larghezza",
                                "lunghezza",
                                "profondita",
                                "inclinazione_base",
                                "angolo",
                                "coesione_drenata",
                                "coesione_non_drenata",
                                "peso_terreno",
                                "peso_saturo",
                                "falda",
                                "approccio",
                                "N",
                                "MB",
                                "ML",
                                "HB",
                                "HL",
                                "descrizione",
                                "situazione",
                                "kh_terreno",
                                "gamma_r_sismico",
                                "angolo_stato_critico",
                                "prefabbricata",
                                "acqua_interfaccia"};
  std::string batch, expected;
  for (const std::string& row : rows) {
    const std::vector<std::string> values = cells(row);
    std::string line;
    for (const char* name : inputs)
      line += values[std::find(header.begin(), header.end(), name) - header.begin()] + ';';
    line.back() = '\n';
    batch += line;
    std::size_t third = 0;
    for (int i = 0; i < 3; ++i) third = row.find(';', third) + 1;
    expected += row.substr(third) + "\r\n";
  }
  const auto [batch_code, results, batch_err] =
      run_fondara_calc({"verifica", "--csv", "-"}, folder, {.input = batch});
  EXPECT_EQ(batch_code, 0) << batch_err;
  EXPECT_EQ(results, expected);
}

// A row of the first version gives the columns it gave before (as the previous release wrote
// them), then the later ones after errore.
TEST(FondaraCalc, VersionOneRowKeepsItsColumnsAndItsNumbers) {
  const TempFolder folder;
  const auto [code, out, err] = run_fondara_calc(
      {"verifica", "--csv", "-"}, folder,
      {.input = "condizioni;larghezza;lunghezza;profondita;angolo;peso_terreno;peso_saturo;"
                "falda;approccio;N;MB;HB;descrizione\n"
                "drenate;3;3;1;30;18,4;19;1;EC7-DA2;1936;450;150;libro\n"});
  EXPECT_EQ(code, 0) << err;
  EXPECT_EQ(out.substr(out.find("\r\n") + 2),
            "drenate;3;3;1;0;30;0;;18,4;19;1;EC7-DA2;1936;450;0;150;0;libro;0,232;0,000;2,535;"
            "3,000;7,605;18,4011;30,1396;20,0931;1,0000;1,0000;1,0000;1,4225;0,7465;1,4468;"
            "1,5420;0,8831;0,8146;0,8763;18,40;567,66;3083,75;1936,00;0,628;1016,14;150,00;0,148;"
            "VERIFICATA;;;statica;0;;;NO;NO;;;;30,00;1,40;1,10\r\n");
}

// A refused check is written with the others, and the run ends with 1; a CSV row is one check.
TEST(FondaraCalc, RefusedCheckExitsOneAndARowIsOneCondition) {
  const TempFolder folder;
  spit(folder / "f.fondara",
       "FONDARA-DATI 1\ntipo=verifica\ncondizioni=drenate\nlarghezza=1\nlunghezza=6\n"
       "profondita=0,75\nangolo=30\npeso_terreno=10\ncombinazione=200;30;88;60;30\n"
       "combinazione=200;-80;;;\n");
  const auto [code, out, err] = run_fondara_calc({"--apri", "f.fondara"}, folder);
  EXPECT_EQ(code, 1);
  EXPECT_NE(out.find("Combinazione 2:\nESITO: Eccentricità oltre un terzo del lato"),
            std::string::npos)
      << out;
  EXPECT_TRUE(
      out.ends_with("ESITO DELLA FONDAZIONE: NON VERIFICATA (carico limite, non calcolabile)\n"))
      << out;
  const auto [csv_code, csv, csv_err] = run_fondara_calc(
      {"verifica", "--csv", "-"}, folder,
      {.input = "condizioni;larghezza;lunghezza;profondita;angolo;coesione_non_drenata;"
                "peso_terreno;N\nentrambe;1;6;0,75;30;50;10;200\n"});
  EXPECT_EQ(csv_code, 1);
  EXPECT_TRUE(
      csv.ends_with(";In un CSV ogni riga è una sola verifica: condizioni vale drenate o "
                    "non_drenate, non entrambe.;statica;0;;;NO;NO;;;;;;\r\n"))
      << csv;
  EXPECT_EQ(std::get<0>(run_fondara_calc(with(kCoesivi, {"--tabella", "-"}), folder)), 2);
}

}  // namespace
}  // namespace fondara::test
