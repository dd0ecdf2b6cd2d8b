#include "output/document_pages.h"

#include <QAbstractTextDocumentLayout>
#include <QBuffer>
#include <QFont>
#include <QFontMetricsF>
#include <QImage>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentWriter>
#include <QTextObjectInterface>
#include <QTextTable>
#include <QUrl>
#include <algorithm>
#include <cmath>

#include "output/drawing_painter.h"

namespace fondara::output {
namespace {

constexpr int kDrawingObject = QTextFormat::UserObject + 1;
constexpr int kDrawingIndex = QTextFormat::UserProperty + 1;
constexpr int kDrawingWidth = QTextFormat::UserProperty + 2;
constexpr int kDrawingHeight = QTextFormat::UserProperty + 3;

constexpr double kMinimumMarginMm = 18;
constexpr double kBodyPoints = 9.5;
constexpr double kTablePoints = 8.5;
// A compact table's size: the largest that fits its widest row, within these.
constexpr double kCompactLargest = 8;
constexpr double kCompactSmallest = 5.5;
// The advance of Liberation Mono's characters, in ems, and a little room for the cell's padding.
constexpr double kMonospaceAdvance = 0.6;
constexpr double kCompactRoom = 0.96;
constexpr std::size_t kCompactGap = 2;  // blanks between two columns
constexpr double kRunningPoints = 7.5;  // header and footer
// A figure: at most this part of the text's width and of the page's height.
constexpr double kFigureWidth = 0.6;
constexpr double kFigureHeight = 0.3;
// Passes of the layout that move a heading off the foot of a page: each pass moves every heading
// found there, so a few are enough; more would mean a page too short for any content.
constexpr int kHeadingPasses = 8;
// The pixels of a figure's picture per point, in the ODT file.
constexpr double kPicturePixelsPerPoint = 3;

QFont font(const QString& family, QFont::StyleHint hint, double points) {
  QFont font(family);
  font.setStyleHint(hint);
  font.setFixedPitch(hint == QFont::Monospace);
  font.setPointSizeF(points);
  return font;
}

QFont text_font(double points) {
  return font(QStringLiteral("Liberation Sans"), QFont::SansSerif, points);
}

QFont monospace_font(double points) {
  return font(QStringLiteral("Liberation Mono"), QFont::Monospace, points);
}

// The characters of a cell: UTF-8 bytes that do not continue a character.
std::size_t characters(const Runs& runs) {
  std::size_t count = 0;
  for (const Run& run : runs)
    for (const char byte : run.text) count += (static_cast<unsigned char>(byte) & 0xC0) != 0x80;
  return count;
}

QString qt(const std::string& text) {
  return QString::fromStdString(text);
}

// Paints the figures of a document, which it holds, at print time: vector graphics on the page.
class DrawingObjects final : public QObject, public QTextObjectInterface {
  Q_OBJECT
  Q_INTERFACES(QTextObjectInterface)

 public:
  explicit DrawingObjects(std::vector<Drawing> drawings) : drawings_(std::move(drawings)) {}

  QSizeF intrinsicSize(QTextDocument* /*document*/, int /*position*/,
                       const QTextFormat& format) override {
    return {format.doubleProperty(kDrawingWidth), format.doubleProperty(kDrawingHeight)};
  }

  void drawObject(QPainter* painter, const QRectF& rect, QTextDocument* /*document*/,
                  int /*position*/, const QTextFormat& format) override {
    const auto index = static_cast<std::size_t>(format.intProperty(kDrawingIndex));
    if (index < drawings_.size()) paint_drawing(*painter, drawings_[index], rect);
  }

 private:
  std::vector<Drawing> drawings_;
};

// Where a document goes: pages or an ODT file. The formats' lengths (margins, padding, borders)
// are in pixels at 96 per inch, which the layout scales to the device, or in points for the ODT
// file; the figures' sizes in the layout's own units: the device's pixels, or points.
struct Target {
  bool pages;
  double unit;         // format length per point
  double figure_unit;  // figure size per point
  double text_width;   // the text's width, points
  double page_height;  // the body's height, points
};

// The QTextDocument of a Document.
class Typesetter {
 public:
  Typesetter(QTextDocument& document, const Target& target)
      : document_(document), cursor_(&document), target_(target) {
    document_.setDefaultFont(text_font(kBodyPoints));
    document_.setDocumentMargin(0);
  }

  void add(const Block& block) {
    std::visit([this](const auto& b) { put(b); }, block);
  }

  std::vector<Drawing> take_drawings() { return std::move(drawings_); }

