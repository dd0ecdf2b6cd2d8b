// The data file of a calculation (.fondara): the kind and every field's text as the user
// typed it, so that reopening it gives the same bytes of every report.
//
//   FONDARA-DATI 1
//   # comments and blank lines are allowed
//   tipo=sciolti
//   origine=finestra                  (or terminale: where the texts were typed)
//   lunghezza=10
//   ...
//   descrizione=Plinto A
//   combinazione=200;30;88;60;30      (kinds with load combinations, one line each)
//
// UTF-8 text, one name=value line per field with fondara-calc's names. The texts are read
// by the rules of where they were typed (a window's field reads 1.000 as a thousand, the
// terminal refuses it as ambiguous): origine says which, the terminal's when it is absent,
// as a person writing a file by hand would expect. In a value a
// backslash, a line break, a carriage return (and in a combination a semicolon) are written
// \\, \n, \r (and \;). The first line names the format and its version; a file of a later
// version, an unknown name, a repeated field or anything malformed is refused with its line,
// and nothing of a refused file is used. The windows' Save and Open, fondara-calc
// --salva-dati and --apri, and the PDF reports' metadata read and write this text.
#pragma once

#include <cstddef>
#include <map>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/kind.h"
#include "core/outcome.h"

namespace fondara {

// What a calculation was given.
struct CalculationData {
  const Kind* kind = nullptr;
  // Where the texts were typed, whose rules read them.
  Source source = Source::terminal;
  // The fields that are not per combination, the description included.
  FieldTexts texts;
  // For a kind with load combinations: the per-combination fields of each.
  std::vector<FieldTexts> combinations;
  // Read from a file: the line of each field given and of each combination, for messages.
  std::map<std::string, std::size_t, std::less<>> lines = {};
  std::vector<std::size_t> combination_lines = {};
};

inline constexpr std::string_view kDataFileFormat = "FONDARA-DATI";
inline constexpr int kDataFileVersion = 1;
// A larger file is refused before it is read.
inline constexpr std::size_t kDataFileMaxBytes = 1024 * 1024;

// Why a file cannot be opened: the cause in Italian (lower case, without the file's name)
// and its line, 0 when the cause is not on one line.
struct DataFileError {
  std::string cause;
  std::size_t line = 0;
  bool unreadable = false;  // the file could not be read at all (not what it holds)
};

// The text of the data file.
std::string data_file_text(const CalculationData& data);

// The data of a file's text, the kind found among `kinds`.
Outcome<CalculationData, DataFileError> read_data_file(std::string_view text,
                                                       std::span<const Kind* const> kinds);

// The data of one calculation given all its fields at once (a command line, a CSV row): a
// kind's per-combination fields make its one combination.
CalculationData single_calculation(const Kind& kind, Source source, const FieldTexts& texts);

// The line of the file that gave `field` (a per-combination field: of combination
// `combination`, counted from 1), or 0 when the data did not come from a file's line.
std::size_t line_of(const CalculationData& data, std::string_view field, std::size_t combination);

// The fields' texts of one run of the kind's calculation: the fields with those of
// combination `index` (or of none, for a kind without combinations).
FieldTexts texts_of_combination(const CalculationData& data, std::size_t index);

}  // namespace fondara
