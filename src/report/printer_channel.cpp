#include "report/printer_channel.h"

#include <QFile>
#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>

namespace fondara::report {
namespace {

// User scale: 200 units across, 100 down, top-left corner at (-10, -10); the print
// position starts at the user origin.
constexpr double scale_across = 200.0;
constexpr double scale_down = 100.0;
constexpr double scale_left = -10.0;
constexpr double scale_top = -10.0;
constexpr double origin_x = 0.0;
constexpr double origin_y = 0.0;

QFont report_font(int points) {
  QFont font(QStringLiteral("Courier New"));
  font.setStyleHint(QFont::TypeWriter);
  font.setPointSizeF(points);
  return font;
}

// Ends a document after a failure. Qt's PDF and CUPS engines cannot abort a job, so
// ending the painter may still send the partial document to a real printer; a PDF
// output file is removed.
void discard(QPrinter& printer, QPainter& painter) {
  printer.abort();
  if (painter.isActive()) painter.end();
  if (printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty()) {
    QFile::remove(printer.outputFileName());
  }
}

}  // namespace

std::unique_ptr<QPrinter> default_printer() {
  // QPrinter::isValid() stays true without any printer (it falls back to PDF output),
  // so only a null QPrinterInfo tells that there is none.
  const QPrinterInfo info = QPrinterInfo::defaultPrinter();
  if (info.isNull()) return nullptr;
  return std::make_unique<QPrinter>(info, QPrinter::HighResolution);
}

std::optional<QString> print_lines(const std::vector<Line>& lines,
                                   const PrinterFactory& make_printer) {
  const std::unique_ptr<QPrinter> printer = make_printer ? make_printer() : nullptr;
  if (!printer) return QStringLiteral("nessuna stampante predefinita");
  if (printer->docName().isEmpty()) printer->setDocName(QStringLiteral("Fondara"));

  QPainter painter;
  if (!painter.begin(printer.get())) {
    return QStringLiteral("la stampante non accetta il documento");
  }

  // Device pixels of the printable area (the painter's origin is its top-left corner);
  // user units are converted here rather than with a painter transform, which would
  // scale the fonts with the coordinates.
  const double width = printer->width();
  const double height = printer->height();
  const auto device_x = [&](double u) { return (u - scale_left) * width / scale_across; };
  const auto device_y = [&](double v) { return (v - scale_top) * height / scale_down; };

  const double left = device_x(origin_x);
  const double top = device_y(origin_y);
  double y = top;
  bool page_used = false;
  for (const Line& line : lines) {
    const QFont font = report_font(line.points);
    painter.setFont(font);
    const QFontMetricsF metrics(painter.font(), printer.get());
    const double spacing = metrics.lineSpacing();
    if (page_used && y + spacing > height) {
      if (!printer->newPage()) {
        discard(*printer, painter);
        return QStringLiteral("la stampante non accetta una nuova pagina");
      }
      y = top;
      page_used = false;
    }
    if (!line.text.empty()) {
      painter.drawText(QPointF(left, y + metrics.ascent()), QString::fromStdString(line.text));
    }
    y += spacing;
    page_used = true;
  }

  if (printer->printerState() == QPrinter::Error) {
    discard(*printer, painter);
    return QStringLiteral("errore della stampante");
  }
  if (!painter.end() || printer->printerState() == QPrinter::Error) {
    discard(*printer, painter);
    return QStringLiteral("la stampante non ha completato il documento");
  }
  return std::nullopt;
}

}  // namespace fondara::report
