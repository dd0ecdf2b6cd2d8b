// The printer channel on a printer that keeps the PDF, read back with pdftotext.
#include "output/printer_channel.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "output/file_writer.h"
#include "output/pdf.h"
#include "pdf_lines.h"
#include "qt_print.h"

namespace fondara::output {
namespace {

// Prints `lines` on `page` to a printer that keeps the PDF; the PDF read back.
test::PdfText print(const std::vector<Line>& lines, const QPageLayout& page) {
  const QTemporaryDir folder;
  const QString path = folder.filePath(QStringLiteral("stampa.pdf"));
  const auto keep = [&](const QByteArray& pdf, const QString&) -> PrintOutcome {
    if (!write_file(path.toStdString(), pdf.toStdString())) return Failed{QStringLiteral("file")};
    return Done{};
  };
  const auto open = [&]() -> Outcome<PrintDestination, QString> {
    return PrintDestination{page, keep};
  };
  EXPECT_TRUE(print_lines(lines, {}, open).ok());
  return test::read_pdf(path);
}

// The heading in 10 points, the rest in 8, blanks and letters as given; the first line 10 of
// 200 units across and 10 of 100 down the page; empty lines keep the space of their size.
TEST(PrinterChannel, PrintsEveryLineAtTheMarginInItsOwnSize) {
  const std::vector<Line> report = {{"PROGRAMMA: FONDARA VER.3.0", 10},
                                    {"", 10},
                                    {"", 8},
                                    {"DESCRIZIONE:plinto <A> & \"B\" sotto la più bassa ", 8},
                                    {"Ø'    = tang(Ø') ...... 0,5773503", 8},
                                    {"", 8},
                                    {"   tre blanks davanti,    quattro in mezzo", 8}};
  const test::PdfText pdf = print(report, a4_page());
  QStringList texts;
  for (const Line& line : report) texts << QString::fromStdString(line.text);
  ASSERT_EQ(pdf.texts, test::printed_texts(texts));
  const auto& lines = pdf.lines;
  const QRectF page = a4_page().paintRect(QPageLayout::Point);
  EXPECT_NEAR(lines[0].start.x(), page.width() / 20, 0.5);
  EXPECT_NEAR(lines[0].start.y(), page.height() / 10, 0.5);
  EXPECT_NEAR(lines[0].pitch / lines[1].pitch, 10.0 / 8.0, 0.02);
  const double spacing8 = lines[2].start.y() - lines[1].start.y();
  EXPECT_NEAR(lines[1].start.y() - lines[0].start.y(), 2 * spacing8 * 10.0 / 8.0 + spacing8, 0.5);
  EXPECT_NEAR(lines[3].start.y() - lines[2].start.y(), 2 * spacing8, 0.2);
}

// A 300-character description (its trailing blanks taking no line) and a word wider than a
// line continue below, each line one lower, onto a new page; every word inside the page.
TEST(PrinterChannel, LongLinesWrapAndEveryWordStaysInsideThePage) {
  QString description = QStringLiteral("DESCRIZIONE:Plinto");
  for (int i = 0; description.size() < 300; ++i) description += QStringLiteral(" parola%1").arg(i);
  const QString unbroken(150, QLatin1Char('x'));
  std::vector<Line> lines = {{(description + QString(99, QLatin1Char(' '))).toStdString(), 8},
                             {unbroken.toStdString(), 8}};
  QStringList after;
  for (int i = 1; i <= 40; ++i)
    lines.push_back({(after << QStringLiteral("riga %1").arg(i)).back().toStdString(), 8});
  // A6 with the margins in points that the test queue's driver gives.
  const QPageLayout page(QPageSize(QPageSize::A6), {}, {18, 36, 18, 36}, QPageLayout::Point);
  const test::PdfText pdf = print(lines, page);
  // Pieces broken at blanks rejoin with one blank; the unbroken word loses no character.
  QStringList words, xs, rest;
  for (std::size_t i = 0; i < pdf.lines.size(); ++i) {
    const QString& text = pdf.texts[i];
    (text.startsWith(u"riga") ? rest : text.startsWith(u'x') ? xs : words) << text;
    const double step = i ? pdf.lines[i].start.y() - pdf.lines[i - 1].start.y() : -1;
    EXPECT_TRUE(step < 0 || std::abs(step - pdf.lines[1].start.y() + pdf.lines[0].start.y()) < 0.1);
  }
  EXPECT_EQ(words.join(QLatin1Char(' ')), description);
  EXPECT_EQ(xs.join(QString()), unbroken);
  EXPECT_EQ(rest, after);
  EXPECT_EQ(pdf.pages, 2);
  const QRectF area = page.paintRect(QPageLayout::Point).adjusted(-0.5, -0.5, 0.5, 0.5);
  for (const test::PdfWord& word : pdf.words)
    EXPECT_TRUE(area.contains(word.box)) << word.text.toStdString();
}

}  // namespace
}  // namespace fondara::output
