#include "cli/pdf_file.h"

#include <QGuiApplication>

#include "report/channel_texts.h"
#include "report/printed_pages.h"

namespace fondara::cli {

std::optional<std::string> pdfa_bytes(const report::Report& report, Terreno terreno) {
  // Drawing text needs a Qt application; the offscreen platform needs no display. Qt's
  // own notes (a missing runtime folder and the like) are no business of this command's
  // standard error.
  qputenv("QT_QPA_PLATFORM", "offscreen");
  qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
  int argc = 1;
  char name[] = "fondara-calc";
  char* argv[] = {name, nullptr};
  const QGuiApplication application(argc, argv);
  const QString kind = QString::fromUtf8(terreno == Terreno::coesivi ? report::report_kind_coesivi
                                                                     : report::report_kind_sciolti);
  const auto pdf = report::pdfa_report(report, kind);
  if (!pdf) return std::nullopt;
  return pdf->toStdString();
}

}  // namespace fondara::cli
