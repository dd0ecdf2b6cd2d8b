// The calculation's data in the PDF/A report's metadata: the file stays whole (its cross
// references checked by qpdf), its metadata valid XML with the PDF/A identification and the
// extension schema, and the data reads back exactly.
#include "output/pdf_metadata.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "output/file_writer.h"
#include "output/pdf.h"
#include "pdf_lines.h"

namespace fondara::output {
namespace {

std::string report_pdf() {
  const Report report = {Statement{{std::string("PROGRAMMA: FONDARA")}},
                         Statement{{std::string("DESCRIZIONE:Plinto <A> & B")}}};
  const auto pdf = pdfa_report(report, QStringLiteral("Relazione di calcolo - prova"));
  return pdf ? pdf->toStdString() : std::string();
}

// The data of a file with every character XML and the data file escape.
const std::string data =
    "FONDARA-DATI 1\ntipo=coesivi\ndescrizione=<a> & \"b\" 'c' \\\\ — città φ\n";

TEST(PdfMetadata, CarriesTheDataInAValidPdfaFile) {
  const std::string pdf = report_pdf();
  ASSERT_FALSE(pdf.empty());
  EXPECT_EQ(calculation_data(pdf), std::nullopt);
  const auto with_data = with_calculation_data(pdf, data);
  ASSERT_TRUE(with_data.ok()) << with_data.error();
  EXPECT_EQ(calculation_data(*with_data), data);

  const QTemporaryDir folder;
  const QString path = folder.filePath(QStringLiteral("relazione.pdf"));
  ASSERT_TRUE(write_file(path.toStdString(), *with_data).ok());
  EXPECT_TRUE(test::tool_output(QStringLiteral("qpdf"), {"--check", path})
                  .contains(QStringLiteral("No syntax or stream encoding errors")));
  const QString xmp = test::tool_output(QStringLiteral("pdfinfo"), {"-meta", path});
  for (const char* fact : {"pdfaid:part=\"1\"", "pdfaid:conformance=\"B\"",
                           "<pdfaSchema:prefix>fondara</pdfaSchema:prefix>",
                           "<pdfaProperty:name>dati</pdfaProperty:name>"})
    EXPECT_TRUE(xmp.contains(QString::fromUtf8(fact))) << fact;
  const QString xml = folder.filePath(QStringLiteral("xmp.xml"));
  ASSERT_TRUE(write_file(xml.toStdString(), xmp.toStdString()).ok());
  QProcess xmllint;
  xmllint.start(QStringLiteral("xmllint"), {"--noout", xml});
  ASSERT_TRUE(xmllint.waitForFinished());
  EXPECT_EQ(xmllint.exitCode(), 0) << xmllint.readAllStandardError().toStdString();
  // The pages read as before.
  EXPECT_TRUE(test::read_pdf(path).texts.contains(QStringLiteral("DESCRIZIONE:Plinto <A> & B")));
}

TEST(PdfMetadata, RefusesALayoutItDoesNotKnow) {
  EXPECT_FALSE(with_calculation_data("%PDF-1.4\nnot a pdf\n", data).ok());
  std::string no_xref = report_pdf();
  no_xref.replace(no_xref.rfind("xref\n"), 4, "xrfe");
  EXPECT_FALSE(with_calculation_data(no_xref, data).ok());
}

}  // namespace
}  // namespace fondara::output
