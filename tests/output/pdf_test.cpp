// The PDF reports read back: blanks extract as blanks, the three reports agree on what
// Windows-1252 cannot hold, the right margin, a very long description wrapped inside the
// page, and the calculation's data in the PDF/A metadata.
#include "output/pdf.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <cmath>

#include "output/file_writer.h"
#include "output/pdf_metadata.h"
#include "pdf_lines.h"
#include "qt_print.h"
#include "row_name.h"

namespace fondara::output {
namespace {

// `pdf` written as r.pdf in `folder`: its path.
QString saved(const QTemporaryDir& folder, const std::optional<QByteArray>& pdf) {
  const QString path = folder.filePath(QStringLiteral("r.pdf"));
  EXPECT_TRUE(pdf && write_file(path.toStdString(), pdf->toStdString()));
  return path;
}

QString rendered(const QTemporaryDir& folder, const std::vector<Line>& lines) {
  return saved(folder, render_pdf(lines, a4_page(), {QStringLiteral("Relazione"), true}));
}

// What `program` extracts from the PDF at `path`, without empty lines or page breaks.
QStringList extracted(const char* program, QStringList arguments, const QString& path) {
  const QString text = test::tool_output(QString::fromLatin1(program), arguments << path);
  return test::printed_texts(QString(text).replace(u'\f', u'\n').split(u'\n'));
}

struct Extractor {
  const char* name;       // the program
  QStringList arguments;  // the PDF's path follows them
};

const Extractor kExtractors[] = {{"pdf2txt", {}}, {"mutool", {"draw", "-F", "txt", "-o", "-"}}};

class BlanksReadBack : public testing::TestWithParam<Extractor> {};

// Copying from a viewer or extracting the text gives blanks, not tabs, where the report has
// them: between words, in runs, and before the first word.
TEST_P(BlanksReadBack, AsBlanks) {
  const QStringList texts = {QStringLiteral("DESCRIZIONE:  Plinto A  due"),
                             QStringLiteral("L      =  10  m, lunghezza della fondazione"),
                             QStringLiteral("   cu  =  0,5")};
  std::vector<Line> lines;
  for (const QString& text : texts) lines.push_back({text.toStdString(), 8});
  const QTemporaryDir folder;
  EXPECT_EQ(extracted(GetParam().name, GetParam().arguments, rendered(folder, lines)), texts);
}

INSTANTIATE_TEST_SUITE_P(Extractors, BlanksReadBack, testing::ValuesIn(kExtractors),
                         testing_support::RowName{});

// For a description with Greek, Chinese and an emoji besides Windows-1252's own letters, the
// report file and the printed lines (the printer's, fondara-calc --stampa's, the PDF/A
// report's) hold the same text, '?' for each character Windows-1252 lacks; the PDF embeds no
// font but the report's, the heading's in 10 points and the rest in 8.
TEST(ThreeReports, AgreeOnCharactersOutsideWindows1252) {
  const Report report = {Statement{{std::string("DESCRIZIONE:Δφ 测试 😀 città 5 €")}}, FontSize{8},
                         Statement{{std::string("DATI")}}};
  EXPECT_EQ(file_bytes(report), "DESCRIZIONE:?? ?? ? citt\xE0 5 \x80\r\nDATI\r\n");
  const QStringList expected = {QStringLiteral("DESCRIZIONE:?? ?? ? città 5 €"),
                                QStringLiteral("DATI")};
  const QTemporaryDir folder;
  const QString path = saved(folder, pdfa_report(report, QStringLiteral("Relazione")));
  EXPECT_EQ(extracted("pdf2txt", {}, path), expected);
  EXPECT_EQ(extracted("pdffonts", {}, path).size(), 3);  // a heading of two lines, one font
  const test::PdfText pdf = test::read_pdf(path);
  ASSERT_EQ(pdf.lines.size(), 2u);
  EXPECT_NEAR(pdf.lines[0].pitch / pdf.lines[1].pitch, 10.0 / 8.0, 0.02);
}

// A line exactly as wide as the space from the left margin to 10 units of 200 before the
// printable area's right edge stays whole; one character more wraps. The character pitch
// is read back from the PDF.
TEST(RightMargin, TenUnitsOf200BeforeTheRightEdge) {
  const QTemporaryDir folder;
  const auto printed = [&](std::size_t characters) {
    return test::read_pdf(rendered(folder, {{std::string(characters, 'x'), 8}}));
  };
  const double pitch = printed(10).lines.at(0).pitch;
  const double width = a4_page().paintRect(QPageLayout::Point).width();
  const auto fitting = static_cast<std::size_t>(std::floor(width * 180 / 200 / pitch));
  EXPECT_EQ(printed(fitting).texts.size(), 1u);
  EXPECT_EQ(printed(fitting + 1).texts.size(), 2u);
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
  int outside = 0;
  const QRectF page = a4_page().paintRect(QPageLayout::Point).adjusted(-0.5, -0.5, 0.5, 0.5);
  for (const test::PdfWord& word : pdf.words) {
    words << word.text;
    outside += page.contains(word.box) ? 0 : 1;
  }
  EXPECT_EQ(words, description.split(QLatin1Char(' '), Qt::SkipEmptyParts));
  EXPECT_EQ(outside, 0);
  EXPECT_GT(pdf.pages, 40);
}

// The data of a file with every character XML and the data file escape, added to the PDF/A
// report's metadata: it reads back exactly, the file stays whole (its cross references
// checked by qpdf), its metadata valid XML with the PDF/A identification and the extension
// schema, and its pages read as before.
TEST(PdfMetadata, CarriesTheDataInAValidPdfaFile) {
  const std::string data =
      "FONDARA-DATI 1\ntipo=coesivi\ndescrizione=<a> & \"b\" 'c' \\\\ — città φ\n";
  const Report report = {Statement{{std::string("DESCRIZIONE:Plinto <A> & B")}}};
  std::string pdf = pdfa_report(report, QStringLiteral("Relazione")).value_or("").toStdString();
  EXPECT_EQ(calculation_data(pdf), std::nullopt);
  const auto with_data = with_calculation_data(pdf, data);
  ASSERT_TRUE(with_data.ok()) << with_data.error();
  EXPECT_EQ(calculation_data(*with_data), data);
  const QTemporaryDir folder;
  const QString path = saved(folder, QByteArray::fromStdString(*with_data));
  EXPECT_TRUE(test::tool_output(QStringLiteral("qpdf"), {"--check", path})
                  .contains(QStringLiteral("No syntax or stream encoding errors")));
  const QString xmp = test::tool_output(QStringLiteral("pdfinfo"), {"-meta", path});
  for (const char* fact : {"pdfaid:part=\"1\"", "pdfaid:conformance=\"B\"",
                           "<pdfaSchema:prefix>fondara</pdfaSchema:prefix>",
                           "<pdfaProperty:name>dati</pdfaProperty:name>"})
    EXPECT_TRUE(xmp.contains(QString::fromUtf8(fact))) << fact;
  EXPECT_EQ(std::system(("pdfinfo -meta '" + path.toStdString() + "' | xmllint --noout -").c_str()),
            0);
  EXPECT_EQ(test::read_pdf(path).texts, QStringList{QStringLiteral("DESCRIZIONE:Plinto <A> & B")});
  // A layout it does not know is refused.
  EXPECT_FALSE(with_calculation_data("%PDF-1.4\nnot a pdf\n", data).ok());
  EXPECT_FALSE(with_calculation_data(pdf.replace(pdf.rfind("xref\n"), 4, "xrfe"), data).ok());
}

}  // namespace
}  // namespace fondara::output
