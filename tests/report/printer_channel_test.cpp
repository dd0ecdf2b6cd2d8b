// The printer channel on a printer that keeps the PDF, read back with pdftotext.
#include "report/printer_channel.h"

#include <gtest/gtest.h>

#include <QRectF>
#include <QTemporaryDir>

#include "pdf_lines.h"
#include "qt_print.h"
#include "report/file_channel.h"
#include "report/printed_pages.h"
#include "sample_report.h"

namespace fondara::report {
namespace {

// Where the first line starts: 10 of 200 units across and 10 of 100 down the printable area.
QPointF user_origin(const QPageLayout& page) {
  const QRectF area = page.paintRect(QPageLayout::Point);
  return {area.left() + area.width() * 10.0 / 200.0, area.top() + area.height() * 10.0 / 100.0};
}

class PrinterChannel : public ::testing::Test {
 protected:
  // Prints on `page` to a printer that keeps the PDF; the lines read back.
  auto print(const std::vector<Line>& lines, const QPageLayout& page = a4_page()) {
    const auto keep = [&](const QByteArray& bytes, const QString&) {
      return write_file(pdf_path, bytes.toStdString());
    };
    const auto keeper = [&] { return PrintDestination{page, keep}; };
    EXPECT_EQ(print_lines(lines, {}, keeper), std::nullopt);
    pdf = test::read_pdf(pdf_path);
    return test::rebuild_lines(pdf, user_origin(page).x());
  }

  QTemporaryDir folder;
  QString pdf_path = folder.filePath(QStringLiteral("stampa.pdf"));
  test::PdfText pdf;
};

TEST_F(PrinterChannel, PrintsEveryLineAtTheMarginsInItsOwnSize) {
  const std::vector<test::PdfLine> lines = print(test::sample_report);
  ASSERT_EQ(test::texts_of(lines), test::printed_texts(test::sample_report));
  const QPointF origin = user_origin(a4_page());
  EXPECT_NEAR(lines.front().y_min, origin.y(), 0.5);
  for (const test::PdfLine& line : lines) EXPECT_NEAR(line.x_min, origin.x(), 0.5);
  // The heading in 10 points, the rest in 8; empty lines keep the space of their size:
  // two in 10 points and one in 8 after the heading, one in 8 after "secondo Fondara.".
  const double spacing8 = lines[2].y_min - lines[1].y_min;
  EXPECT_NEAR(lines[0].pitch / lines[1].pitch, 10.0 / 8.0, 0.02);
  EXPECT_NEAR(lines[1].y_min - lines[0].y_min, 2 * spacing8 * 10.0 / 8.0 + spacing8, 0.5);
  EXPECT_NEAR(lines[3].y_min - lines[2].y_min, 2 * spacing8, 0.2);
}

// A 300-character description (trailing blanks taking no line) and a word wider than a line
// continue below, each line one lower, onto a new page on A6; every word inside the page.
TEST_F(PrinterChannel, LongLinesWrapAndEveryWordStaysInsideThePage) {
  QString description = QStringLiteral("DESCRIZIONE:Plinto");
  for (int i = 0; description.size() < 300; ++i) description += QStringLiteral(" parola%1").arg(i);
  const QString unbroken(150, QLatin1Char('x'));
  std::vector<Line> lines = {{"PROGRAMMA", 10},
                             {(description + QString(99, QLatin1Char(' '))).toStdString(), 8},
                             {unbroken.toStdString(), 8}};
  QStringList after;
  for (int i = 1; i <= 40; ++i)
    lines.push_back({(after << QStringLiteral("riga %1").arg(i)).back().toStdString(), 8});
  const QMarginsF cups_margins(18, 36, 18, 36);  // points, as the test queue's driver gives
  for (const QPageLayout& page :
       {a4_page(), QPageLayout(QPageSize(QPageSize::Letter), {}, cups_margins, QPageLayout::Point),
        QPageLayout(QPageSize(QPageSize::A6), {}, cups_margins, QPageLayout::Point)}) {
    SCOPED_TRACE(page.pageSize().name().toStdString());
    const std::vector<test::PdfLine> read = print(lines, page);
    // Pieces broken at blanks rejoin with one blank; the unbroken word loses no character.
    QStringList words, xs, rest;
    for (std::size_t i = 1; i < read.size(); ++i) {
      (read[i].text.startsWith(QStringLiteral("riga")) ? rest
       : read[i].text.startsWith(QLatin1Char('x'))     ? xs
                                                       : words)
          << read[i].text;
      const double step = read[i].y_min - read[i - 1].y_min;
      EXPECT_TRUE(i == 1 || step < 0 || std::abs(step - read[2].y_min + read[1].y_min) < 0.1);
    }
    EXPECT_EQ(words.join(QLatin1Char(' ')), description);
    EXPECT_EQ(xs.join(QString()), unbroken);
    EXPECT_EQ(rest, after);
    EXPECT_EQ(pdf.pages, page.pageSize().id() == QPageSize::A6 ? 2 : 1);
    const QRectF area = page.paintRect(QPageLayout::Point).adjusted(-0.5, -0.5, 0.5, 0.5);
    for (const test::PdfWord& word : pdf.words) {
      const QRectF box(QPointF(word.x_min, word.y_min), QPointF(word.x_max, word.y_max));
      EXPECT_TRUE(area.contains(box)) << word.text.toStdString();
    }
  }
}

}  // namespace
}  // namespace fondara::report
