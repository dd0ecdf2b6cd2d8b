// The printed report on pages: one drawing routine for paper and for the PDF/A file.
//
// Page set-up: a user scale of 200 units across the printable area and 100 units down,
// its top-left corner at (-10, -10), the print position at the user origin (0, 0); so
// every line starts 10 units right of the printable area's left edge and the first
// line 10 units below its top edge. Font "Courier New" (a metric-compatible monospace
// face where it is missing), in the size each line carries (10 points for the heading,
// 8 for the rest). Each line is drawn with its baseline one ascent below the print
// position, which then moves down by the font's line spacing. A line wider than the
// space up to 10 units before the right edge continues on the following lines, broken
// after a blank where it has one; a line that would pass the bottom of the printable
// area starts a new page.
//
// The printer channel renders onto the destination's page and sends the PDF to CUPS;
// Save (PDF/A type) and fondara-calc --pdf write the same pages on A4 as a PDF/A-1b
// file (pdfa_file.h). Needs a QGuiApplication (the offscreen platform will do, no
// display) for its fonts.
#pragma once

#include <QByteArray>
#include <QPageLayout>
#include <QPdfWriter>
#include <QString>
#include <functional>
#include <optional>
#include <vector>

#include "core/report.h"
#include "output/report_text.h"

namespace fondara::output {

// The document's metadata: title, and whether it is an archival PDF/A-1b file.
struct PdfDocument {
  QString title;
  bool pdfa = false;
};

// A4, the whole sheet printable: the page of the PDF/A file, and of a printer that
// names no default paper.
QPageLayout a4_page();

// A PDF on pages of `page` with `document`'s metadata, painted by `paint` on the writer (which
// answers whether it could paint every page); nothing when the PDF cannot be made. Tab glyphs
// are mapped to blanks, so that extractors read spaces.
std::optional<QByteArray> make_pdf(const QPageLayout& page, const PdfDocument& document,
                                   const std::function<bool(QPdfWriter&)>& paint);

// Renders `lines` as a PDF on pages of `page`; nothing when the PDF cannot be made.
std::optional<QByteArray> render_pdf(const std::vector<Line>& lines, const QPageLayout& page,
                                     const PdfDocument& document);

// The printed report of `report` as the bytes of a PDF/A-1b file on A4, with the
// document title `title`; nothing when the PDF cannot be made.
std::optional<QByteArray> pdfa_report(const Report& report, const QString& title);

}  // namespace fondara::output
