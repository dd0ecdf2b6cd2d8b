// The fixed Italian texts of the output layer: the channels' failures and the causes of a
// failed file operation, in one wording for the windows and the terminal.
#pragma once

#include <string>

namespace fondara::output {

// Shown after any failure of the printer channel.
inline constexpr char print_error_message[] = "Problema di stampa nella stampante utilizzata.";

// Shown when the PDF of a report cannot be made.
inline constexpr char pdf_error_message[] = "Impossibile preparare la relazione PDF/A.";

// Shown when the ODT file of a report cannot be made.
inline constexpr char odt_error_message[] = "Impossibile preparare la relazione ODT.";

// What the failed call was doing: a missing name reads differently for each.
enum class Access { read, write };

// The cause of a failed call in Italian, lower case, from its errno: "permesso negato".
std::string cause_text(int error_number, Access access = Access::write);

// A name that is neither a regular file nor a folder, where a file is read.
inline constexpr char not_regular_file[] = "non è un file regolare";

}  // namespace fondara::output