 private:
  // A new block for what follows, unless the cursor is on one still unused (the document's
  // first, or the one after a table).
  void next_block(QTextBlockFormat format, const QTextCharFormat& characters) {
    // The space after a table: a margin of its own would spill onto the next page, where the
    // table's header would repeat over no row.
    if (after_table_) format.setTopMargin(std::max(format.topMargin(), 6 * target_.unit));
    after_table_ = false;
    if (unused_block_) {
      cursor_.setBlockFormat(format);
      cursor_.setBlockCharFormat(characters);
      cursor_.setCharFormat(characters);
      unused_block_ = false;
    } else {
      cursor_.insertBlock(format, characters);
    }
  }

  QTextBlockFormat block_format(double above, double below, Qt::Alignment align = {}) const {
    QTextBlockFormat format;
    format.setTopMargin(above * target_.unit);
    format.setBottomMargin(below * target_.unit);
    if (align) format.setAlignment(align);
    return format;
  }

  static QTextCharFormat char_format(const QFont& font, unsigned style) {
    QTextCharFormat format;
    format.setFont(font);
    if (style & kBold) format.setFontWeight(QFont::Bold);
    if (style & kItalic) format.setFontItalic(true);
    if (style & kSubscript) format.setVerticalAlignment(QTextCharFormat::AlignSubScript);
    if (style & kSuperscript) format.setVerticalAlignment(QTextCharFormat::AlignSuperScript);
    if (style & kRed) format.setForeground(QColor(190, 0, 0));
    return format;
  }
  static QTextCharFormat char_format(double points, unsigned style) {
    return char_format(text_font(points), style);
  }

  // A line break within a run stays in its paragraph (or its table cell).
  static void insert_runs(QTextCursor& cursor, const Runs& runs, double points) {
    for (const Run& run : runs)
      cursor.insertText(qt(run.text).replace(u'\n', QChar::LineSeparator),
                        char_format(points, run.style));
  }

  void put(const Heading& heading) {
    QTextBlockFormat format = block_format(heading.level == 1 ? 12 : 7, 3);
    format.setHeadingLevel(heading.level);
    const QTextCharFormat characters = char_format(heading.level == 1 ? 13 : 10.5, kBold);
    next_block(format, characters);
    cursor_.insertText(qt(heading.text), characters);
  }

  void put(const Paragraph& paragraph) {
    if (paragraph.monospace) {
      QTextCharFormat characters;
      characters.setFont(monospace_font(8));
      next_block(block_format(0, 0), characters);
      for (const Run& run : paragraph.runs) cursor_.insertText(qt(run.text), characters);
      return;
    }
    next_block(block_format(0, 4), char_format(kBodyPoints, kPlain));
    insert_runs(cursor_, paragraph.runs, kBodyPoints);
  }

  QTextTableFormat table_format(const Table& table) const {
    QTextTableFormat format;
    format.setHeaderRowCount(static_cast<int>(table.header_rows));
    format.setBorder(0.5 * target_.unit);
    format.setBorderBrush(QColor(110, 110, 110));
    format.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
    format.setBorderCollapse(true);
    format.setCellSpacing(0);
    format.setCellPadding(1.5 * target_.unit);
    return format;
  }

  static void shade(QTextTableCell& cell, bool highlight) {
    QTextTableCellFormat format = cell.format().toTableCellFormat();
    format.setBackground(highlight ? QColor(255, 236, 170) : QColor(232, 232, 232));
    cell.setFormat(format);
  }

  // The characters of each column's longest text.
  static std::vector<std::size_t> column_characters(const Table& table) {
    std::vector<std::size_t> widths(table.align.size(), 0);
    for (const auto& row : table.rows)
      for (std::size_t c = 0; c < widths.size() && c < row.size(); ++c)
        widths[c] = std::max(widths[c], characters(row[c].runs));
    return widths;
  }

