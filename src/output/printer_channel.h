// The printer channel: prints the lines of a report, or a typeset report, as one document.
//
// The lines are drawn on the destination's page (pdf.h) into a PDF, which
// is handed to the destination: in the program the system's default CUPS destination
// (cups_destination.h), which reports what became of the job; in tests a seam that
// keeps the PDF. Opening the destination and handing the PDF over run on a worker
// thread, while a local event loop keeps every window painted and holds back user
// input; the PDF is drawn in between on the calling thread. Used by Print
// (window/save_print.h), which shows print_error_message (messages.h) on any failure.
#pragma once

#include <QByteArray>
#include <QPageLayout>
#include <QString>
#include <functional>
#include <optional>
#include <variant>
#include <vector>

#include "core/document.h"
#include "output/report_text.h"

namespace fondara::output {

// Done, or the cause of a printer failure (for the record: the user reads one message).
using PrintOutcome = Outcome<Done, QString>;

// A destination open for one document: the page it prints on and the hand-over of the
// rendered PDF, which tells whether the document was accepted.
struct PrintDestination {
  QPageLayout page;
  std::function<PrintOutcome(const QByteArray& pdf, const QString& title)> submit;
};

// Opens the destination of one print: the destination, or the cause why there is none
// or it cannot print.
using PrinterFactory = std::function<Outcome<PrintDestination, QString>()>;

// Prints `lines` as one document titled `title` on a destination from `open`.
PrintOutcome print_lines(const std::vector<Line>& lines, const QString& title,
                         const PrinterFactory& open);

// Prints a typeset report (document_pages.h) the same way, on the destination's page.
PrintOutcome print_document(const Document& document, const QString& title,
                            const PrinterFactory& open);

}  // namespace fondara::output
