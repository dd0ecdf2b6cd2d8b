// The report statement model shared by every report and every channel.
//
// A report is a list of events: print statements (zero to three items and an end
// mode), font-size changes (the printed reports switch from 10 to 8 points) and, on paper
// only, drawings (the text report has none).
// Items are texts (UTF-8, written unchanged) or numbers (float or double), which are
// written as number items: the sign position (blank or minus), the general number
// text, one blank. An open line is continued by the next statement; a statement
// without items only ends the line. Each kind's report builder produces these lists
// from its values; the output channels (file, printer, PDF) write them.
#pragma once

#include <string>
#include <variant>
#include <vector>

#include "core/calculation.h"
#include "core/drawing.h"
#include "core/outcome.h"

namespace fondara {

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

using Event = std::variant<Statement, FontSize, Drawing>;
using Report = std::vector<Event>;

// The file report (Save) or the printed report (Print, PDF/A).
enum class Version { file, printed };

// A complete report, or the cause that kept it from being prepared.
using ReportOutcome = Outcome<Report, Failure>;

// Number item: " 2,88 ", "-1,5 ", " 30 " (7 significant digits for a float, 15 for a
// double).
std::string number_item(float value);
std::string number_item(double value);

// The text an item writes.
std::string item_text(const Item& item);

// Appends statements of the fixed shapes to a report.
class Builder {
 public:
  void empty() { add({}, End::line_break); }
  void text(std::string text) { add({std::move(text)}, End::line_break); }
  void open_text(std::string text) { add({std::move(text)}, End::open_line); }
  void text_and_text(std::string label, std::string text) {
    add({std::move(label), std::move(text)}, End::line_break);
  }
  void labelled(std::string label, float value) { add({std::move(label), value}, End::line_break); }
  void labelled(std::string label, float value, std::string unit) {
    add({std::move(label), value, std::move(unit)}, End::line_break);
  }
  void labelled(std::string label, double value, std::string unit) {
    add({std::move(label), value, std::move(unit)}, End::line_break);
  }
  void font_size(int points) {
    report_.emplace_back(std::in_place_type<FontSize>, FontSize{points});
  }
  // A drawing across the page, between two lines.
  void drawing(Drawing drawing) {
    report_.emplace_back(std::in_place_type<Drawing>, std::move(drawing));
  }

  Report take() { return std::move(report_); }

 private:
  void add(std::vector<Item> items, End end) {
    report_.emplace_back(std::in_place_type<Statement>, Statement{std::move(items), end});
  }

  Report report_;
};

}  // namespace fondara