  // Each row one line in one cell: the cells padded with blanks to their column's width.
  void put_compact(const Table& table) {
    const std::size_t columns = table.align.size();
    const std::vector<std::size_t> widths = column_characters(table);
    std::size_t line = kCompactGap * (columns - 1);
    for (const std::size_t width : widths) line += width;
    const double points = std::clamp(
        target_.text_width * kCompactRoom / (static_cast<double>(line) * kMonospaceAdvance),
        kCompactSmallest, kCompactLargest);
    QTextTable* text_table =
        cursor_.insertTable(static_cast<int>(table.rows.size()), 1, table_format(table));
    for (std::size_t r = 0; r < table.rows.size(); ++r) {
      const auto& row = table.rows[r];
      QTextTableCell table_cell = text_table->cellAt(static_cast<int>(r), 0);
      const bool highlight = !row.empty() && row.front().highlight;
      if (highlight || r < table.header_rows) shade(table_cell, highlight);
      // The row's text in as few pieces as its styles allow: each piece is shaped on its own.
      // Bold and red as given; sub- and superscripts on the line, which keeps the columns.
      Runs pieces;
      for (std::size_t c = 0; c < columns && c < row.size(); ++c) {
        const std::size_t blanks = widths[c] - characters(row[c].runs);
        const bool right = table.align[c] == Align::kRight;
        append(pieces, std::string((c > 0 ? kCompactGap : 0) + (right ? blanks : 0), ' '), kPlain);
        for (const Run& run : row[c].runs) append(pieces, run.text, run.style & (kBold | kRed));
        if (!right && c + 1 < columns) append(pieces, std::string(blanks, ' '), kPlain);
      }
      QTextCursor in_cell = table_cell.firstCursorPosition();
      for (const Run& run : pieces)
        in_cell.insertText(qt(run.text), char_format(monospace_font(points), run.style));
    }
    leave(text_table);
  }

  // The cursor after the table, on the block that follows it.
  void leave(QTextTable* table) {
    cursor_ = table->lastCursorPosition();
    cursor_.movePosition(QTextCursor::NextBlock);
    unused_block_ = true;
    after_table_ = true;
  }

  void put(const Table& table) {
    if (table.rows.empty() || table.align.empty()) return;
    next_block(block_format(2, 0), char_format(kBodyPoints, kPlain));
    // In the ODT file a table stays a table of cells, to edit; there the word processor's
    // layout, not the extractors' reading of a PDF, decides.
    if (table.compact && target_.pages) return put_compact(table);
    const double points = table.compact ? kCompactLargest - 1 : kTablePoints;
    const int columns = static_cast<int>(table.align.size());
    QTextTable* text_table =
        cursor_.insertTable(static_cast<int>(table.rows.size()), columns, table_format(table));
    for (std::size_t r = 0; r < table.rows.size(); ++r) {
      const auto& row = table.rows[r];
      for (int c = 0; c < columns && static_cast<std::size_t>(c) < row.size(); ++c) {
        const Cell& cell = row[static_cast<std::size_t>(c)];
        QTextTableCell table_cell = text_table->cellAt(static_cast<int>(r), c);
        if (cell.highlight || r < table.header_rows) shade(table_cell, cell.highlight);
        QTextCursor in_cell = table_cell.firstCursorPosition();
        QTextBlockFormat alignment;
        const Align align = table.align[static_cast<std::size_t>(c)];
        alignment.setAlignment(align == Align::kRight    ? Qt::AlignRight
                               : align == Align::kCenter ? Qt::AlignHCenter
                                                         : Qt::AlignLeft);
        in_cell.setBlockFormat(alignment);
        insert_runs(in_cell, cell.runs, points);
      }
    }
    leave(text_table);
  }

  void put(const Figure& figure) {
    const Drawing& d = figure.drawing;
    const double extent_width = d.high.x - d.low.x, extent_height = d.high.y - d.low.y;
    double width = target_.text_width * kFigureWidth;
    double height = extent_width > 0 ? width * extent_height / extent_width : width;
    const double highest = target_.page_height * kFigureHeight;
    if (height > highest) {
      width *= highest / height;
      height = highest;
    }
    width *= target_.figure_unit;
    height *= target_.figure_unit;
    next_block(block_format(6, 2, Qt::AlignHCenter), char_format(kBodyPoints, kPlain));
    if (target_.pages) {
      QTextCharFormat object;
      object.setObjectType(kDrawingObject);
      object.setProperty(kDrawingIndex, static_cast<int>(drawings_.size()));
      object.setProperty(kDrawingWidth, width);
      object.setProperty(kDrawingHeight, height);
      cursor_.insertText(QString(QChar::ObjectReplacementCharacter), object);
    } else {
      insert_picture(d, width, height);
    }
    drawings_.push_back(d);
    next_block(block_format(2, 8, Qt::AlignHCenter), char_format(8.5, kItalic));
    cursor_.insertText(qt(figure.caption), char_format(8.5, kItalic));
  }

