// A report as a typeset document: headings, paragraphs of styled runs, tables with header rows,
// figures (a Drawing with its caption) and a signature block, with the texts every page repeats.
//
// A kind that typesets its report builds one Document from its typed results, with a pure
// function; the renderers of output/ write it to each format (PDF/A pages, the printer, ODT), so
// a new format is one renderer. Texts are UTF-8. No Qt here.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "core/drawing.h"

namespace fondara {

// How a run of text is set; the flags combine ("bold | red").
enum RunStyle : unsigned {
  kPlain = 0,
  kBold = 1u << 0,
  kItalic = 1u << 1,
  kSubscript = 1u << 2,
  kSuperscript = 1u << 3,
  kRed = 1u << 4,  // a value outside its limit: always said in words as well
};

struct Run {
  std::string text;
  unsigned style = kPlain;
};
using Runs = std::vector<Run>;

// `text` added to the last run when that has `style`, else as a run of its own; an empty text
// adds nothing.
void append(Runs& runs, std::string_view text, unsigned style);

// Runs from a text where "_{...}" is a subscript and "^{...}" a superscript, each also after a
// single character ("N_q", "tan^2"), every run with `style` added: the formulas and symbols of a
// report ("R/A' = c'_{d}·N_{c}", "γ_{R,v}"). A brace left open runs to the end of the text.
Runs formula(std::string_view text, unsigned style = kPlain);

struct Heading {
  int level = 1;  // 1: a section, 2: a part of one
  std::string text;
};

struct Paragraph {
  Runs runs;
  bool monospace = false;  // a line of a report laid out in columns of blanks
};

enum class Align { kLeft, kRight, kCenter };

struct Cell {
  Runs runs;
  bool highlight = false;  // shaded: the governing row
};

// A table whose first `header_rows` rows repeat at the top of each page it runs onto. Every row
// has one cell per entry of `align`.
struct Table {
  std::size_t header_rows = 1;
  std::vector<Align> align = {};
  std::vector<std::vector<Cell>> rows = {};
  // A table of many rows and columns, set compactly: each row one line of a monospaced font, its
  // cells padded to their column's width, so that a text extractor reads a row as one line.
  bool compact = false;
};

// A drawing to scale across the text's width, with its caption below.
struct Figure {
  Drawing drawing;
  std::string caption = {};
};

// The place to sign: the role ("Il progettista"), the name under it and a line.
struct Signature {
  std::string role;
  std::string name = {};
};

using Block = std::variant<Heading, Paragraph, Table, Figure, Signature>;

struct Document {
  std::string title = {};   // the file's document title
  std::string header = {};  // on top of every page: the project and the element
  std::string footer = {};  // at the foot of every page, before "Pagina N di M"
  std::vector<Block> blocks = {};
};

// "Pagina 3 di 12".
std::string page_text(std::size_t page, std::size_t pages);

}  // namespace fondara
