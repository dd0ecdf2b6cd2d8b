// Where Save and Print of the calculation windows send their report.
//
// salva_Click and stampa_Click of both windows hand the values of the last completed
// calculation, with the description as the box holds it at that moment, to
// report_output().salva (the file report, through the save dialog) or
// report_output().stampa (the printed report, on the printer). They start as
// desktop_report_output(); tests may install recorders. Any dialog or message box
// they show runs over `window`.
#pragma once

#include <functional>
#include <string>
#include <variant>

#include "drained/calcolo_drenato.h"
#include "undrained/calcolo_non_drenato.h"

class QWidget;

namespace fondara::app {

// form_coesivi: the inputs and the results of its last completed Calculate.
struct UndrainedReportValues {
  DatiNonDrenati dati;
  RisultatiNonDrenati risultati;
  std::string descrizione;
};

// form_sciolti: its ValoriDrenati record, water-table choice included.
struct DrainedReportValues {
  ValoriDrenati valori;
  std::string descrizione;
};

using ReportValues = std::variant<UndrainedReportValues, DrainedReportValues>;

struct ReportOutput {
  std::function<void(QWidget& window, const ReportValues& values)> salva;
  std::function<void(QWidget& window, const ReportValues& values)> stampa;
};

ReportOutput& report_output();

// Save and Print as the program does them: build the report, then the save dialog and
// the file, or the printer; a failure is told in a message box titled "Fondara".
ReportOutput desktop_report_output();

}  // namespace fondara::app
