// fondara-calc: the calculations and their reports from a terminal.
//
//   fondara-calc KIND campo=valore ... [--report FILE|-] [--stampa] [--pdf FILE]
//                [--odt FILE|-] [--salva-dati FILE|-] [--tabella FILE|-]
//   fondara-calc --apri FILE [--report FILE|-] [--stampa] [--pdf FILE] [--odt FILE|-]
//                [--salva-dati FILE|-] [--tabella FILE|-]
//   fondara-calc KIND --csv FILE|- [--output FILE|-]
//
// The options are one table: adding an output of one calculation is adding its row. The
// outputs are made whole before any is written, then written all or none (no file replaced
// when one fails); none may be the file of --apri.
//
// KIND names one of the program's kinds (kinds/kinds.h). The whole command runs here, on
// the descriptors of the standard streams, so main() only hands over the process's
// arguments. Every write to standard output is checked. Exit codes: cli::ExitCode.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/kind.h"
#include "core/outcome.h"

namespace fondara::cli {

// Descriptors of the standard streams; -1 for one the process was started without.
struct Streams {
  int in = 0;
  int out = 1;
  int err = 2;
};

// The command line, read and checked.
struct Options {
  const Kind* kind = nullptr;
  FieldTexts texts;
  std::optional<std::string> report;
  bool print = false;
  std::optional<std::string> pdf;
  std::optional<std::string> odt;  // the report as an ODT document
  std::optional<std::string> csv;
  std::optional<std::string> output;
  std::optional<std::string> open;   // a data file or a PDF report whose data is calculated
  std::optional<std::string> data;   // where the calculation's data file goes
  std::optional<std::string> table;  // where the CSV of every check goes (--tabella)
};

// A refused command line: the exit code and an Italian message of one line.
struct CommandError {
  int code;
  std::string message;
};

Outcome<Options, CommandError> read_options(const std::vector<std::string>& args);

// `args` without the program name. Returns the exit code.
int run(const std::vector<std::string>& args, const Streams& streams);

// The text of --help, from the kinds' descriptions and the table of options.
std::string help_text();

// The options' names, in the table that reads them; their lines of --help; the outputs of
// one calculation as --help's synopsis shows them (" [--report FILE|-] [--stampa] ...").
std::vector<std::string_view> option_names();
std::string option_lines();
std::string output_synopsis();

// The results as the terminal shows them: one line per result that its kind shows, with
// its caption and unit; for several checks, each under its title, then the closing lines.
std::string result_lines(const Kind& kind, const Calculation& calculation);

}  // namespace fondara::cli
