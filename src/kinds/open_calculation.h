// Opening a calculation from a file the user names: a data file (.fondara) or a PDF/A report
// of Fondara, whose metadata carries the same data. The windows (Ctrl+O, a dropped file,
// `fondara FILE`) and fondara-calc --apri open through here.
#pragma once

#include <string>
#include <string_view>

#include "core/data_file.h"
#include "core/outcome.h"

namespace fondara {

// The calculation's data, or why the file cannot be opened (a cause and its line, as the
// data file gives them; the reading's own causes have no line).
Outcome<CalculationData, DataFileError> open_calculation(const std::string& path);

// A value of the data that the kind's calculation refuses as input (Problem of type
// bad_input), as the cause of a file that cannot be opened, with the line that gave it.
DataFileError input_refusal(const CalculationData& data, const Problem& problem);

// "Impossibile aprire il file "NAME": CAUSE (riga N)." for a message box or the terminal;
// `quoted_name` is the file's name between quotes, as the user should read it.
std::string open_failure_message(std::string_view quoted_name, const DataFileError& error);

}  // namespace fondara
