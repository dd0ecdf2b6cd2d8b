// The PDF reports read back: blanks extract as blanks, the three reports agree on what
// Windows-1252 cannot hold, the right margin, the PDF/A heading's size and a very long
// description wrapped inside the page.
#include "output/pdf.h"

#include <gtest/gtest.h>
#include <iconv.h>

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <cmath>

#include "pdf_lines.h"
#include "qt_print.h"
#include "row_name.h"

namespace fondara::output {
namespace {

// The PDF of `lines` on A4, written in `folder`: its path.
QString saved(const QTemporaryDir& folder, const QByteArray& pdf) {
  const QString path = folder.filePath(QStringLiteral("r.pdf"));
  QFile file(path);
  EXPECT_TRUE(file.open(QIODevice::WriteOnly) && file.write(pdf) == pdf.size());
  return path;
}

QString rendered(const QTemporaryDir& folder, const std::vector<Line>& lines) {
  const auto pdf = render_pdf(lines, a4_page(), {QStringLiteral("Relazione"), true});
  EXPECT_TRUE(pdf.has_value());
  return saved(folder, pdf.value_or(QByteArray()));
}

// The lines of `text` without empty lines or page breaks, each without trailing blanks.
QStringList nonempty_lines(QString text) {
  return test::printed_texts(text.replace(QLatin1Char('\f'), QLatin1Char('\n')).split(u'\n'));
}

struct Extractor {
  const char* name;
  const char* program;
  QStringList arguments;  // "%1" stands for the PDF's path
  bool keeps_blanks;      // false: a run of blanks comes out as one
};

const Extractor kExtractors[] = {
    {"pdftotext", "pdftotext", {"-raw", "-enc", "UTF-8", "%1", "-"}, false},
    {"pdfminer", "pdf2txt", {"%1"}, true},
    {"mupdf", "mutool", {"draw", "-F", "txt", "-o", "-", "%1"}, true},
};

void PrintTo(const Extractor& row, std::ostream* out) {
  *out << row.name;
}

class BlanksReadBack : public testing::TestWithParam<Extractor> {};

// Copying from a viewer or extracting the text gives blanks, not tabs, where the report has
// them: between words, in runs, and before the first word.
TEST_P(BlanksReadBack, AsBlanks) {
  const Extractor& tool = GetParam();
  const QStringList texts = {QStringLiteral("DESCRIZIONE:  Plinto A  due"),
                             QStringLiteral("L      =  10  m, lunghezza della fondazione"),
                             QStringLiteral("   cu  =  0,5")};
  std::vector<Line> lines;
  for (const QString& text : texts) lines.push_back({text.toStdString(), 8});
  const QTemporaryDir folder;
  QStringList arguments = tool.arguments;
  arguments.replaceInStrings(QStringLiteral("%1"), rendered(folder, lines));
  const QString text = test::tool_output(QString::fromLatin1(tool.program), arguments);
  EXPECT_FALSE(text.contains(QLatin1Char('\t'))) << text.toStdString();
  QStringList expected = texts;
  if (!tool.keeps_blanks) {
    expected.replaceInStrings(QRegularExpression(QStringLiteral(" +")), QStringLiteral(" "));
    expected.replaceInStrings(QRegularExpression(QStringLiteral("^ ")), QString());
  }
  EXPECT_EQ(nonempty_lines(text), expected);
}

INSTANTIATE_TEST_SUITE_P(Extractors, BlanksReadBack, testing::ValuesIn(kExtractors),
                         testing_support::RowName{});

// Windows-1252 bytes to UTF-8, by the C library rather than by the code under test.
QString from_windows1252(const std::string& bytes) {
  iconv_t convert = ::iconv_open("UTF-8", "WINDOWS-1252");
  std::string in = bytes, out(bytes.size() * 4, '\0');
  char* from = in.data();
  char* to = out.data();
  std::size_t left = in.size(), room = out.size();
  EXPECT_NE(::iconv(convert, &from, &left, &to, &room), static_cast<std::size_t>(-1));
  ::iconv_close(convert);
  return QString::fromUtf8(out.data(), static_cast<qsizetype>(out.size() - room));
}

// For a description with Greek, Chinese and an emoji besides Windows-1252's own letters, the
// report file, the printed lines (the printer's and fondara-calc --stampa's) and the PDF
// read back hold the same text, '?' standing for each character Windows-1252 lacks; the
// PDF embeds no font but the report's.
TEST(ThreeReports, AgreeOnCharactersOutsideWindows1252) {
  const Report report = {
      Statement{{std::string("DESCRIZIONE:Δφ 测试 😀 città 5 €")}, End::line_break}};
  const QString expected = QStringLiteral("DESCRIZIONE:?? ?? ? città 5 €");
  const std::vector<Line> lines = write_lines(report);
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(QString::fromStdString(lines[0].text), expected);
  EXPECT_EQ(from_windows1252(file_bytes(report)), expected + QStringLiteral("\r\n"));
  const QTemporaryDir folder;
  const QString path = saved(folder, pdfa_report(report, QStringLiteral("Relazione")).value());
  EXPECT_EQ(nonempty_lines(test::tool_output(QStringLiteral("pdf2txt"), {path})),
            QStringList{expected});
  const QStringList fonts = nonempty_lines(test::tool_output(QStringLiteral("pdffonts"), {path}));
  EXPECT_EQ(fonts.size(), 3) << fonts.join(u'\n').toStdString();  // a heading of two lines
}

// A line exactly as wide as the space from the left margin to 10 units of 200 before the
// printable area's right edge stays whole; one character more wraps. The character pitch
// is read back from the PDF.
TEST(RightMargin, TenUnitsOf200BeforeTheRightEdge) {
  const QTemporaryDir folder;
  const test::PdfText sample = test::read_pdf(rendered(folder, {{std::string(10, 'x'), 8}}));
  ASSERT_EQ(sample.lines.size(), 1u);
  const double width = a4_page().paintRect(QPageLayout::Point).width();
  const auto fitting =
      static_cast<std::size_t>(std::floor(width * 180 / 200 / sample.lines[0].pitch));
  for (const std::size_t extra : {0u, 1u}) {
    const test::PdfText pdf =
        test::read_pdf(rendered(folder, {{std::string(fitting + extra, 'x'), 8}}));
    EXPECT_EQ(pdf.texts.size(), 1u + extra) << fitting + extra << " characters";
  }
}

// Each line of the PDF/A report as mutool reads it: its text and font size in points.
std::vector<std::pair<QString, double>> sized_lines(const QString& path) {
  std::vector<std::pair<QString, double>> lines;
  QXmlStreamReader xml(
      test::tool_output(QStringLiteral("mutool"), {"draw", "-F", "stext", "-o", "-", path}));
  double size = 0;
  while (!xml.atEnd()) {
    if (xml.readNext() != QXmlStreamReader::StartElement) continue;
    if (xml.name() == u"line") lines.emplace_back();
    if (xml.name() == u"font") size = xml.attributes().value("size").toDouble();
    if (xml.name() == u"char" && !lines.empty()) {
      lines.back().first += xml.attributes().value("c");
      lines.back().second = size;
    }
  }
  return lines;
}

// The PDF/A report's heading is in 10 points, the lines after the size changes in 8.
TEST(PdfaReport, HeadingInTenPointsTheRestInEight) {
  const Report report = {Statement{{std::string("PROGRAMMA: FONDARA")}, End::line_break},
                         FontSize{8},
                         Statement{{std::string("DATI DI CALCOLO:")}, End::line_break}};
  const QTemporaryDir folder;
  const auto lines =
      sized_lines(saved(folder, pdfa_report(report, QStringLiteral("Relazione")).value()));
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0].first, QStringLiteral("PROGRAMMA: FONDARA"));
  EXPECT_NEAR(lines[0].second, 10, 0.05);
  EXPECT_EQ(lines[1].first, QStringLiteral("DATI DI CALCOLO:"));
  EXPECT_NEAR(lines[1].second, 8, 0.05);
}

// A description of 500,000 characters is wrapped like a short one: every word, in order,
// inside the page.
TEST(LongDescription, IsWrappedWithEveryWordInsideThePage) {
  QString description = QStringLiteral("DESCRIZIONE:");
  for (int i = 0; description.size() < 500000; ++i)
    description += QStringLiteral("parola%1 ").arg(i);
  const QTemporaryDir folder;
  const test::PdfText pdf = test::read_pdf(rendered(folder, {{description.toStdString(), 8}}));
  QStringList words;
  for (const test::PdfWord& word : pdf.words) words << word.text;
  EXPECT_EQ(words, description.split(QLatin1Char(' '), Qt::SkipEmptyParts));
  const QRectF page = a4_page().paintRect(QPageLayout::Point).adjusted(-0.5, -0.5, 0.5, 0.5);
  int outside = 0;
  for (const test::PdfWord& word : pdf.words) outside += page.contains(word.box) ? 0 : 1;
  EXPECT_EQ(outside, 0);
  EXPECT_GT(pdf.pages, 40);
}

}  // namespace
}  // namespace fondara::output
