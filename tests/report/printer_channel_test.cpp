// The printer channel printing into PDF files, read back with pdftotext.
#include "report/printer_channel.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QPageLayout>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTemporaryDir>

#include "pdf_lines.h"
#include "qt_print.h"
#include "sample_report.h"

namespace fondara::report {
namespace {

using test::PdfLine;
using test::printed_texts;
using test::read_pdf;
using test::rebuild_lines;
using test::sample_report;
using test::texts_of;

// A printer writing an A4 PDF to `path`, counting how often it was asked for.
PrinterFactory pdf_printer(const QString& path, int* calls = nullptr) {
  return [path, calls] {
    if (calls) ++*calls;
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName(path);
    printer->setPageSize(QPageSize(QPageSize::A4));
    return printer;
  };
}

// The printable area of the factory's printer, in points from the page's corner.
QRectF printable_area(const PrinterFactory& factory) {
  return factory()->pageLayout().paintRect(QPageLayout::Point);
}

// The user origin: 10 of 200 units across and 10 of 100 units down the printable area.
QPointF user_origin(const QRectF& area) {
  return {area.left() + area.width() * 10.0 / 200.0, area.top() + area.height() * 10.0 / 100.0};
}

class PrinterChannel : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(folder_.isValid()); }
  QString path(const QString& name) const { return folder_.filePath(name); }

  QTemporaryDir folder_;
};

TEST_F(PrinterChannel, PrintsEveryLineInOrderWithItsBlanks) {
  const QString pdf_path = path(QStringLiteral("report.pdf"));
  const PrinterFactory factory = pdf_printer(pdf_path);
  ASSERT_EQ(print_lines(sample_report, factory), std::nullopt);

  const test::PdfText pdf = read_pdf(pdf_path);
  ASSERT_EQ(pdf.pages, 1);
  const QPointF origin = user_origin(printable_area(factory));
  const std::vector<PdfLine> lines = rebuild_lines(pdf, origin.x());
  EXPECT_EQ(texts_of(lines), printed_texts(sample_report));
}

TEST_F(PrinterChannel, FirstLineStandsAtTheTopAndLeftMargins) {
  const QString pdf_path = path(QStringLiteral("report.pdf"));
  const PrinterFactory factory = pdf_printer(pdf_path);
  ASSERT_EQ(print_lines(sample_report, factory), std::nullopt);

  const QPointF origin = user_origin(printable_area(factory));
  const std::vector<PdfLine> lines = rebuild_lines(read_pdf(pdf_path), origin.x());
  ASSERT_FALSE(lines.empty());
  // The glyph box starts at the print position; half a point allows for the font's
  // own side bearing and rounding to device pixels.
  EXPECT_NEAR(lines.front().x_min, origin.x(), 0.5);
  EXPECT_NEAR(lines.front().y_min, origin.y(), 0.5);
  // Every line, leading blanks included, starts at the left margin.
  for (const PdfLine& line : lines) {
    EXPECT_NEAR(line.x_min, origin.x(), 0.5) << line.text.toStdString();
  }
}

TEST_F(PrinterChannel, HeadingIsLargerThanTheRest) {
  const QString pdf_path = path(QStringLiteral("report.pdf"));
  ASSERT_EQ(print_lines(sample_report, pdf_printer(pdf_path)), std::nullopt);

  const std::vector<PdfLine> lines = rebuild_lines(read_pdf(pdf_path), 0);
  ASSERT_GE(lines.size(), 2u);
  const PdfLine& heading = lines.front();
  for (std::size_t i = 1; i < lines.size(); ++i) {
    // 10 against 8 points: pitch and glyph height scale with the size.
    EXPECT_NEAR(heading.pitch / lines[i].pitch, 10.0 / 8.0, 0.02) << lines[i].text.toStdString();
    EXPECT_NEAR((heading.y_max - heading.y_min) / (lines[i].y_max - lines[i].y_min), 10.0 / 8.0,
                0.02);
  }
}

