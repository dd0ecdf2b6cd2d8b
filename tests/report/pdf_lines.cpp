#include "pdf_lines.h"

#include <QProcess>
#include <QRegularExpression>
#include <algorithm>
#include <cmath>

namespace fondara::report::test {
QString tool_output(const QString& tool, const QStringList& arguments) {
  QProcess process;
  process.start(tool, arguments);
  if (!process.waitForFinished(30000) || process.exitCode() != 0) return {};
  return QString::fromUtf8(process.readAllStandardOutput());
}

PdfText read_pdf(const QString& pdf_path) {
  const QString html = tool_output(QStringLiteral("pdftotext"),
                                   {QStringLiteral("-bbox"), pdf_path, QStringLiteral("-")});
  static const QRegularExpression page_or_word(QString::fromLatin1(
      R"re(<page |<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re"));
  PdfText pdf;
  for (auto match = page_or_word.globalMatch(html); match.hasNext();) {
    const QRegularExpressionMatch m = match.next();
    if (m.captured(1).isEmpty()) {
      ++pdf.pages;
      continue;
    }
    QString text = m.captured(5);
    for (const char* entity : {"&lt;<", "&gt;>", "&quot;\"", "&apos;'", "&#39;'", "&amp;&"}) {
      const QString pair = QString::fromLatin1(entity);
      text.replace(pair.chopped(1), pair.right(1));
    }
    pdf.words.push_back({pdf.pages, m.captured(1).toDouble(), m.captured(2).toDouble(),
                         m.captured(3).toDouble(), m.captured(4).toDouble(), text});
  }
  return pdf;
}

std::vector<PdfLine> rebuild_lines(const PdfText& pdf, double left_x) {
  const auto blanks = [](double gap, double pitch) {
    return std::max(0, static_cast<int>(std::lround(gap / pitch)));
  };
  std::vector<PdfWord> words = pdf.words;
  if (left_x < 0 && !words.empty()) {
    left_x = std::min_element(words.begin(), words.end(), [](const auto& a, const auto& b) {
               return a.x_min < b.x_min;
             })->x_min;
  }
  // A word belongs to the line of the word before it when their glyph boxes end within
  // half a point of each other; blanks take the pitch of the line's first word.
  std::stable_sort(words.begin(), words.end(), [](const PdfWord& a, const PdfWord& b) {
    if (a.page != b.page) return a.page < b.page;
    if (std::abs(a.y_max - b.y_max) > 0.5) return a.y_max < b.y_max;
    return a.x_min < b.x_min;
  });
  std::vector<PdfLine> lines;
  const PdfWord* previous = nullptr;
  for (const PdfWord& word : words) {
    if (!previous || previous->page != word.page || std::abs(previous->y_max - word.y_max) > 0.5) {
      const double pitch = (word.x_max - word.x_min) / static_cast<double>(word.text.size());
      const int leading = blanks(word.x_min - left_x, pitch);
      lines.push_back(
          {word.x_min - leading * pitch, word.y_min, pitch, QString(leading, QLatin1Char(' '))});
    } else {
      lines.back().text +=
          QString(blanks(word.x_min - previous->x_max, lines.back().pitch), QLatin1Char(' '));
    }
    lines.back().text += word.text;
    previous = &word;
  }
  return lines;
}

}  // namespace fondara::report::test
