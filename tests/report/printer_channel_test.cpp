// The printer channel on a printer that keeps the PDF, read back with the poppler tools;
// the PDF/A file; the CUPS destination facing a scheduler that is missing or silent.
#include "report/printer_channel.h"

#include <gtest/gtest.h>

#include <QLocalServer>
#include <QRectF>
#include <QRegularExpression>
#include <QTemporaryDir>

#include "pdf_lines.h"
#include "qt_print.h"
#include "report/builder.h"
#include "report/cups_destination.h"
#include "report/file_channel.h"
#include "report/printed_pages.h"
#include "sample_report.h"

namespace fondara::report {
namespace {

using test::PdfLine;

// The user origin, 10 of 200 units across and 10 of 100 down the printable area, and
// that area, in points from the page's corner.
QPointF user_origin(const QRectF& area) {
  return {area.left() + area.width() * 10.0 / 200.0, area.top() + area.height() * 10.0 / 100.0};
}

QPageLayout page_in_points(QPageSize::PageSizeId size, double left_right, double top_bottom) {
  return QPageLayout(QPageSize(size), QPageLayout::Portrait,
                     QMarginsF(left_right, top_bottom, left_right, top_bottom), QPageLayout::Point);
}

class PrinterChannel : public ::testing::Test {
 protected:
  std::vector<PdfLine> print(const std::vector<Line>& lines, const QPageLayout& page = a4_page()) {
    EXPECT_EQ(print_lines(lines, QStringLiteral("t"), test::pdf_file_printer(pdf_path, page)),
              std::nullopt);
    pdf = test::read_pdf(pdf_path);
    return test::rebuild_lines(pdf, user_origin(page.paintRect(QPageLayout::Point)).x());
  }