  // The ODT file takes pictures: the drawing painted on one, `width` × `height` points.
  void insert_picture(const Drawing& drawing, double width, double height) {
    QImage picture(static_cast<int>(width * kPicturePixelsPerPoint),
                   static_cast<int>(height * kPicturePixelsPerPoint), QImage::Format_RGB32);
    picture.fill(Qt::white);
    {
      QPainter painter(&picture);
      QFont font = text_font(8);
      font.setPixelSize(static_cast<int>(8 * kPicturePixelsPerPoint));
      painter.setFont(font);
      paint_drawing(painter, drawing, QRectF(picture.rect()).adjusted(8, 8, -8, -8));
    }
    const QUrl name(QStringLiteral("pianta-%1.png").arg(drawings_.size() + 1));
    // Kept as the PNG file it becomes, a few kilobytes, rather than as the picture itself.
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    picture.save(&buffer, "PNG");
    document_.addResource(QTextDocument::ImageResource, name, png);
    QTextImageFormat image;
    image.setName(name.toString());
    image.setWidth(width);
    image.setHeight(height);
    cursor_.insertImage(image);
  }

  void put(const Signature& signature) {
    const QTextCharFormat characters = char_format(kBodyPoints, kPlain);
    next_block(block_format(24, 2, Qt::AlignRight), characters);
    cursor_.insertText(qt(signature.role), char_format(kBodyPoints, kBold));
    if (!signature.name.empty()) {
      next_block(block_format(2, 2, Qt::AlignRight), characters);
      cursor_.insertText(qt(signature.name), characters);
    }
    next_block(block_format(28, 0, Qt::AlignRight), characters);
    cursor_.insertText(QStringLiteral("______________________________"), characters);
  }

  QTextDocument& document_;
  QTextCursor cursor_;
  Target target_;
  bool unused_block_ = true;
  bool after_table_ = false;
  std::vector<Drawing> drawings_;
};

// The page of a layout position.
int page_of(double y, double page_height) {
  return static_cast<int>(std::floor(y / page_height));
}

// Where the layout put the first line of `block`: a line that does not fit a page moves to the
// next one, while its block's top (and a margin) stays behind.
double first_line(QAbstractTextDocumentLayout& layout, const QTextBlock& block) {
  const QTextLayout* lines = block.layout();
  return layout.blockBoundingRect(block).top() +
         (lines->lineCount() > 0 ? lines->lineAt(0).y() : 0) + 1;
}

// Moves each heading that ends a page (the block after it begins on a later page) to the next
// page, with the headings right before it; returns whether one moved.
bool move_headings_off_page_foot(QTextDocument& document, double page_height) {
  QAbstractTextDocumentLayout& layout = *document.documentLayout();
  document.pageCount();  // the whole layout, not only the part drawn so far
  std::vector<QTextBlock> moved;
  for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
    // What the heading heads: a table's first cell, past the empty block that carries it.
    QTextBlock next = block.next();
    while (next.isValid() && next.text().isEmpty() && next.next().isValid()) next = next.next();
    if (block.blockFormat().headingLevel() == 0 || !next.isValid()) continue;
    if (page_of(first_line(layout, next), page_height) <=
        page_of(first_line(layout, block), page_height))
      continue;
    QTextBlock first = block;
    while (first.previous().isValid() && first.previous().blockFormat().headingLevel() > 0)
      first = first.previous();
    if (first.blockFormat().pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore) continue;
    moved.push_back(first);
  }
  for (const QTextBlock& block : moved) {
    QTextBlockFormat format = block.blockFormat();
    format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
    QTextCursor(block).setBlockFormat(format);
  }
  return !moved.empty();
}

// The page layout with margins of at least kMinimumMarginMm.
QPageLayout with_margins(const QPageLayout& page) {
  const QMarginsF given = page.margins(QPageLayout::Millimeter);
  const auto at_least = [](double margin) { return std::max(margin, kMinimumMarginMm); };
  return QPageLayout(page.pageSize(), page.orientation(),
                     QMarginsF(at_least(given.left()), at_least(given.top()),
                               at_least(given.right()), at_least(given.bottom())),
                     QPageLayout::Millimeter);
}

// Sets the running texts' font and pen; returns their line's height.
double use_running_text_style(QPainter& painter, double unit) {
  painter.setFont(text_font(kRunningPoints));
  painter.setPen(QPen(QColor(60, 60, 60), 0.4 * unit));
  return QFontMetricsF(painter.font(), painter.device()).lineSpacing();
}

// The header above the body, with a rule.
void paint_header(QPainter& painter, const Document& document, const QRectF& area, double unit) {
  painter.save();
  const double line = use_running_text_style(painter, unit);
  painter.drawText(QRectF(area.left(), area.top(), area.width(), line),
                   Qt::AlignLeft | Qt::AlignVCenter, qt(document.header));
  painter.drawLine(QPointF(area.left(), area.top() + line + unit),
                   QPointF(area.right(), area.top() + line + unit));
  painter.restore();
}

// The footer below the body, with a rule; painted after the body, so that text extractors read
// the page in order.
void paint_footer(QPainter& painter, const Document& document, const QRectF& area, double unit,
                  int page, int pages) {
  painter.save();
  const double line = use_running_text_style(painter, unit);
  const double foot = area.bottom() - line;
  painter.drawLine(QPointF(area.left(), foot - unit), QPointF(area.right(), foot - unit));
  painter.drawText(QRectF(area.left(), foot, area.width(), line), Qt::AlignLeft | Qt::AlignVCenter,
                   qt(document.footer));
  painter.drawText(QRectF(area.left(), foot, area.width(), line), Qt::AlignRight | Qt::AlignVCenter,
                   qt(page_text(static_cast<std::size_t>(page), static_cast<std::size_t>(pages))));
  painter.restore();
}

// Paints the laid-out `text`, whose pages are `body` high, page by page between the running
// texts; false when a page could not be painted.
bool paint_pages(QPdfWriter& writer, const QTextDocument& text, const Document& document,
                 const QRectF& body, double unit) {
  QPainter painter;
  if (!painter.begin(&writer)) return false;
  const QRectF area(0, 0, writer.width(), writer.height());
  const int pages = text.pageCount();
  for (int p = 0; p < pages; ++p) {
    if (p > 0 && !writer.newPage()) {
      painter.end();
      return false;
    }
    paint_header(painter, document, area, unit);
    painter.save();
    painter.translate(body.left(), body.top() - p * body.height());
    const QRectF page_body(0, p * body.height(), body.width(), body.height());
    painter.setClipRect(page_body);
    // The lines that start or end exactly on a page's edge belong to one page: drawn (clipped)
    // on the other one too, text extractors would read them twice.
    QAbstractTextDocumentLayout::PaintContext context;
    context.clip = page_body.adjusted(0, 0.5, 0, -0.5);
    context.palette.setColor(QPalette::Text, Qt::black);
    text.documentLayout()->draw(&painter, context);
    painter.restore();
    paint_footer(painter, document, area, unit, p + 1, pages);
  }
  return painter.end();
}

}  // namespace

