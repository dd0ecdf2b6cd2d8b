// The data file of a calculation (.fondara): the kind and every field's text as the user
// typed it, so that reopening it gives the same bytes of every report.
//
//   FONDARA-DATI 2
//   # comments and blank lines are allowed
//   tipo=verifica
//   origine=finestra                  (or terminale: where the texts were typed)
//   larghezza=2
//   ...
//   descrizione=Plinto A
//   azione=Peso proprio;G1;800;0;0;0;0     (kinds with actions, one line each)
//   combinazione=200;30;88;60;30;sismica  (kinds with load combinations, one line each)
//
// Version 2 brought fields (Field::since), choices and the action lines; a combination line
// may leave out the fields it brought. A file is written in version 1 when it uses nothing
// of version 2, so that the releases that read only version 1 open it.
// UTF-8 text, one name=value line per field with fondara-calc's names. The texts are read
// by the rules of where they were typed (a window's field reads 1.000 as a thousand, the
// terminal refuses it as ambiguous): origine says which, the terminal's when it is absent,
// as a person writing a file by hand would expect. In a value a
// backslash, a line break, a carriage return (and in a combination or an action a semicolon) are
// written
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

inline constexpr std::string_view kDataFileFormat = "FONDARA-DATI";
// The latest version, which the reader takes with every earlier one. A file is written in the
// earliest version that holds its data, so that an earlier release opens what it can compute.
inline constexpr int kDataFileVersion = 2;
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

// The line of the file that gave `field` (a per-combination field: of combination
// `combination`; an action's: of action `action`; both counted from 1), or 0 when the data did
// not come from a file's line.
std::size_t line_of(const CalculationData& data, std::string_view field, std::size_t combination,
                    std::size_t action = 0);

}  // namespace fondara
