// The printer channel: prints the lines of a report as one document.
//
// The lines are drawn on the destination's page (printed_pages.h) into a PDF, which
// is handed to the destination: in the program the system's default CUPS destination
// (cups_destination.h), which reports what became of the job; in tests a seam that
// keeps the PDF. Opening the destination and handing the PDF over run on a worker
// thread, while a local event loop keeps every window painted and holds back user
// input; the PDF is drawn in between on the calling thread. Used by Print
// (save_print.h), which shows print_error_message (channel_texts.h) on any failure.
#pragma once

#include <QByteArray>
#include <QPageLayout>
#include <QString>
#include <functional>
#include <optional>
#include <variant>
#include <vector>

#include "report/statement.h"

namespace fondara::report {

// A destination open for one document: the page it prints on and the hand-over of the
// rendered PDF, which returns nothing when the document was accepted, or the cause.
struct PrintDestination {
  QPageLayout page;
  std::function<std::optional<QString>(const QByteArray& pdf, const QString& title)> submit;
};

// Opens the destination of one print: the destination, or the cause why there is none
// or it cannot print.
using PrinterFactory = std::function<std::variant<PrintDestination, QString>()>;

// Prints `lines` as one document titled `title` on a destination from `open`. Returns
// nothing on success, or the cause of the failure.
[[nodiscard]] std::optional<QString> print_lines(const std::vector<Line>& lines,
                                                 const QString& title, const PrinterFactory& open);

}  // namespace fondara::report
