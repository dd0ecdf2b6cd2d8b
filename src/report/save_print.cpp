#include "report/save_print.h"

#include <QCursor>
#include <QGuiApplication>

#include "report/channel_texts.h"
#include "report/file_channel.h"
#include "report/printed_pages.h"

namespace fondara::report {
namespace {

QString failure_text(const Result& report) {
  return QString::fromStdString(report_failure_message(report.failure()));
}

bool is_pdf(const SaveChoice& choice) {
  return choice.type == FileType::pdfa ||
         choice.path.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive);
}

// Shows the busy cursor while it lives.
class BusyCursor {
 public:
  BusyCursor() { QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor)); }
  ~BusyCursor() { QGuiApplication::restoreOverrideCursor(); }
  BusyCursor(const BusyCursor&) = delete;
  BusyCursor& operator=(const BusyCursor&) = delete;
};

}  // namespace

void save_report(QWidget* parent, const ReportBuilder& build, const QString& kind,
                 const SaveChoiceProvider& ask_choice, const MessageBox& message) {
  const Result file_report = build(Version::file);
  if (!file_report) return message(parent, failure_text(file_report));
  const SaveChoice choice = ask_choice(parent);
  if (choice.path.isEmpty()) return;

  std::optional<QString> error;
  if (is_pdf(choice)) {
    const Result printed = build(Version::stampa);
    error = printed ? write_pdfa(choice.path, *printed, kind) : failure_text(printed);
  } else {
    error = write_file(choice.path, file_bytes(*file_report));
  }
  if (error) message(parent, *error);
}

void print_report(QWidget* parent, const ReportBuilder& build, const QString& kind,
                  const PrinterFactory& printer, const MessageBox& message) {
  const Result printed = build(Version::stampa);
  bool failed = !printed;
  if (printed) {
    const BusyCursor busy;
    failed = print_lines(write_lines(*printed, 10), report_title(kind), printer).has_value();
  }
  if (failed) message(parent, QString::fromUtf8(print_error_message));
}

}  // namespace fondara::report
