// Prints the lines of a printed report read back from a PDF file, one per line in
// UTF-8, with their leading and inner blanks rebuilt; the end-to-end printer test
// compares them with the expected printed lines. On standard error: the number of pages
// and the origin (left and top, in points) of the first line.
//
//   fondara_pdf_report_lines FILE.pdf
//
// Exit status 0 when the file holds at least one page of text, 1 otherwise.
#include <QCoreApplication>
#include <QString>
#include <algorithm>
#include <cstdio>
#include <limits>

#include "pdf_lines.h"

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  const QStringList arguments = QCoreApplication::arguments();
  if (arguments.size() != 2) {
    std::fprintf(stderr, "uso: %s FILE.pdf\n", argv[0]);
    return 2;
  }
  const fondara::report::test::PdfText pdf = fondara::report::test::read_pdf(arguments[1]);
  if (pdf.pages == 0 || pdf.words.empty()) {
    std::fprintf(stderr, "nessun testo leggibile in %s\n", qPrintable(arguments[1]));
    return 1;
  }
  // The report's left margin is where its leftmost character starts.
  double left = std::numeric_limits<double>::max();
  for (const auto& word : pdf.words) left = std::min(left, word.x_min);
  std::fprintf(stderr, "pagine: %d\n", pdf.pages);
  const auto lines = fondara::report::test::rebuild_lines(pdf, left);
  std::fprintf(stderr, "origine: %.1f %.1f\n", lines.front().x_min, lines.front().y_min);
  for (const auto& line : lines) {
    std::printf("%s\n", line.text.toUtf8().constData());
  }
  return 0;
}
