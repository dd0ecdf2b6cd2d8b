#include "app/report_output.h"

namespace fondara::app {

ReportOutput& report_output() {
  static ReportOutput output;
  return output;
}

}  // namespace fondara::app
