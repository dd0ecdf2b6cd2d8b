// fondara-calc's exit codes and messages, in one place: one line on standard error, the
// user's text in them already quoted and made safe for a terminal (core/user_text.h). The
// text of --help is help.cpp's.
#pragma once

#include <string>
#include <string_view>

#include "core/kind.h"

namespace fondara::cli {

// Exit codes of fondara-calc.
enum ExitCode : int {
  exit_ok = 0,
  exit_not_computable = 1,  // data the calculation refuses or cannot complete
  exit_bad_input = 2,       // a wrong command line, field, value or CSV header
  exit_file = 3,            // a file that cannot be read or written
};

// The exit code of a kind's problem.
ExitCode exit_code(ProblemType type);

// Names a standard stream in place of a file: "-" is standard input or output.
inline constexpr std::string_view standard_stream = "-";

// "Impossibile scrivere il file "NAME": CAUSE." (standard output for "-").
std::string write_failure(std::string_view path, int error_number);
// "Impossibile leggere il file "NAME": CAUSE." (standard input for "-").
std::string read_failure(std::string_view path, int error_number);

// Writes "fondara-calc: MESSAGE" as one line on `err` and returns `code`.
int exit_with(int err, int code, const std::string& message);

namespace texts {

// The command line.
std::string unknown_option(std::string_view quoted);
std::string option_twice(std::string_view option);
// The name of a file, or `standard_stream` "-", that the option needs.
std::string option_needs_file(std::string_view option, bool standard_stream);
std::string option_value_is_option(std::string_view option, std::string_view quoted);
std::string same_file(std::string_view first, std::string_view second);
std::string standard_output_twice(std::string_view first, std::string_view second);
// `output` ("--report", "lo standard output") is the file of --apri.
std::string output_is_input(std::string_view output);
inline constexpr std::string_view csv_with_fields =
    "Con --csv i dati si leggono dal file CSV: non indicare campi nel comando.";
inline constexpr std::string_view csv_with_outputs =
    "Le opzioni --report, --stampa, --pdf, --apri e --salva-dati non valgono con --csv.";
inline constexpr std::string_view output_without_csv = "L'opzione --output vale solo con --csv.";
inline constexpr std::string_view open_with_fields =
    "Con --apri i dati si leggono dal file: non indicare campi nel comando.";
inline constexpr std::string_view open_with_kind =
    "Con --apri il tipo di calcolo si legge dal file: non indicarlo nel comando.";
std::string unknown_argument(std::string_view quoted);
std::string kind_missing(std::string_view kinds);
std::string kind_unknown(std::string_view quoted, std::string_view kinds);
std::string field_unknown(std::string_view kind, std::string_view quoted);
std::string field_twice(std::string_view name);
std::string no_check_table(std::string_view kind);

// The CSV batch.
std::string header_unknown_column(std::string_view quoted);
std::string header_column_twice(std::string_view column);
std::string header_column_missing(std::string_view column);
std::string row_size(long long line, std::size_t fields, std::size_t header);
std::string unclosed_quote(long long line);
std::string row_too_long(long long line);
std::string failed_rows(long long count, long long first_line);
inline constexpr std::string_view into_input =
    "Impossibile scrivere i risultati nel file CSV che si sta leggendo: scegliere un altro file.";
inline constexpr std::string_view empty_csv = "Il file CSV è vuoto: manca la riga d'intestazione.";

}  // namespace texts

}  // namespace fondara::cli
