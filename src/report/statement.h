// The report statement model shared by every report and every channel.
//
// A report is a list of events: print statements (zero to three items and an end
// mode) and font-size changes (the printed reports switch from 10 to 8 points).
// Items are texts (UTF-8, written unchanged) or numbers (float or double), which
// are written as number items: the sign position (blank or minus), the general
// number text, one blank. An open line is continued by the next statement; a
// statement without items only ends the line. Report builders produce these lists;
// the file channel encodes them to Windows-1252 with CR LF, the printer channel
// draws them line by line.
#pragma once

#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace fondara::report {

using Item = std::variant<std::string, float, double>;

enum class End { line_break, open_line };

struct Statement {
  std::vector<Item> items;
  End end = End::line_break;
};

// The font size in points for the lines that follow.
struct FontSize {
  int points = 10;
};

using Event = std::variant<Statement, FontSize>;
using Report = std::vector<Event>;

// Number item: " 2,88 ", "-1,5 ", " 30 " (7 significant digits for a float, 15
// for a double).
std::string number_item(float value);
std::string number_item(double value);

// The text an item writes.
std::string item_text(const Item& item);

// One written line: its UTF-8 text and the font size in force when it was ended.
struct Line {
  std::string text;
  int points = 10;
};

// Writes the statements into lines. `initial_points` is the size in force before
// the first FontSize event. A final line left open is returned as a line too.
std::vector<Line> write_lines(const Report& report, int initial_points = 10);

// UTF-8 to Windows-1252; characters it cannot hold (and malformed UTF-8) become '?'.
std::string encode_windows1252(std::string_view utf8);

// The bytes of a report file: each ended line in Windows-1252 followed by CR LF
// (a final open line, which no report leaves, without CR LF).
std::string file_bytes(const Report& report);

}  // namespace fondara::report
