#include "cli/messages.h"

#include "core/user_text.h"
#include "output/file_writer.h"

namespace fondara::cli {

ExitCode exit_code(ProblemType type) {
  return type == ProblemType::bad_input ? exit_bad_input : exit_not_computable;
}

std::string write_failure(std::string_view path, int error_number) {
  const std::string target =
      path == standard_stream ? "sullo standard output" : "il file " + safe_quoted(path);
  return "Impossibile scrivere " + target + ": " + output::cause_text(error_number) + ".";
}

std::string read_failure(std::string_view path, int error_number) {
  const std::string source =
      path == standard_stream ? "lo standard input" : "il file " + safe_quoted(path);
  return "Impossibile leggere " + source + ": " +
         output::cause_text(error_number, output::Access::read) + ".";
}

int exit_with(int err, int code, const std::string& message) {
  // Nothing is left to report a failure of standard error to.
  [[maybe_unused]] const auto written = output::write_all(err, "fondara-calc: " + message + "\n");
  return code;
}

namespace texts {
namespace {
std::string text(std::string_view part) {
  return std::string(part);
}
}  // namespace

std::string unknown_option(std::string_view quoted) {
  return "Opzione sconosciuta: " + text(quoted) + " (vedere fondara-calc --help).";
}
std::string option_twice(std::string_view option) {
  return "L'opzione " + text(option) + " è indicata due volte.";
}
std::string option_needs_file(std::string_view option, bool standard_stream) {
  return "L'opzione " + text(option) + " richiede un nome di file" +
         (standard_stream ? " (oppure - per i flussi standard)." : ".");
}
std::string option_value_is_option(std::string_view option, std::string_view quoted) {
  return "L'opzione " + text(option) +
         " richiede un nome di file, non un'altra opzione: " + text(quoted) +
         " (un file con questo nome si indica come ./--nome).";
}
std::string same_file(std::string_view first, std::string_view second) {
  return text(first) + " e " + text(second) +
         " indicano lo stesso file: scriverli in file diversi.";
}
std::string standard_output_twice(std::string_view first, std::string_view second) {
  return text(first) + " e " + text(second) +
         " scrivono entrambe sullo standard output: usarne una.";
}
std::string output_is_input(std::string_view output) {
  return text(output) + " è il file letto da --apri: scrivere in un altro file.";
}
std::string unknown_argument(std::string_view quoted) {
  return "Argomento non riconosciuto: " + text(quoted) + " (atteso campo=valore).";
}
std::string kind_missing(std::string_view kinds) {
  return "Indicare il tipo di calcolo, " + text(kinds) + " (vedere fondara-calc --help).";
}
std::string kind_unknown(std::string_view quoted, std::string_view kinds) {
  return "Tipo di calcolo sconosciuto: " + text(quoted) + "; usare " + text(kinds) + ".";
}
std::string field_unknown(std::string_view kind, std::string_view quoted) {
  return "Campo sconosciuto per " + text(kind) + ": " + text(quoted) +
         " (vedere fondara-calc --help).";
}
std::string field_twice(std::string_view name) {
  return "Il campo " + text(name) + " è indicato due volte.";
}
std::string no_check_table(std::string_view kind) {
  return "L'opzione --tabella vale per i calcoli con una tabella delle verifiche, non per " +
         std::string(kind) + ".";
}

std::string header_unknown_column(std::string_view quoted) {
  return "Intestazione CSV: colonna sconosciuta " + text(quoted) + ".";
}
std::string header_column_twice(std::string_view column) {
  return "Intestazione CSV: la colonna " + text(column) + " compare due volte.";
}
std::string header_column_missing(std::string_view column) {
  return "Intestazione CSV: manca la colonna " + text(column) + ".";
}
std::string row_size(long long line, std::size_t fields, std::size_t header) {
  return "La riga " + std::to_string(line) + " ha " + std::to_string(fields) +
         (fields == 1 ? " campo" : " campi") + ", l'intestazione ne ha " + std::to_string(header) +
         ".";
}
std::string unclosed_quote(long long line) {
  return "Il file CSV ha un campo tra virgolette non chiuso (riga " + std::to_string(line) + ").";
}
std::string row_too_long(long long line) {
  return "Il file CSV ha una riga troppo lunga (riga " + std::to_string(line) +
         "): al massimo 1 MiB e 1024 campi.";
}
std::string failed_rows(long long count, long long first_line) {
  const std::string line = std::to_string(first_line);
  if (count == 1) return "Una riga non calcolata: la riga " + line + " del file CSV.";
  return std::to_string(count) + " righe non calcolate; la prima è la riga " + line +
         " del file CSV.";
}

}  // namespace texts
}  // namespace fondara::cli
