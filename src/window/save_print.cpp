#include "window/save_print.h"

#include <QCursor>
#include <QDir>
#include <QFile>
#include <QGuiApplication>

#include "core/user_text.h"
#include "output/file_writer.h"
#include "output/messages.h"
#include "output/pdfa_file.h"
#include "output/report_text.h"
#include "window/messages.h"

namespace fondara::window {
namespace {

QString failure_text(const ReportOutcome& report) {
  return QString::fromStdString(report_failure_message(report.error()));
}

// The text report's bytes: from `text` when given, else from the file report's statements.
Outcome<std::string, QString> text_bytes(const ReportBuilder& build, const TextBuilder& text) {
  if (text) {
    auto bytes = text();
    if (!bytes) return Failed{QString::fromStdString(report_failure_message(bytes.error()))};
    return *std::move(bytes);
  }
  const ReportOutcome file_report = build(Version::file);
  if (!file_report) return Failed{failure_text(file_report)};
  return output::file_bytes(*file_report);
}

// The bytes of the chosen type, or the message that says why there are none.
Outcome<std::string, QString> file_of_type(const SaveChoice& choice, const ReportBuilder& build,
                                           const DocumentBuilder& document, std::string text,
                                           const QString& title, const std::string& data) {
  if (choice.type == FileType::text) return text;
  if (choice.type == FileType::data) return data;
  const bool pdfa = choice.type == FileType::pdfa;
  Outcome<std::string, std::string> bytes = std::string();
  if (document) {
    bytes = pdfa ? output::pdfa_file(document(), data) : output::odt_file(document());
  } else {
    const ReportOutcome printed = build(Version::printed);
    if (!printed) return Failed{failure_text(printed)};
    bytes = pdfa ? output::pdfa_file(*printed, title.toStdString(), data)
                 : output::odt_file(*printed, title.toStdString());
  }
  if (!bytes) return Failed{QString::fromStdString(bytes.error())};
  return *std::move(bytes);
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

Outcome<Done, QString> write_report_file(const QString& path, std::string_view bytes) {
  const output::WriteOutcome written =
      output::write_file(QFile::encodeName(path).toStdString(), bytes);
  if (written) return Done{};
  return Failed{QString::fromUtf8(texts::write_failure)
                    .arg(QDir::toNativeSeparators(path),
                         QString::fromStdString(output::cause_text(written.error())))};
}

bool description_reportable(QWidget* parent, std::string_view description,
                            const MessageBox& message) {
  const auto checked = check_description(description);
  if (!checked) message(parent, QString::fromStdString(checked.error()), {});
  return checked.ok();
}

SaveChoice save_report(QWidget* parent, const ReportBuilder& build, const QString& title,
                       const std::string& data, const SaveChoiceProvider& ask_choice,
                       const MessageBox& message, const DocumentBuilder& document,
                       const TextBuilder& text) {
  // A report that cannot be prepared is told before the dialog.
  auto file_report = text_bytes(build, text);
  if (!file_report) {
    message(parent, file_report.error(), {});
    return {};
  }
  const SaveChoice choice = ask_choice(parent);
  if (choice.path.isEmpty()) return {};

  const auto bytes = file_of_type(choice, build, document, *std::move(file_report), title, data);
  if (!bytes) {
    message(parent, bytes.error(), {});
    return {};
  }
  if (const auto written = write_report_file(choice.path, *bytes); !written) {
    message(parent, written.error(), {});
    return {};
  }
  return choice;
}

void print_report(QWidget* parent, const ReportBuilder& build, const QString& title,
                  const output::PrinterFactory& printer, const MessageBox& message,
                  const DocumentBuilder& document) {
  const output::PrintOutcome sent = [&]() -> output::PrintOutcome {
    if (document) {
      const BusyCursor busy;
      return output::print_document(document(), title, printer);
    }
    const ReportOutcome printed = build(Version::printed);
    if (!printed) return Failed{failure_text(printed)};
    const BusyCursor busy;
    return output::print_lines(output::write_lines(*printed, 10), title, printer);
  }();
  if (!sent) message(parent, QString::fromUtf8(output::print_error_message), sent.error());
}

}  // namespace fondara::window