std::optional<QByteArray> render_document_pdf(const Document& document, const QPageLayout& page,
                                              const PdfDocument& metadata) {
  return make_pdf(with_margins(page), metadata, [&](QPdfWriter& writer) {
    const double unit = writer.resolution() / 72.0;
    const double running =
        QFontMetricsF(text_font(kRunningPoints), &writer).lineSpacing() + 8 * unit;
    const QRectF body =
        QRectF(0, 0, writer.width(), writer.height()).adjusted(0, running, 0, -running);

    QTextDocument text;
    Typesetter typesetter(text,
                          {true, 96.0 / 72.0, unit, body.width() / unit, body.height() / unit});
    for (const Block& block : document.blocks) typesetter.add(block);
    // Laid out once, whole, on the device's pages: not at each insertion.
    text.documentLayout()->setPaintDevice(&writer);
    text.setPageSize(body.size());
    DrawingObjects drawings(typesetter.take_drawings());
    text.documentLayout()->registerHandler(kDrawingObject, &drawings);
    for (int pass = 0; pass < kHeadingPasses; ++pass)
      if (!move_headings_off_page_foot(text, body.height())) break;
    return paint_pages(writer, text, document, body, unit);
  });
}

std::optional<QByteArray> render_document_odt(const Document& document) {
  QTextDocument text;
  text.setMetaInformation(QTextDocument::DocumentTitle, qt(document.title));
  // Lengths in points, on a page of A4 within the margins.
  const QSizeF a4 = QPageSize(QPageSize::A4).size(QPageSize::Point);
  const double margins = 2 * kMinimumMarginMm * 72 / 25.4;
  Typesetter typesetter(text, {false, 1.0, 1.0, a4.width() - margins, a4.height() - margins});
  for (const Block& block : document.blocks) typesetter.add(block);
  QByteArray odt;
  QBuffer buffer(&odt);
  if (!buffer.open(QIODevice::WriteOnly)) return std::nullopt;
  QTextDocumentWriter writer(&buffer, "ODF");
  if (!writer.write(&text)) return std::nullopt;
  return odt;
}

}  // namespace fondara::output

#include "document_pages.moc"
