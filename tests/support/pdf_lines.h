// A printed report read back from its PDF: pdftotext -bbox gives each word's box in points from
// the page's top-left corner; blanks come back from the gaps and the monospaced font's pitch.
#pragma once

#include <QProcess>
#include <QRectF>
#include <QRegularExpression>
#include <QStringList>
#include <QXmlStreamReader>
#include <algorithm>
#include <cmath>
#include <vector>

namespace fondara::test {

struct PdfWord {
  int page = 0;
  QRectF box;
  QString text;
};

struct PdfLine {
  QPointF start;  // top left of its first character, leading blanks included
  double pitch;   // width of one character
};

struct PdfText {
  int pages = 0;
  std::vector<PdfWord> words;  // in lines, each line left to right
  std::vector<PdfLine> lines;
  QStringList texts;  // of the lines, leading blanks counted from the leftmost word
};

// The standard output of a tool such as pdfinfo; empty when it fails.
inline QString tool_output(const QString& tool, const QStringList& arguments) {
  QProcess process;
  process.start(tool, arguments);
  if (!process.waitForFinished(30000) || process.exitCode() != 0) return {};
  return QString::fromUtf8(process.readAllStandardOutput());
}

// The PDF at `path` read back; no pages when it cannot be read.
inline PdfText read_pdf(const QString& path) {
  PdfText pdf;
  double left = INFINITY;
  QXmlStreamReader html(tool_output(QStringLiteral("pdftotext"), {"-bbox", path, "-"}));
  while (!html.atEnd()) {
    if (html.readNext() != QXmlStreamReader::StartElement) continue;
    if (html.name() == u"page") ++pdf.pages;
    if (html.name() != u"word") continue;
    const auto at = [&](const char* name) { return html.attributes().value(name).toDouble(); };
    const QRectF box(QPointF(at("xMin"), at("yMin")), QPointF(at("xMax"), at("yMax")));
    pdf.words.push_back({pdf.pages, box, html.readElementText()});
    left = std::min(left, box.left());
  }
  // Words whose glyph boxes end within half a point of each other are on one line.
  const auto same_line = [](const PdfWord& a, const PdfWord& b) {
    return a.page == b.page && std::abs(a.box.bottom() - b.box.bottom()) <= 0.5;
  };
  std::stable_sort(pdf.words.begin(), pdf.words.end(), [&](const PdfWord& a, const PdfWord& b) {
    if (same_line(a, b)) return a.box.left() < b.box.left();
    return std::pair(a.page, a.box.bottom()) < std::pair(b.page, b.box.bottom());
  });
  for (std::size_t i = 0; i < pdf.words.size(); ++i) {
    const PdfWord& word = pdf.words[i];
    const bool starts = i == 0 || !same_line(pdf.words[i - 1], word);
    const double pitch =
        starts ? word.box.width() / static_cast<double>(word.text.size()) : pdf.lines.back().pitch;
    const double gap = word.box.left() - (starts ? left : pdf.words[i - 1].box.right());
    const QString blanks(std::max(0L, std::lround(gap / pitch)), u' ');
    if (starts) {
      pdf.texts << QString();
      const double x = word.box.left() - pitch * static_cast<double>(blanks.size());
      pdf.lines.push_back({{x, word.box.top()}, pitch});
    }
    pdf.texts.back() += blanks + word.text;
  }
  return pdf;
}

// A report's lines as a PDF gives them back: no trailing blanks, no empty lines.
inline QStringList printed_texts(QStringList lines) {
  lines.replaceInStrings(QRegularExpression(QStringLiteral(" +$")), QString());
  lines.removeAll(QString());
  return lines;
}

}  // namespace fondara::test
