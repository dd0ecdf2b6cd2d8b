// Report statements to text: the lines of a report (for the printer, the PDF and the
// terminal's preview) and the bytes of a report file (Windows-1252, CR LF).
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/kind.h"
#include "core/report.h"

namespace fondara::output {

// One written line: its UTF-8 text and the font size in force when it was ended.
struct Line {
  std::string text;
  int points = 10;
  // A drawing across the page in place of a line of text (the printed report only).
  std::optional<Drawing> drawing = std::nullopt;
};

// Writes the statements into lines, limited to what Windows-1252 holds (windows1252_text).
// `initial_points` is the size in force before the first FontSize event. A final line
// left open is returned as a line too.
std::vector<Line> write_lines(const Report& report, int initial_points = 10);

// "Relazione di calcolo - terreni coesivi": the document title of the reports of a kind,
// from its title.
std::string report_title(std::string_view kind_title);

// UTF-8 to Windows-1252; characters it cannot hold (and malformed UTF-8) become '?'.
std::string encode_windows1252(std::string_view utf8);

// UTF-8 limited to what Windows-1252 holds, still in UTF-8: the characters that
// encode_windows1252 turns into '?' are '?' here too, so that the printed report, the PDF
// and the report file show the same text.
std::string windows1252_text(std::string_view utf8);

// The bytes of a report file: each ended line in Windows-1252 followed by CR LF (a final
// open line, which no report leaves, without CR LF).
std::string file_bytes(const Report& report);

// The bytes of a calculation's report file, made part by part (each_report_part of
// core/kind.h), so that a long report is never held whole as statements.
Outcome<std::string, Failure> file_bytes(const Calculation& calculation,
                                         std::string_view description);

}  // namespace fondara::output
