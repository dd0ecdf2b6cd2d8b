// fondara-calc: the bearing-capacity calculations and their reports from a terminal.
//
//   fondara-calc coesivi|sciolti campo=valore ... [--report FILE|-] [--stampa] [--pdf FILE]
//   fondara-calc coesivi|sciolti --csv FILE|- [--output FILE|-]
//
// The whole command runs here, on the descriptors of the standard streams, so main()
// only hands over the process's arguments. Every write to standard output is checked.
// Exit codes: see cli::Exit.
#pragma once

#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "cli/fields.h"

namespace fondara::cli {

// Descriptors of the standard streams; -1 for one the process was started without.
struct Streams {
  int in = 0;
  int out = 1;
  int err = 2;
};

// The command line, read and checked.
struct Options {
  Terreno terreno = Terreno::coesivi;
  Testi testi;
  std::optional<std::string> report;
  bool print = false;
  std::optional<std::string> pdf;
  std::optional<std::string> csv;
  std::optional<std::string> output;
};

// A refused command line: the exit code and an Italian message of one line.
struct Failure {
  int code;
  std::string message;
};

std::variant<Options, Failure> read_options(const std::vector<std::string>& args);

// `args` without the program name. Returns the exit code.
int run(const std::vector<std::string>& args, const Streams& streams);

// The text of --help.
std::string help_text();

}  // namespace fondara::cli