  QTemporaryDir folder;
  QString pdf_path = folder.filePath(QStringLiteral("stampa.pdf"));
  test::PdfText pdf;
};

TEST_F(PrinterChannel, PrintsEveryLineAtTheMarginsInItsOwnSize) {
  const std::vector<PdfLine> lines = print(test::sample_report);
  EXPECT_EQ(pdf.pages, 1);
  ASSERT_EQ(test::texts_of(lines), test::printed_texts(test::sample_report));
  const QPointF origin = user_origin(a4_page().paintRect(QPageLayout::Point));
  EXPECT_NEAR(lines.front().y_min, origin.y(), 0.5);
  for (const PdfLine& line : lines) EXPECT_NEAR(line.x_min, origin.x(), 0.5);
  // The heading in 10 points, the rest in 8; empty lines keep the space of their size:
  // two in 10 points and one in 8 after the heading, one in 8 after "secondo Fondara.".
  const double spacing8 = lines[2].y_min - lines[1].y_min;
  EXPECT_NEAR(lines[0].pitch / lines[1].pitch, 10.0 / 8.0, 0.02);
  EXPECT_NEAR(lines[1].y_min - lines[0].y_min, 2 * spacing8 * 10.0 / 8.0 + spacing8, 0.5);
  EXPECT_NEAR(lines[3].y_min - lines[2].y_min, 2 * spacing8, 0.2);
}

TEST_F(PrinterChannel, LongLinesContinueInsideThePageAndLaterLinesMoveDown) {
  QString description = QStringLiteral("DESCRIZIONE:Plinto");
  for (int i = 0; description.size() < 300; ++i) description += QStringLiteral(" parola%1").arg(i);
  const QString unbroken(150, QLatin1Char('x'));
  const std::vector<Line> lines = {{"PROGRAMMA", 10},
                                   {description.toStdString(), 8},
                                   {unbroken.toStdString(), 8},
                                   {"qd = 2,97", 8}};
  const struct {
    const char* name;
    QPageLayout page;
  } rows[] = {{"A4, whole sheet", a4_page()},
              {"Letter with margins", page_in_points(QPageSize::Letter, 18, 36)},
              {"A6 with margins", page_in_points(QPageSize::A6, 18, 36)}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    const std::vector<PdfLine> read = print(lines, row.page);
    ASSERT_GE(read.size(), 6u);
    // Broken at blanks, the pieces rejoin with one blank; the word without blanks is cut
    // where the line ends and loses no character.
    QStringList words, xs;
    for (std::size_t i = 1; i + 1 < read.size(); ++i)
      (read[i].text.count(QLatin1Char('x')) == read[i].text.size() ? xs : words) << read[i].text;
    EXPECT_GT(words.size(), 1);
    EXPECT_EQ(words.join(QLatin1Char(' ')), description);
    EXPECT_EQ(xs.join(QString()), unbroken);
    EXPECT_EQ(read.back().text, QStringLiteral("qd = 2,97"));
    const QRectF area = row.page.paintRect(QPageLayout::Point);
    for (const test::PdfWord& word : pdf.words) {
      EXPECT_GE(word.x_min, area.left() - 0.5) << word.text.toStdString();
      EXPECT_LE(word.x_max, area.right() + 0.5) << word.text.toStdString();
    }
  }
}

TEST_F(PrinterChannel, LinesPastTheBottomContinueOnANewPage) {
  std::vector<Line> long_report;
  for (int i = 1; i <= 150; ++i) long_report.push_back({"riga " + std::to_string(i), 8});
  const std::vector<PdfLine> lines = print(long_report);
  ASSERT_GE(pdf.pages, 2);
  EXPECT_EQ(test::texts_of(lines), test::printed_texts(long_report));
  const QRectF area = a4_page().paintRect(QPageLayout::Point);
  for (std::size_t i = 1; i < lines.size(); ++i) {
    EXPECT_LE(lines[i].y_max, area.bottom());
    if (lines[i].page != lines[i - 1].page) {
      EXPECT_NEAR(lines[i].y_min, user_origin(area).y(), 0.5);
    }
  }
}

TEST_F(PrinterChannel, FailuresAreReportedWithTheirCause) {
  const QString refused = QStringLiteral("la stampante rifiuta il lavoro");
  const PrinterFactory refusing = [&]() -> std::variant<PrintDestination, QString> {
    return PrintDestination{a4_page(), [&](const QByteArray&, const QString&) {
                              return std::optional<QString>(refused);
                            }};
  };
  EXPECT_EQ(print_lines(test::sample_report, {}, refusing), refused);
  EXPECT_EQ(print_lines(test::sample_report, {}, [] { return QStringLiteral("nessuna"); }),
            QStringLiteral("nessuna"));
  EXPECT_TRUE(print_lines(test::sample_report, {}, PrinterFactory()).has_value());
}

// Run on the channel's worker thread, which reads CUPS_SERVER afresh.
TEST_F(PrinterChannel, SchedulerThatIsMissingOrSilentIsAPrintProblem) {
  QLocalServer silent;  // listens, never answers
  ASSERT_TRUE(silent.listen(folder.filePath(QStringLiteral("silent.sock"))));
  const QByteArray saved = qgetenv("CUPS_SERVER");
  for (const QString& server :
       {folder.filePath(QStringLiteral("none.sock")), silent.fullServerName()}) {
    SCOPED_TRACE(server.toStdString());
    qputenv("CUPS_SERVER", server.toUtf8());
    EXPECT_TRUE(print_lines(test::sample_report, {}, default_destination).has_value());
  }
  saved.isNull() ? qunsetenv("CUPS_SERVER") : qputenv("CUPS_SERVER", saved);
}

TEST_F(PrinterChannel, PdfaFileIsArchivalWithEmbeddedFontsAndThePrintedLines) {
  Builder report;
  report.text(kTitolo);
  report.font_size(8);
  report.text_and_text("DESCRIZIONE:", "Plinto più basso");
  report.labelled("L     = ", 10.0f, " m");
  const Report built = report.take();
  ASSERT_EQ(write_pdfa(pdf_path, built, QStringLiteral("terreni sciolti")), std::nullopt);

  const QString info =
      test::tool_output(QStringLiteral("pdfinfo"), {QStringLiteral("-meta"), pdf_path});
  EXPECT_TRUE(info.contains(QStringLiteral("pdfaid:part=\"1\""))) << info.toStdString();
  EXPECT_TRUE(info.contains(QStringLiteral("pdfaid:conformance=\"B\"")));
  const QString details = test::tool_output(QStringLiteral("pdfinfo"), {pdf_path});
  EXPECT_TRUE(details.contains(QStringLiteral("Relazione di calcolo - terreni sciolti")));
  EXPECT_TRUE(details.contains(QRegularExpression(QStringLiteral("Creator: +Fondara\n"))));
  EXPECT_TRUE(details.contains(QStringLiteral("(A4)")));
  const QStringList fonts = test::tool_output(QStringLiteral("pdffonts"), {pdf_path})
                                .split(QLatin1Char('\n'), Qt::SkipEmptyParts)
                                .mid(2);
  ASSERT_FALSE(fonts.isEmpty());
  for (const QString& font : fonts)
    EXPECT_TRUE(font.contains(QStringLiteral(" yes "))) << font.toStdString();

  const std::vector<Line> printed = write_lines(built, 10);
  const QPointF origin = user_origin(a4_page().paintRect(QPageLayout::Point));
  EXPECT_EQ(test::texts_of(test::rebuild_lines(test::read_pdf(pdf_path), origin.x())),
            test::printed_texts(printed));
  // Written like the text report: a missing folder gives the file channel's message.
  const QString missing = folder.filePath(QStringLiteral("manca/r.pdf"));
  EXPECT_EQ(write_pdfa(missing, built, {}), write_file(missing, "x"));
}

}  // namespace
}  // namespace fondara::report
