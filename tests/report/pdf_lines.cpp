#include "pdf_lines.h"

#include <QProcess>
#include <QRegularExpression>
#include <algorithm>
#include <cmath>

namespace fondara::report::test {
namespace {

QString decode_entities(QString text) {
  text.replace(QStringLiteral("&lt;"), QStringLiteral("<"));
  text.replace(QStringLiteral("&gt;"), QStringLiteral(">"));
  text.replace(QStringLiteral("&quot;"), QStringLiteral("\""));
  text.replace(QStringLiteral("&apos;"), QStringLiteral("'"));
  text.replace(QStringLiteral("&#39;"), QStringLiteral("'"));
  text.replace(QStringLiteral("&amp;"), QStringLiteral("&"));
  return text;
}

int blanks(double gap, double pitch) {
  return std::max(0, static_cast<int>(std::lround(gap / pitch)));
}

}  // namespace

QString tool_output(const QString& tool, const QStringList& arguments) {
  QProcess process;
  process.start(tool, arguments);
  if (!process.waitForFinished(30000) || process.exitCode() != 0) return {};
  return QString::fromUtf8(process.readAllStandardOutput());
}

PdfText read_pdf(const QString& pdf_path) {
  PdfText pdf;
  const QString html = tool_output(QStringLiteral("pdftotext"),
                                   {QStringLiteral("-bbox"), pdf_path, QStringLiteral("-")});

  static const QRegularExpression page_or_word(QString::fromLatin1(
      R"re(<page width="([\d.]+)" height="([\d.]+)">|<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re"));
  for (auto match = page_or_word.globalMatch(html); match.hasNext();) {
    const QRegularExpressionMatch m = match.next();
    if (!m.captured(1).isEmpty()) {
      ++pdf.pages;
      pdf.page_width = m.captured(1).toDouble();
      pdf.page_height = m.captured(2).toDouble();
      continue;
    }
    pdf.words.push_back({pdf.pages, m.captured(3).toDouble(), m.captured(4).toDouble(),
                         m.captured(5).toDouble(), m.captured(6).toDouble(),
                         decode_entities(m.captured(7))});
  }
  return pdf;
}

std::vector<PdfLine> rebuild_lines(const PdfText& pdf, double left_x) {
  std::vector<PdfWord> words = pdf.words;
  // A word belongs to the line whose glyph boxes end within half a point of its own.
  std::stable_sort(words.begin(), words.end(), [](const PdfWord& a, const PdfWord& b) {
    if (a.page != b.page) return a.page < b.page;
    if (std::abs(a.y_max - b.y_max) > 0.5) return a.y_max < b.y_max;
    return a.x_min < b.x_min;
  });
  std::vector<std::vector<PdfWord>> grouped;
  for (const PdfWord& word : words) {
    if (grouped.empty() || grouped.back().front().page != word.page ||
        std::abs(grouped.back().front().y_max - word.y_max) > 0.5) {
      grouped.emplace_back();
    }
    grouped.back().push_back(word);
  }

  std::vector<PdfLine> lines;
  for (const auto& group : grouped) {
    double width = 0;
    qsizetype characters = 0;
    for (const PdfWord& word : group) {
      width += word.x_max - word.x_min;
      characters += word.text.size();
    }
    PdfLine line;
    line.page = group.front().page;
    line.y_min = group.front().y_min;
    line.y_max = group.front().y_max;
    line.pitch = width / static_cast<double>(characters);
    const int leading = blanks(group.front().x_min - left_x, line.pitch);
    line.x_min = group.front().x_min - leading * line.pitch;
    line.text = QString(leading, QLatin1Char(' '));
    for (std::size_t i = 0; i < group.size(); ++i) {
      if (i > 0) {
        line.text +=
            QString(blanks(group[i].x_min - group[i - 1].x_max, line.pitch), QLatin1Char(' '));
      }
      line.text += group[i].text;
    }
    lines.push_back(line);
  }
  return lines;
}

}  // namespace fondara::report::test
