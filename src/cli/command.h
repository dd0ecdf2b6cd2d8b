// fondara-calc: the bearing-capacity calculations and their reports from a terminal.
//
//   fondara-calc coesivi|sciolti campo=valore ... [--report FILE|-] [--stampa]
//   fondara-calc coesivi|sciolti --csv FILE|- [--output FILE|-]
//
// The whole command runs here, on explicit streams, so main() only hands over the
// process's arguments and standard streams. Exit codes: see cli::Exit.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace fondara::cli {

// `args` without the program name. Returns the exit code.
int run(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
        std::ostream& err);

// The text of --help.
std::string help_text();

}  // namespace fondara::cli
