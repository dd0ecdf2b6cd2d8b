// A typeset report on pages, read back: the header, the footer and "Pagina N di M" on every
// page in reading order, the header rows of a table repeated on each page it runs onto, and no page
// ending with a heading however much text comes before it.
#include "output/document_pages.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "output/drawing_painter.h"
#include "output/file_writer.h"
#include "pdf_lines.h"

namespace fondara::output {
namespace {

// The text of each page of `document` on A4, in reading order (the order it is drawn in).
QStringList pages_of(const Document& document) {
  const QTemporaryDir folder;
  const QString path = folder.filePath(QStringLiteral("r.pdf"));
  const auto pdf = render_document_pdf(document, a4_page(), {QStringLiteral("prova"), true});
  EXPECT_TRUE(pdf && write_file(path.toStdString(), pdf->toStdString()));
  QStringList pages =
      test::tool_output(QStringLiteral("pdftotext"), {"-raw", path, "-"}).split(u'\f');
  pages.removeLast();  // after the last page's form feed
  return pages;
}

Cell cell(std::string text) {
  return {{{std::move(text)}}};
}

// A table of `rows` rows under two header rows.
Table table_of(std::size_t rows, bool compact) {
  Table table{.header_rows = 2, .align = {Align::kLeft, Align::kRight}, .compact = compact};
  table.rows = {{cell("Colonna A"), cell("Colonna B")}, {cell(""), cell("kN")}};
  for (std::size_t i = 1; i <= rows; ++i)
    table.rows.push_back({cell("riga " + std::to_string(i)), cell(std::to_string(i * 7))});
  return table;
}

TEST(DocumentPages, EveryPageHasItsRunningTextsAndALongTableRepeatsItsHeaderRows) {
  for (const bool compact : {true, false}) {
    SCOPED_TRACE(compact ? "compact table" : "table of cells");
    const Document document{.header = "Opera di prova - plinto P1",
                            .footer = "Fondara prova",
                            .blocks = {Heading{1, "Tabella"}, table_of(150, compact)}};
    const QStringList pages = pages_of(document);
    ASSERT_GE(pages.size(), 3);
    for (qsizetype p = 0; p < pages.size(); ++p) {
      SCOPED_TRACE(p + 1);
      const QString& page = pages[p];
      EXPECT_TRUE(page.startsWith(QStringLiteral("Opera di prova - plinto P1\n")));
      // The footer read last, after the body, as it stands on the page.
      EXPECT_TRUE(page.endsWith(
          QStringLiteral("Fondara prova Pagina %1 di %2\n").arg(p + 1).arg(pages.size())));
      const qsizetype header = page.indexOf(QStringLiteral("Colonna A"));
      EXPECT_GE(header, 0);
      EXPECT_LT(header, page.indexOf(QStringLiteral("riga ")));
    }
    EXPECT_TRUE(pages.back().contains(QStringLiteral("riga 150")));
  }
}

// However many lines come before it, a heading begins the page of the text or the table it
// heads.
TEST(DocumentPages, AHeadingNeverEndsAPage) {
  const QString heading = QStringLiteral("Titolo di prova");
  const Block paragraph = Paragraph{{{"Il testo del titolo."}}};
  Table table = table_of(3, true);
  table.rows[0][0] = cell("Il testo del titolo.");
  for (const Block& headed : {paragraph, Block(table)}) {
    bool moved = false;
    for (int lines = 40; lines <= 56; ++lines) {
      SCOPED_TRACE(lines);
      Document document;
      for (int i = 0; i < lines; ++i)
        document.blocks.emplace_back(Paragraph{{{"Riga di riempimento " + std::to_string(i)}}});
      document.blocks.emplace_back(Heading{2, heading.toStdString()});
      document.blocks.push_back(headed);
      const QStringList pages = pages_of(document);
      const auto page_with = [&](const QString& text) {
        for (qsizetype p = 0; p < pages.size(); ++p)
          if (pages[p].contains(text)) return p;
        return qsizetype{-1};
      };
      const qsizetype page = page_with(heading);
      EXPECT_EQ(page, page_with(QStringLiteral("Il testo del titolo.")));
      // The heading moved although the previous page held the last filling line.
      moved |= page > 0 && page_with(QStringLiteral("riempimento %1\n").arg(lines - 1)) == page - 1;
    }
    EXPECT_TRUE(moved) << "no heading reached the foot of a page";
  }
}

// A plan's dimension labels: centred on their points where the plan is large; beside the outline,
// on their own side and never across it, where the plan comes out small.
TEST(DrawingLabels, StandBesideTheOutlineHoweverSmallThePlan) {
  const Drawing plan{.low = {-1.6, -1.1},
                     .high = {1.6, 1.1},
                     .shapes = {{{{-1, -0.5}, {1, -0.5}, {1, 0.5}, {-1, 0.5}}, Stroke::solid}},
                     .markers = {},
                     .labels = {{{0, -0.8}, "L = 2,00 m"}, {{-1.3, 0}, "B = 1,00 m"}}};
  const QFontMetricsF metrics{QFont()};
  for (const double width : {1600.0, 60.0}) {
    SCOPED_TRACE(width);
    const QRectF area(0, 0, width, width / 1.6);
    const QRectF outline(place(plan, area, {-1, 0.5}), place(plan, area, {1, -0.5}));
    const QRectF below = label_box(plan, area, plan.labels[0], metrics);
    const QRectF left = label_box(plan, area, plan.labels[1], metrics);
    EXPECT_FALSE(below.intersects(outline) || left.intersects(outline) || below.intersects(left));
    EXPECT_GT(below.top(), outline.bottom());
    EXPECT_LT(left.right(), outline.left());
    if (width > 1000) {
      EXPECT_DOUBLE_EQ(left.center().x(), place(plan, area, plan.labels[1].at).x());
    }
  }
}

}  // namespace
}  // namespace fondara::output
