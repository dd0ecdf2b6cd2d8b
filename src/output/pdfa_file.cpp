#include "output/pdfa_file.h"

#include <QGuiApplication>
#include <memory>

#include "output/messages.h"
#include "output/pdf.h"
#include "output/pdf_metadata.h"

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

}  // namespace

Outcome<std::string, std::string> pdfa_file(const Report& printed, std::string_view title,
                                            std::string_view data) {
  const auto application = application_for_drawing();
  const auto pdf =
      pdfa_report(printed, QString::fromUtf8(title.data(), static_cast<qsizetype>(title.size())));
  if (!pdf) return Failed{std::string(pdf_error_message)};
  auto with_data = with_calculation_data(pdf->toStdString(), data);
  if (!with_data) return Failed{std::string(pdf_error_message)};
  return *std::move(with_data);
}

}  // namespace fondara::output
