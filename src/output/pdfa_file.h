// The printed report as a PDF/A-1b file, for Save's PDF/A type and fondara-calc --pdf,
// without a Qt header: the terminal builds its PDF through this call. Made with the
// printed pages of pdf.h; where the program has no Qt application yet (fondara-calc),
// one runs for the drawing on the offscreen platform, without a display.
#pragma once

#include <string>
#include <string_view>

#include "core/outcome.h"
#include "core/report.h"

namespace fondara::output {

// The bytes of the PDF/A file of a printed report, with the document title `title` and the
// calculation's data (the text of its .fondara file) in its metadata, or the Italian
// message of the failure.
Outcome<std::string, std::string> pdfa_file(const Report& printed, std::string_view title,
                                            std::string_view data);

}  // namespace fondara::output
