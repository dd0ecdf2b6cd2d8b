// Reads the text of a PDF back, line by line, with its position and size.
//
// pdftotext -bbox gives each word with its box in points from the page's top-left
// corner. The words of one line share a baseline; blanks are rebuilt from the gaps
// with that line's own character pitch (the report font is monospaced), so leading and
// inner blanks come back exact. Trailing blanks leave no trace in a PDF.
#pragma once

#include <QString>
#include <QStringList>
#include <vector>

namespace fondara::report::test {

struct PdfWord {
  int page = 0;
  double x_min = 0, y_min = 0, x_max = 0, y_max = 0;
  QString text;
};

struct PdfLine {
  int page = 0;
  double x_min = 0;  // left edge of the first character, including leading blanks
  double y_min = 0;  // top of the glyph boxes
  double y_max = 0;  // bottom of the glyph boxes
  double pitch = 0;  // width of one character
  QString text;
};

struct PdfText {
  int pages = 0;
  double page_width = 0, page_height = 0;  // points
  std::vector<PdfWord> words;
};

// Runs pdftotext -bbox on `pdf_path`; pages == 0 when it fails.
PdfText read_pdf(const QString& pdf_path);

// The standard output of a poppler tool (pdftotext, pdfinfo, pdffonts); empty when it
// fails.
QString tool_output(const QString& tool, const QStringList& arguments);

// Groups words into lines in reading order; leading blanks are counted from `left_x`.
std::vector<PdfLine> rebuild_lines(const PdfText& pdf, double left_x);

}  // namespace fondara::report::test