TEST_F(PrinterChannel, EmptyLinesKeepTheirSpaceInTheirOwnSize) {
  const QString pdf_path = path(QStringLiteral("report.pdf"));
  ASSERT_EQ(print_lines(sample_report, pdf_printer(pdf_path)), std::nullopt);

  const std::vector<PdfLine> lines = rebuild_lines(read_pdf(pdf_path), 0);
  ASSERT_EQ(lines.size(), 9u);
  // Consecutive 8-point lines give the line spacing of 8 points; the 10-point one is
  // 10/8 of it.
  const double spacing8 = lines[2].y_min - lines[1].y_min;
  const double spacing10 = spacing8 * 10.0 / 8.0;
  ASSERT_GT(spacing8, 8.0);
  // Between the heading and the first 8-point line: the heading and an empty line in
  // 10 points, an empty line in 8 points; the boxes' tops both sit at print positions.
  EXPECT_NEAR(lines[1].y_min - lines[0].y_min, 2 * spacing10 + spacing8, 0.5);
  // One empty line after "secondo Fondara.", two before the last line.
  EXPECT_NEAR(lines[2].y_min - lines[1].y_min, spacing8, 0.2);
  EXPECT_NEAR(lines[3].y_min - lines[2].y_min, 2 * spacing8, 0.2);
  EXPECT_NEAR(lines[8].y_min - lines[7].y_min, 3 * spacing8, 0.2);
}

TEST_F(PrinterChannel, EachPrintIsOneDocumentFromOnePrinter) {
  int calls = 0;
  const QString first = path(QStringLiteral("first.pdf"));
  const QString second = path(QStringLiteral("second.pdf"));
  ASSERT_EQ(print_lines(sample_report, pdf_printer(first, &calls)), std::nullopt);
  ASSERT_EQ(print_lines(sample_report, pdf_printer(second, &calls)), std::nullopt);
  EXPECT_EQ(calls, 2);
  for (const QString& file : {first, second}) {
    const test::PdfText pdf = read_pdf(file);
    EXPECT_EQ(pdf.pages, 1);
    EXPECT_EQ(rebuild_lines(pdf, 0).size(), printed_texts(sample_report).size());
  }
}

TEST_F(PrinterChannel, LinesPastTheBottomContinueOnANewPage) {
  std::vector<Line> long_report;
  for (int i = 1; i <= 150; ++i) long_report.push_back({"riga " + std::to_string(i), 8});
  const QString pdf_path = path(QStringLiteral("long.pdf"));
  const PrinterFactory factory = pdf_printer(pdf_path);
  ASSERT_EQ(print_lines(long_report, factory), std::nullopt);

  const QRectF area = printable_area(factory);
  const QPointF origin = user_origin(area);
  const test::PdfText pdf = read_pdf(pdf_path);
  ASSERT_GE(pdf.pages, 2);
  const std::vector<PdfLine> lines = rebuild_lines(pdf, origin.x());
  EXPECT_EQ(texts_of(lines), printed_texts(long_report));
  for (std::size_t i = 0; i < lines.size(); ++i) {
    EXPECT_LE(lines[i].y_max, area.bottom()) << lines[i].text.toStdString();
    if (i > 0 && lines[i].page != lines[i - 1].page) {
      EXPECT_NEAR(lines[i].y_min, origin.y(), 0.5) << lines[i].text.toStdString();
    }
  }
}

TEST_F(PrinterChannel, FailuresPrintNothing) {
  struct Case {
    const char* name;
    PrinterFactory factory;
    QString leftover;  // the file that must not exist afterwards
  };
  const QString missing_folder = path(QStringLiteral("manca/report.pdf"));
  const Case cases[] = {
      {"no printer", [] { return std::unique_ptr<QPrinter>(); }, QString()},
      {"no factory", PrinterFactory(), QString()},
      {"document cannot begin (folder missing)", pdf_printer(missing_folder), missing_folder},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::optional<QString> error = print_lines(sample_report, c.factory);
    ASSERT_TRUE(error.has_value());
    EXPECT_FALSE(error->isEmpty());
    if (!c.leftover.isEmpty()) {
      EXPECT_FALSE(QFile::exists(c.leftover));
    }
  }
  EXPECT_TRUE(QDir(folder_.path()).isEmpty());
}

TEST_F(PrinterChannel, DefaultPrinterIsNullWithoutAnyPrinter) {
  if (!QPrinterInfo::defaultPrinter().isNull()) GTEST_SKIP() << "a default printer is set up";
  EXPECT_EQ(default_printer(), nullptr);
  const std::optional<QString> error = print_lines(sample_report, default_printer);
  EXPECT_EQ(error, QStringLiteral("nessuna stampante predefinita"));
}

}  // namespace
}  // namespace fondara::report
