#include "output/pdfa_file.h"

#include <QGuiApplication>
#include <memory>

#include "output/document_pages.h"
#include "output/messages.h"
#include "output/pdf.h"
#include "output/pdf_metadata.h"
#include "output/report_text.h"

namespace fondara::output {
namespace {

// Drawing text needs a Qt application; the offscreen platform needs no display. Qt's own
// notes (a missing runtime folder and the like) are no business of a terminal command.
std::unique_ptr<QGuiApplication> application_for_drawing() {
  if (QCoreApplication::instance() != nullptr) return nullptr;
  qputenv("QT_QPA_PLATFORM", "offscreen");
  qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
  static int argc = 1;
  static char name[] = "fondara";
  static char* argv[] = {name, nullptr};
  return std::make_unique<QGuiApplication>(argc, argv);
}

// The PDF with the calculation's data in its metadata.
Outcome<std::string, std::string> carrying_data(const std::optional<QByteArray>& pdf,
                                                std::string_view data) {
  if (!pdf) return Failed{std::string(pdf_error_message)};
  auto with_data = with_calculation_data(pdf->toStdString(), data);
  if (!with_data) return Failed{std::string(pdf_error_message)};
  return *std::move(with_data);
}

}  // namespace

Outcome<std::string, std::string> pdfa_file(const Report& printed, std::string_view title,
                                            std::string_view data) {
  const auto application = application_for_drawing();
  return carrying_data(
      pdfa_report(printed, QString::fromUtf8(title.data(), static_cast<qsizetype>(title.size()))),
      data);
}

Outcome<std::string, std::string> pdfa_file(const Document& document, std::string_view data) {
  const auto application = application_for_drawing();
  return carrying_data(
      render_document_pdf(document, a4_page(), {QString::fromStdString(document.title), true}),
      data);
}

Outcome<std::string, std::string> odt_file(const Document& document) {
  const auto application = application_for_drawing();
  const auto odt = render_document_odt(document);
  if (!odt) return Failed{std::string(odt_error_message)};
  return odt->toStdString();
}

}  // namespace fondara::output

namespace fondara::output {

Outcome<std::string, std::string> odt_file(const Report& printed, std::string_view title) {
  Document document{.title = std::string(title)};
  for (Line& line : write_lines(printed, 10)) {
    if (line.drawing)
      document.blocks.emplace_back(Figure{*std::move(line.drawing), {}});
    else
      document.blocks.emplace_back(Paragraph{{{std::move(line.text)}}, true});
  }
  return odt_file(document);
}

}  // namespace fondara::output
