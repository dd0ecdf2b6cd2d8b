// Test helpers for the Qt side of the report channels: Qt strings in GoogleTest
// messages, and a printer that keeps the rendered PDF in a file instead of printing.
#pragma once

#include <QFile>
#include <QString>
#include <ostream>

#include "report/printed_pages.h"
#include "report/printer_channel.h"

inline void PrintTo(const QString& text, std::ostream* out) {
  *out << '"' << text.toStdString() << '"';
}

namespace fondara::report::test {

// A printer on `page` that writes each document to `path`, counting how often it was
// opened.
inline PrinterFactory pdf_file_printer(const QString& path, const QPageLayout& page = a4_page(),
                                       int* opened = nullptr) {
  return [=]() -> std::variant<PrintDestination, QString> {
    if (opened) ++*opened;
    return PrintDestination{page, [path](const QByteArray& pdf, const QString&) {
                              QFile file(path);
                              return file.open(QIODevice::WriteOnly) &&
                                             file.write(pdf) == pdf.size()
                                         ? std::nullopt
                                         : std::optional<QString>(file.errorString());
                            }};
  };
}

}  // namespace fondara::report::test
