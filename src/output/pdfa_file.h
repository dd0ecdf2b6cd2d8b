// The printed report as a PDF/A-1b file, for Save's PDF/A type and fondara-calc --pdf, and a
// typeset report as PDF/A or ODT, without a Qt header: the terminal builds its files through
// these calls. Made with the
// printed pages of pdf.h; where the program has no Qt application yet (fondara-calc),
// one runs for the drawing on the offscreen platform, without a display.
#pragma once

#include <string>
#include <string_view>

#include "core/document.h"
#include "core/outcome.h"
#include "core/report.h"

namespace fondara::output {

// The bytes of the PDF/A file of a printed report, with the document title `title` and the
// calculation's data (the text of its .fondara file) in its metadata, or the Italian
// message of the failure.
Outcome<std::string, std::string> pdfa_file(const Report& printed, std::string_view title,
                                            std::string_view data);

// The same for a typeset report: its pages (document_pages.h) on A4, titled by the document.
Outcome<std::string, std::string> pdfa_file(const Document& document, std::string_view data);

// The bytes of the ODT file of a typeset report, or the Italian message of the failure.
Outcome<std::string, std::string> odt_file(const Document& document);

// The ODT file of a kind whose report is not typeset: the printed report's lines, in a
// monospaced font so that its columns stay aligned, and its drawings.
Outcome<std::string, std::string> odt_file(const Report& printed, std::string_view title);

}  // namespace fondara::output
