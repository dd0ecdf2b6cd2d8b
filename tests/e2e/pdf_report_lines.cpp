// fondara_pdf_report_lines FILE.pdf: the lines read back from a printed report, in UTF-8;
// on standard error the pages and where the first line starts (points). 1: no text.
#include <QCoreApplication>
#include <cstdio>

#include "pdf_lines.h"

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  const QStringList arguments = QCoreApplication::arguments();
  if (arguments.size() != 2) return 2;
  const auto pdf = fondara::report::test::read_pdf(arguments[1]);
  const auto lines = fondara::report::test::rebuild_lines(pdf);
  if (lines.empty()) return 1;
  std::fprintf(stderr, "pagine: %d\norigine: %.1f %.1f\n", pdf.pages, lines.front().x_min,
               lines.front().y_min);
  for (const auto& line : lines) std::printf("%s\n", line.text.toUtf8().constData());
  return 0;
}
