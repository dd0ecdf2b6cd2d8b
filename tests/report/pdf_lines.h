// Reads the text of a PDF back, line by line: pdftotext -bbox gives each word with its box
// in points from the page's top-left corner; blanks are rebuilt from the gaps with the
// line's character pitch (the report font is monospaced). Trailing blanks leave no trace.
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
  double x_min = 0;  // left edge of the first character, including leading blanks
  double y_min = 0;  // top of the glyph boxes
  double pitch = 0;  // width of one character
  QString text;
};

struct PdfText {
  int pages = 0;
  std::vector<PdfWord> words;
};

// The standard output of a poppler tool (pdfinfo, pdffonts); empty when it fails.
QString tool_output(const QString& tool, const QStringList& arguments);

// Runs pdftotext -bbox on `pdf_path`; pages == 0 when it fails.
PdfText read_pdf(const QString& pdf_path);

// Groups words into lines in reading order; leading blanks are counted from `left_x`,
// by default from the leftmost word.
std::vector<PdfLine> rebuild_lines(const PdfText& pdf, double left_x = -1);

}  // namespace fondara::report::test
