// fondara-calc --pdf: the printed report as a PDF/A file, drawn as the windows' Save
// draws it with the PDF/A type, without a display.
#pragma once

#include <optional>
#include <string>

#include "cli/fields.h"
#include "report/statement.h"

namespace fondara::cli {

// The bytes of the PDF/A file of a printed report, or nothing when it cannot be drawn.
std::optional<std::string> pdfa_bytes(const report::Report& report, Terreno terreno);

}  // namespace fondara::cli
