// The printer channel: prints the lines of a report as one document.
//
// Page set-up: a user scale of 200 units across the printable area and 100 units down,
// its top-left corner at (-10, -10), the print position at the user origin (0, 0); so
// every line starts 10 units right of the printable area's left edge and the first
// line 10 units below its top edge. Font "Courier New" (a metric-compatible monospace
// face where it is missing), in the size each line carries (10 points for the heading,
// 8 for the rest). Each line is drawn with its baseline one ascent below the print
// position, which then moves down by the font's line spacing. A line that would pass
// the bottom of the printable area starts a new page.
//
// The printer comes from a factory: the default printer in the program, a PDF file in
// tests. Used by the Print button of both calculation windows, which shows
// print_error_message (channel_texts.h) when printing fails.
#pragma once

#include <QString>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "report/statement.h"

class QPrinter;

namespace fondara::report {

// Returns the printer to print on, or nullptr when there is none.
using PrinterFactory = std::function<std::unique_ptr<QPrinter>()>;

// The system's default printer (through CUPS on Linux), or nullptr when none is set up.
// The production PrinterFactory.
std::unique_ptr<QPrinter> default_printer();

// Prints `lines` as one document on a printer from `make_printer`. Returns nothing on
// success, or the cause of the failure; a document begun before the failure is
// discarded where the printer allows it (a PDF output file is removed).
[[nodiscard]] std::optional<QString> print_lines(const std::vector<Line>& lines,
                                                 const PrinterFactory& make_printer);

// Prints a report whose first lines are in 10 points.
[[nodiscard]] inline std::optional<QString> print_report(const Report& report,
                                                         const PrinterFactory& make_printer) {
  return print_lines(write_lines(report, 10), make_printer);
}

}  // namespace fondara::report
