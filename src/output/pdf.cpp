#include "output/pdf.h"

#include <QBuffer>
#include <QFont>
#include <QFontMetricsF>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

namespace fondara::output {
namespace {

// User scale: 200 units across, 100 down, top-left corner at (-10, -10); the print
// position starts at the user origin. Lines end 10 units before the right edge, as
// they start 10 units after the left one.
constexpr double scale_across = 200.0;
constexpr double scale_down = 100.0;
constexpr double scale_left = -10.0;
constexpr double scale_top = -10.0;
constexpr double origin_x = 0.0;
constexpr double origin_y = 0.0;
constexpr double right_limit = 180.0;

QFont report_font(int points) {
  QFont font(QStringLiteral("Courier New"));
  font.setStyleHint(QFont::TypeWriter);
  font.setPointSizeF(points);
  return font;
}

QString without_trailing_blanks(const QString& text) {
  qsizetype end = text.size();
  while (end > 0 && text[end - 1] == QLatin1Char(' ')) --end;
  return text.left(end);
}

qsizetype leading_blanks(const QString& text, qsizetype from = 0) {
  qsizetype end = from;
  while (end < text.size() && text[end] == QLatin1Char(' ')) ++end;
  return end - from;
}

// The pieces of `text` that each fit `width`: broken after the last blank that fits
// (the blanks at the break are dropped), or after the last character that fits when no
// blank past the indentation does. Trailing blanks never cause a break.
std::vector<QString> wrap(QString text, double width, const QFontMetricsF& metrics) {
  std::vector<QString> pieces;
  while (metrics.horizontalAdvance(without_trailing_blanks(text)) > width) {
    qsizetype fit = 1;  // at least one character a line, however narrow the page
    while (fit < text.size() && metrics.horizontalAdvance(text.left(fit + 1)) <= width) ++fit;
    const qsizetype blank = text.lastIndexOf(QLatin1Char(' '), fit);
    const qsizetype cut = blank > leading_blanks(text) ? blank : fit;
    pieces.push_back(without_trailing_blanks(text.left(cut)));
    text = text.mid(cut + leading_blanks(text, cut));
  }
  pieces.push_back(std::move(text));
  return pieces;
}

// Draws `lines` on the pages of `device`, whose painter origin is the top-left corner
// of the printable area. Returns false when a new page cannot begin.
bool paint_lines(QPagedPaintDevice& device, QPainter& painter, const std::vector<Line>& lines) {
  // Device pixels of the printable area; user units are converted here rather than with
  // a painter transform, which would scale the fonts with the coordinates.
  const double width = device.width();
  const double height = device.height();
  const auto device_x = [&](double u) { return (u - scale_left) * width / scale_across; };
  const auto device_y = [&](double v) { return (v - scale_top) * height / scale_down; };

  const double left = device_x(origin_x);
  const double top = device_y(origin_y);
  const double line_width = device_x(right_limit) - left;
  double y = top;
  bool page_used = false;
  for (const Line& line : lines) {
    painter.setFont(report_font(line.points));
    const QFontMetricsF metrics(painter.font(), &device);
    const double spacing = metrics.lineSpacing();
    for (const QString& piece : wrap(QString::fromStdString(line.text), line_width, metrics)) {
      if (page_used && y + spacing > height) {
        if (!device.newPage()) return false;
        y = top;
        page_used = false;
      }
      if (!piece.isEmpty()) painter.drawText(QPointF(left, y + metrics.ascent()), piece);
      y += spacing;
      page_used = true;
    }
  }
  return true;
}

}  // namespace

QPageLayout a4_page() {
  return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF());
}

std::optional<QByteArray> render_pdf(const std::vector<Line>& lines, const QPageLayout& page,
                                     const PdfDocument& document) {
  QByteArray pdf;
  QBuffer buffer(&pdf);
  if (!buffer.open(QIODevice::WriteOnly)) return std::nullopt;
  QPdfWriter writer(&buffer);
  writer.setTitle(document.title);
  writer.setCreator(QStringLiteral("Fondara"));
  if (document.pdfa) writer.setPdfVersion(QPagedPaintDevice::PdfVersion_A1b);
  if (!writer.setPageLayout(page)) return std::nullopt;

  QPainter painter;
  if (!painter.begin(&writer)) return std::nullopt;
  const bool painted = paint_lines(writer, painter, lines);
  if (!painter.end() || !painted) return std::nullopt;
  return pdf;
}

std::optional<QByteArray> pdfa_report(const Report& report, const QString& title) {
  return render_pdf(write_lines(report, 10), a4_page(), {title, true});
}

}  // namespace fondara::output
