// fondara-calc: the entry point hands the arguments and standard streams over.
#include <iostream>
#include <string>
#include <vector>

#include "cli/command.h"

int main(int argc, char** argv) {
  std::ios::sync_with_stdio(false);
  const std::vector<std::string> args(argv + 1, argv + argc);
  return fondara::cli::run(args, std::cin, std::cout, std::cerr);
}
