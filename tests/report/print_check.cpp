// Prints the sample report on the system's default printer, as the Print button does,
// and with --read PDF reads back the PDF that the printer queue writes (a queue on a
// file device, see scripts/cups-test-printer.sh) and compares its lines.
//
//   fondara_print_check [--read /tmp/fondara-print/job.pdf]
#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QPageLayout>
#include <QPrinter>
#include <QThread>
#include <cstdio>

#include "pdf_lines.h"
#include "report/channel_texts.h"
#include "report/printer_channel.h"
#include "sample_report.h"

using namespace fondara::report;

namespace {

// The queue writes the file when the job has gone through its filters.
test::PdfText wait_for_pdf(const QString& path) {
  QElapsedTimer clock;
  clock.start();
  while (clock.elapsed() < 30000) {
    if (QFileInfo(path).size() > 0) {
      const test::PdfText pdf = test::read_pdf(path);
      if (pdf.pages > 0) return pdf;
    }
    QThread::msleep(100);
  }
  return {};
}

}  // namespace

int main(int argc, char** argv) {
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  const QStringList arguments = QApplication::arguments();
  const qsizetype read = arguments.indexOf(QStringLiteral("--read"));
  const QString pdf_path =
      read > 0 && read + 1 < arguments.size() ? arguments[read + 1] : QString();

  std::unique_ptr<QPrinter> probe = default_printer();
  if (probe) std::printf("stampante predefinita: %s\n", qPrintable(probe->printerName()));
  if (!pdf_path.isEmpty()) QFile::remove(pdf_path);

  if (const std::optional<QString> error = print_lines(test::sample_report, default_printer)) {
    std::printf("%s (%s)\n", print_error_message, qPrintable(*error));
    return 1;
  }
  std::printf("documento inviato\n");
  if (pdf_path.isEmpty()) return 0;

  const test::PdfText pdf = wait_for_pdf(pdf_path);
  if (pdf.pages == 0) {
    std::printf("nessun PDF in %s\n", qPrintable(pdf_path));
    return 1;
  }
  // The queue's page may differ from Qt's idea of it; the margins are measured against
  // the printable area that Qt used.
  const QRectF area = probe->pageLayout().paintRect(QPageLayout::Point);
  const double left = area.left() + area.width() * 10.0 / 200.0;
  const double top = area.top() + area.height() * 10.0 / 100.0;
  const std::vector<test::PdfLine> lines = test::rebuild_lines(pdf, left);
  const std::vector<QString> expected = test::printed_texts(test::sample_report);
  const std::vector<QString> got = test::texts_of(lines);
  std::printf("pagine %d (%.1f x %.1f pt), righe %zu di %zu\n", pdf.pages, pdf.page_width,
              pdf.page_height, got.size(), expected.size());
  for (const test::PdfLine& line : lines) {
    std::printf("  x %6.2f y %6.2f passo %5.3f |%s|\n", line.x_min, line.y_min, line.pitch,
                qPrintable(line.text));
  }
  std::printf("margini attesi: x %.2f y %.2f\n", left, top);
  const bool same = got == expected;
  std::printf(same ? "testo identico\n" : "TESTO DIVERSO\n");
  return same ? 0 : 1;
}
