// The PDF reports and the printer channel read back: blanks, what Windows-1252 cannot hold,
// the lines' margins, sizes and wrapping, and the calculation's data in the PDF/A metadata.
#include "output/pdf.h"

#include <gtest/gtest.h>

#include <QRegularExpression>
#include <QTemporaryDir>
#include <cmath>
#include <cstring>

#include "output/cups_destination.h"
#include "output/file_writer.h"
#include "output/pdf_metadata.h"
#include "output/printer_channel.h"
#include "pdf_lines.h"
#include "qt_print.h"
#include "row_name.h"
#include "test_data.h"

namespace fondara::output {
namespace {

QString saved(const QTemporaryDir& folder, const std::optional<QByteArray>& pdf) {
  const QString path = folder.filePath(QStringLiteral("r.pdf"));
  EXPECT_TRUE(pdf && write_file(path.toStdString(), pdf->toStdString()));
  return path;
}

// The data a PDF carries, or "no data".
std::string read_data(std::string_view pdf) {
  return calculation_data(pdf).ok() ? calculation_data(pdf).value() : "no data";
}

// `lines` printed on `page` to a printer that keeps the PDF, read back.
test::PdfText print(const std::vector<Line>& lines, const QPageLayout& page) {
  const QTemporaryDir folder;
  QString path;
  const auto keep = [&](const QByteArray& pdf, const QString&) -> PrintOutcome {
    return path = saved(folder, pdf), Done{};
  };
  const auto open = [&] {
    return Outcome<PrintDestination, QString>{PrintDestination{page, keep}};
  };
  EXPECT_TRUE(print_lines(lines, {}, open).ok());
  return test::read_pdf(path);
}

// What `program` extracts from the PDF at `path`, without empty lines or page breaks.
QStringList extracted(const char* program, QStringList arguments, const QString& path) {
  const QString text = test::tool_output(QString::fromLatin1(program), arguments << path);
  return test::printed_texts(QString(text).replace(u'\f', u'\n').split(u'\n'));
}

struct Extractor {
  const char* name;
  QStringList arguments;  // the PDF's path follows them
};
const Extractor kExtractors[] = {{"pdf2txt", {}}, {"mutool", {"draw", "-F", "txt", "-o", "-"}}};

class ReadBack : public testing::TestWithParam<Extractor> {};

// Copied or extracted text has blanks, not tabs (between words, in runs, before the first
// word); the report file and the PDF/A report hold '?' for each character Windows-1252
// lacks; the PDF embeds one font.
TEST_P(ReadBack, BlanksAsBlanksAndQuestionMarksForWhatWindows1252Lacks) {
  const std::string length = "L      =  10  m, lunghezza della fondazione", cu = "   cu  =  0,5";
  const Report report = {Statement{{std::string("DESCRIZIONE:  Δφ 测试  😀 città 5 €")}},
                         FontSize{8}, Statement{{length}}, Statement{{cu}}};
  EXPECT_EQ(file_bytes(report),
            "DESCRIZIONE:  ?? ??  ? citt\xE0 5 \x80\r\n" + length + "\r\n" + cu + "\r\n");
  const QTemporaryDir folder;
  const QString path = saved(folder, pdfa_report(report, QStringLiteral("Relazione")));
  EXPECT_EQ(extracted(GetParam().name, GetParam().arguments, path),
            (QStringList{QStringLiteral("DESCRIZIONE:  ?? ??  ? città 5 €"),
                         QString::fromStdString(length), QString::fromStdString(cu)}));
  const QStringList fonts = extracted("pdffonts", {}, path);  // a heading of two lines, one font
  ASSERT_EQ(fonts.size(), 3);
  EXPECT_TRUE(fonts[2].contains(QRegularExpression(" yes( +(yes|no)){2} +\\d")));  // embedded
}

INSTANTIATE_TEST_SUITE_P(Extractors, ReadBack, testing::ValuesIn(kExtractors),
                         testing_support::RowName{});

// A line as wide as from the left margin to 180 units of 200 across stays whole; one
// character more wraps.
TEST(RightMargin, TenUnitsOf200BeforeTheRightEdge) {
  const auto printed = [](std::size_t characters) {
    return print({{std::string(characters, 'x'), 8}}, a4_page());
  };
  const double width = a4_page().paintRect(QPageLayout::Point).width();
  const auto fitting = static_cast<std::size_t>(width * 180 / 200 / printed(10).lines.at(0).pitch);
  EXPECT_EQ(printed(fitting).texts.size(), 1u);
  EXPECT_EQ(printed(fitting + 1).texts.size(), 2u);
}

// `pdf` updated incrementally, as an editor saves: its metadata object replaced by one that
// carries `data`, in a new cross-reference section after the old one.
std::string updated(const std::string& pdf, const std::string& data) {
  const std::size_t object = pdf.rfind(" 0 obj", pdf.find("/Type /Metadata"));
  const std::size_t line = pdf.rfind('\n', object) + 1, end = pdf.rfind("startxref");
  const std::string number = pdf.substr(line, object - line);
  std::string trailer = pdf.substr(pdf.rfind("trailer"), end - pdf.rfind("trailer"));
  trailer.insert(trailer.find("<<") + 2,
                 " /Prev " + std::to_string(std::stoul(pdf.substr(end + 10))));
  const std::string xmp = "<rdf:Description xmlns:fondara=\"" + std::string(kDataNamespace) +
                          "\"><fondara:dati>" + data + "</fondara:dati></rdf:Description>";
  char offset[11];
  std::snprintf(offset, sizeof offset, "%010zu", pdf.size());
  std::string result = pdf + number + " 0 obj\n<< /Type /Metadata /Subtype /XML /Length " +
                       std::to_string(xmp.size()) + " >>\nstream\n" + xmp + "\nendstream\nendobj\n";
  const std::string xref_at = std::to_string(result.size());
  return result + "xref\n" + number + " 1\n" + offset + " 00000 n \n" + trailer + "startxref\n" +
         xref_at + "\n%%EOF\n";
}

// Data with every character XML and the data file escape, added to the PDF/A report's
// metadata, reads back exactly; the file stays whole (qpdf), its metadata valid XML with the
// extension schema, its pages as before. A layout it does not know is refused.
TEST(PdfMetadata, CarriesTheDataInAValidPdfaFile) {
  const std::string data =
      "FONDARA-DATI 1\ntipo=coesivi\ndescrizione=<a> & \"b\" 'c' \\\\ — città φ\n";
  const Report report = {Statement{{std::string("DESCRIZIONE:Plinto <A> & B")}}};
  std::string pdf = pdfa_report(report, QStringLiteral("Relazione")).value_or("").toStdString();
  EXPECT_EQ(read_data(pdf), "no data");
  const auto with_data = with_calculation_data(pdf, data);
  ASSERT_TRUE(with_data.ok()) << with_data.error();
  EXPECT_EQ(read_data(*with_data), data);
  const QTemporaryDir folder;
  const QString path = saved(folder, QByteArray::fromStdString(*with_data));
  EXPECT_TRUE(test::tool_output(QStringLiteral("qpdf"), {"--check", path})
                  .contains(QStringLiteral("No syntax or stream encoding errors")));
  const QString xmp = test::tool_output(QStringLiteral("pdfinfo"), {"-meta", path}) +
                      test::tool_output(QStringLiteral("pdfinfo"), {path});
  for (const char* fact :
       {"pdfaid:part=\"1\"", "pdfaid:conformance=\"B\"", "(A4)\n", "Creator:         Fondara\n",
        "<pdfaSchema:prefix>fondara</pdfaSchema:prefix>",
        "<pdfaProperty:name>dati</pdfaProperty:name>"})
    EXPECT_TRUE(xmp.contains(QString::fromUtf8(fact))) << fact;
  EXPECT_EQ(std::system(("pdfinfo -meta '" + path.toStdString() + "' | xmllint --noout -").c_str()),
            0);
  EXPECT_EQ(test::read_pdf(path).texts, QStringList{QStringLiteral("DESCRIZIONE:Plinto <A> & B")});
  // Read back from what tools make of the file, and after an incremental update.
  const QString rewritten = folder.filePath(QStringLiteral("riscritto.pdf"));
  for (const QStringList& rewrite :
       std::initializer_list<QStringList>{{"--linearize"},
                                          {"--object-streams=generate"},
                                          {"--qdf"},
                                          {"--encrypt", "", "o", "256", "--"}}) {
    test::tool_output(QStringLiteral("qpdf"), QStringList(rewrite) << path << rewritten);
    EXPECT_EQ(read_data(test::read_file(rewritten.toStdString())), data)
        << rewrite[0].toStdString();
  }
  EXPECT_EQ(read_data(updated(*with_data, "FONDARA-DATI 1\n")), "FONDARA-DATI 1\n");
  EXPECT_EQ(read_data(updated(*with_data, std::string(9 << 20, 'x'))), "no data");  // over 8 MiB
  // An entity or markup where the data stand is no data: nothing is expanded.
  for (const auto& [escaped, instead] : {std::pair{"&amp;", "&ent;"}, {"&lt;a&gt;", "<xi:a/>  "}}) {
    std::string changed = *with_data;
    EXPECT_EQ(read_data(changed.replace(changed.find(escaped), std::strlen(escaped), instead)),
              "no data");
  }
  EXPECT_FALSE(with_calculation_data("%PDF-1.4\nnot a pdf\n", data).ok());
  EXPECT_FALSE(with_calculation_data(pdf.replace(pdf.rfind("xref\n"), 4, "xrfe"), data).ok());
}

// The heading in 10 points, the rest in 8, blanks and letters as given; the first line 10 of
// 200 units across and 10 of 100 down the page; empty lines keep the space of their size.
TEST(PrinterChannel, PrintsEveryLineAtTheMarginInItsOwnSize) {
  // clang-format off
  const std::vector<Line> report = {{"PROGRAMMA: FONDARA VER.3.0", 10}, {"", 10}, {"", 8},
      {"DESCRIZIONE:plinto <A> & \"B\" sotto la più bassa ", 8}, {"Ø'    = tang(Ø') ...... 0,5773503", 8},
      {"", 8}, {"   tre blanks davanti,    quattro in mezzo", 8}};
  // clang-format on
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
// line continue below, each line one lower, onto a new page of an A6 with the test queue's
// margins; every word inside the page.
TEST(PrinterChannel, LongLinesWrapAndEveryWordStaysInsideThePage) {
  QString description = QStringLiteral("DESCRIZIONE:Plinto");
  for (int i = 0; description.size() < 300; ++i) description += QStringLiteral(" parola%1").arg(i);
  const QString unbroken(150, u'x');
  std::vector<Line> lines = {{(description + QString(99, u' ')).toStdString(), 8},
                             {unbroken.toStdString(), 8}};
  QStringList after;
  for (int i = 1; i <= 40; ++i)
    lines.push_back({(after << QStringLiteral("riga %1").arg(i)).back().toStdString(), 8});
  const QPageLayout page(QPageSize(QPageSize::A6), {}, {18, 36, 18, 36}, QPageLayout::Point);
  const test::PdfText pdf = print(lines, page);
  // Pieces broken at blanks rejoin with one blank; the unbroken word loses no character.
  QStringList words, xs, rest;
  const double step = pdf.lines.at(1).start.y() - pdf.lines[0].start.y();
  for (std::size_t i = 0; i < pdf.lines.size(); ++i) {
    const QString& text = pdf.texts[i];
    (text.startsWith(u"riga") ? rest : text.startsWith(u'x') ? xs : words) << text;
    const double down = i ? pdf.lines[i].start.y() - pdf.lines[i - 1].start.y() : -1;
    EXPECT_TRUE(down < 0 || std::abs(down - step) < 0.1) << i;  // back up on a new page
  }
  EXPECT_EQ(words.join(u' '), description);
  EXPECT_EQ(xs.join(QString()), unbroken);
  EXPECT_EQ(rest, after);
  EXPECT_EQ(pdf.pages, 2);
  const QRectF area = page.paintRect(QPageLayout::Point).adjusted(-0.5, -0.5, 0.5, 0.5);
  for (const test::PdfWord& word : pdf.words)
    EXPECT_TRUE(area.contains(word.box)) << word.text.toStdString();
}

// A held job still prints; a stopped one does not (job-state values of RFC 8011, 5.3.7).
TEST(PrinterChannel, JobsOnTheirWayByTheirState) {
  std::string states;
  for (int state = 3; state <= 9; ++state) states += job_on_its_way(state) ? '+' : '-';
  EXPECT_EQ(states, "+++---+");  // pending held processing stopped canceled aborted completed
}

}  // namespace
}  // namespace fondara::output
