// The PDF/A report of a printed report whose description has N characters, timed as
// fondara-calc --pdf makes it (offscreen drawing included): "N seconds pages bytes".
// Descriptions past 128 KiB cannot be given to fondara-calc as one argument; this
// program makes them in process. Run by bench/pdf_description.sh, one process a size.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "output/pdfa_file.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s CHARACTERS\n", argv[0]);
    return 2;
  }
  const std::size_t length = std::strtoul(argv[1], nullptr, 10);
  // Words of 2 to 11 letters, as typed text would be.
  std::string description;
  for (std::size_t i = 0; description.size() < length; ++i)
    description += std::string("abcdefghijk").substr(0, 2 + i % 10) + ' ';
  description.resize(length);
  const fondara::Report printed = {
      fondara::Statement{{std::string("PROGRAMMA: FONDARA")}, fondara::End::line_break},
      fondara::FontSize{8},
      fondara::Statement{{"DESCRIZIONE:" + description}, fondara::End::line_break}};
  // The metadata carries the description again, in the calculation's data, as saved reports do.
  const std::string data = "FONDARA-DATI 1\ntipo=coesivi\ndescrizione=" + description + '\n';
  const auto start = std::chrono::steady_clock::now();
  const auto pdf = fondara::output::pdfa_file(printed, "Relazione", data);
  const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
  if (!pdf) return 1;
  std::printf("%zu %.2f %zu\n", length, elapsed.count(), pdf->size());
  return 0;
}
