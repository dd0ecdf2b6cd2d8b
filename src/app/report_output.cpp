#include "app/report_output.h"

#include <QString>

#include "app/toolkit.h"
#include "drained/report_drenato.h"
#include "report/channel_texts.h"
#include "report/save_print.h"
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

// The builder of the window's report and the kind of window named in a PDF's title.
report::ReportBuilder builder_of(const ReportValues& values) {
  return [values](report::Version version) { return build_report(values, version); };
}

QString kind_of(const ReportValues& values) {
  return QString::fromUtf8(std::holds_alternative<UndrainedReportValues>(values)
                               ? report::report_kind_coesivi
                               : report::report_kind_sciolti);
}

void save_report(QWidget& window, const ReportValues& values) {
  report::save_report(&window, builder_of(values), kind_of(values), toolkit().save_file_name,
                      message_box);
}

void print_report(QWidget& window, const ReportValues& values) {
  report::print_report(&window, builder_of(values), kind_of(values), toolkit().printer,
                       message_box);
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
