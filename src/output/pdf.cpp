#include "output/pdf.h"

#include <QBuffer>
#include <QFont>
#include <QFontMetricsF>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <map>
#include <unordered_map>
#include <utility>

#include "output/drawing_painter.h"
#include "output/pdf_text_map.h"

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
// A drawing takes this part of the printable area's height.
constexpr double drawing_part_of_page = 0.3;

QFont report_font(int points) {
  QFont font(QStringLiteral("Courier New"));
  font.setStyleHint(QFont::TypeWriter);
  font.setPointSizeF(points);
  return font;
}

// The characters of one line with the advance from the line's start to each of them,
// each character's advance measured once per font and added up: the time grows with the
// line's length, and no measure spans more than one character (Qt's fixed-point widths
// overflow past a few hundred thousand characters).
class MeasuredLine {
 public:
  MeasuredLine(QString text, const QFontMetricsF& metrics,
               std::unordered_map<char32_t, double>& known)
      : text_(std::move(text)), edge_(static_cast<std::size_t>(text_.size()) + 1, 0.0) {
    for (qsizetype i = 0; i < text_.size();) {
      const qsizetype next = next_character(i);
      const QString character = text_.mid(i, next - i);
      const char32_t code =
          next - i == 2 ? QChar::surrogateToUcs4(text_[i], text_[i + 1]) : text_[i].unicode();
      auto [entry, added] = known.try_emplace(code, 0.0);
      if (added) entry->second = metrics.horizontalAdvance(character);
      for (qsizetype k = i + 1; k < next; ++k) set_edge(k, edge(i));
      set_edge(next, edge(i) + entry->second);
      i = next;
    }
  }

  const QString& text() const { return text_; }
  qsizetype size() const { return text_.size(); }
  // The advance from the line's start to code unit `i`.
  double edge(qsizetype i) const { return edge_[static_cast<std::size_t>(i)]; }
  // Where the character at code unit `i` ends: a surrogate pair is one character.
  qsizetype next_character(qsizetype i) const {
    const bool pair =
        i + 1 < text_.size() && text_[i].isHighSurrogate() && text_[i + 1].isLowSurrogate();
    return i + (pair ? 2 : 1);
  }
  bool blank(qsizetype i) const { return text_[i] == QLatin1Char(' '); }

 private:
  void set_edge(qsizetype i, double x) { edge_[static_cast<std::size_t>(i)] = x; }

  QString text_;
  std::vector<double> edge_;
};

// One piece of a wrapped line: its code units [begin, end).
struct Piece {
  qsizetype begin;
  qsizetype end;
};

// The pieces of `line` that each fit `width`: broken after the last blank that fits
// (the blanks at the break are dropped), or after the last character that fits when no
// blank past the indentation does. Trailing blanks never cause a break.
std::vector<Piece> wrap(const MeasuredLine& line, double width) {
  const auto skip_blanks = [&](qsizetype i) {
    while (i < line.size() && line.blank(i)) ++i;
    return i;
  };
  qsizetype content_end = line.size();
  while (content_end > 0 && line.blank(content_end - 1)) --content_end;
  std::vector<Piece> pieces;
  qsizetype begin = 0;
  while (content_end > begin && line.edge(content_end) - line.edge(begin) > width) {
    // At least one character a line, however narrow the page.
    qsizetype fit = line.next_character(begin);
    while (fit < line.size() && line.edge(line.next_character(fit)) - line.edge(begin) <= width)
      fit = line.next_character(fit);
    // The last blank up to the first character that does not fit.
    qsizetype blank = fit;
    while (blank > begin && !line.blank(blank)) --blank;
    const qsizetype cut = blank > skip_blanks(begin) ? blank : fit;
    qsizetype end = cut;
    while (end > begin && line.blank(end - 1)) --end;
    pieces.push_back({begin, end});
    begin = skip_blanks(cut);
  }
  pieces.push_back({begin, line.size()});
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
  // The advances of the characters met so far, for each font size.
  std::map<int, std::unordered_map<char32_t, double>> advances;
  for (const Line& line : lines) {
    painter.setFont(report_font(line.points));
    const QFontMetricsF metrics(painter.font(), &device);
    const double spacing = metrics.lineSpacing();
    if (line.drawing) {
      // Across the lines' width, as tall as a quarter of the page and a little more, with an
      // empty line's space after it; on a new page when it does not fit.
      const double drawing_height = height * drawing_part_of_page;
      if (page_used && y + drawing_height > height) {
        if (!device.newPage()) return false;
        y = top;
      }
      paint_drawing(painter, *line.drawing, QRectF(left, y, line_width, drawing_height));
      y += drawing_height + spacing;
      page_used = true;
      continue;
    }
    const MeasuredLine measured(QString::fromStdString(line.text), metrics, advances[line.points]);
    for (const Piece piece : wrap(measured, line_width)) {
      if (page_used && y + spacing > height) {
        if (!device.newPage()) return false;
        y = top;
        page_used = false;
      }
      if (piece.end > piece.begin)
        painter.drawText(QPointF(left, y + metrics.ascent()),
                         measured.text().mid(piece.begin, piece.end - piece.begin));
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

std::optional<QByteArray> make_pdf(const QPageLayout& page, const PdfDocument& document,
                                   const std::function<bool(QPdfWriter&)>& paint) {
  QByteArray pdf;
  QBuffer buffer(&pdf);
  if (!buffer.open(QIODevice::WriteOnly)) return std::nullopt;
  QPdfWriter writer(&buffer);
  writer.setTitle(document.title);
  writer.setCreator(QStringLiteral("Fondara"));
  if (document.pdfa) writer.setPdfVersion(QPagedPaintDevice::PdfVersion_A1b);
  if (!writer.setPageLayout(page) || !paint(writer)) return std::nullopt;
  map_tab_glyphs_to_blank(pdf);
  return pdf;
}

std::optional<QByteArray> render_pdf(const std::vector<Line>& lines, const QPageLayout& page,
                                     const PdfDocument& document) {
  return make_pdf(page, document, [&](QPdfWriter& writer) {
    QPainter painter;
    if (!painter.begin(&writer)) return false;
    const bool painted = paint_lines(writer, painter, lines);
    return painter.end() && painted;
  });
}

std::optional<QByteArray> pdfa_report(const Report& report, const QString& title) {
  return render_pdf(write_lines(report, 10), a4_page(), {title, true});
}

}  // namespace fondara::output
