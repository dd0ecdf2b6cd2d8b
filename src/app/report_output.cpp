#include "app/report_output.h"

#include <QString>

#include "app/toolkit.h"
#include "drained/report_drenato.h"
#include "report/channel_texts.h"
#include "report/file_channel.h"
#include "report/statement.h"
#include "undrained/report_non_drenato.h"

namespace fondara::app {
namespace {

report::Result build_report(const ReportValues& values, report::Version version) {
  if (const auto* undrained = std::get_if<UndrainedReportValues>(&values))
    return report_non_drenato(undrained->dati, undrained->risultati, undrained->descrizione,
                              version);
  const auto& drained = std::get<DrainedReportValues>(values);
  return report_drenato(drained.valori, drained.descrizione, version);
}

// The file report: nothing is written when the report cannot be prepared, the dialog
// is cancelled or the file cannot be written (then the file keeps its old content).
void save_report(QWidget& window, const ReportValues& values) {
  const report::Result result = build_report(values, report::Version::file);
  if (!result) {
    message_box(&window, QString::fromStdString(report::report_failure_message(result.failure())));
    return;
  }
  const report::SaveResult saved =
      report::save_file(&window, toolkit().save_file_name, report::file_bytes(*result));
  if (saved.outcome == report::SaveResult::Outcome::failed) message_box(&window, saved.error);
}

// The printed report: one document, or the print-problem message and nothing printed.
void print_report(QWidget& window, const ReportValues& values) {
  const report::Result result = build_report(values, report::Version::stampa);
  if (!result || report::print_report(*result, toolkit().printer))
    message_box(&window, QString::fromUtf8(report::print_error_message));
}

}  // namespace

ReportOutput desktop_report_output() {
  return {save_report, print_report};
}

ReportOutput& report_output() {
  static ReportOutput output = desktop_report_output();
  return output;
}

}  // namespace fondara::app
