// Save and Print of a calculation window, each one call from its button's handler.
//
// The window hands over a function that builds its report in either version, the title
// of the report's PDF document, and the services it takes from the desktop: the save
// dialog, the printer and the message box (titled "Fondara"), which tests replace.
#pragma once

#include <QString>
#include <functional>
#include <string>

#include "core/document.h"
#include "core/report.h"
#include "output/printer_channel.h"
#include "window/save_dialog.h"

class QWidget;

namespace fondara::window {

// Builds the window's report, as its last completed calculation left it.
using ReportBuilder = std::function<ReportOutcome(Version)>;

// Builds the bytes of the window's text report, for a report made part by part (a footing of
// thousands of checks); empty: the bytes of ReportBuilder's file report.
using TextBuilder = std::function<Outcome<std::string, Failure>()>;

// Builds the window's typeset report, for a kind that has one (Calculation::document); empty for
// a kind whose PDF/A, printed and ODT reports are its printed statements.
using DocumentBuilder = std::function<Document()>;

// Shows a message modally over the window, with its details (empty: none).
using MessageBox =
    std::function<void(QWidget* parent, const QString& prompt, const QString& details)>;

// Save: a report that cannot be prepared is told before the dialog. The dialog asks
// name and type; cancelled, nothing is written. The text type writes the file report;
// the PDF/A type writes the typeset report (`document`) or else the printed report as a PDF/A
// file carrying `data`, the text of the calculation's data file, in its metadata; the ODT type
// writes the same report as an ODT document; the data type writes `data` alone. Each is
// written atomically; a failure is told in Italian and an existing file keeps its content.
// The name and type written; an empty name when nothing was.
SaveChoice save_report(QWidget* parent, const ReportBuilder& build, const QString& title,
                       const std::string& data, const SaveChoiceProvider& ask_choice,
                       const MessageBox& message, const DocumentBuilder& document = {},
                       const TextBuilder& text = {});

// Print: the typeset report (`document`), or else the printed report, as one document on the
// printer, with a busy cursor while it is sent; any failure (no printer, a refused job, a
// stopped queue, a scheduler that does not answer, a report that cannot be prepared) shows
// "Problema di stampa nella stampante utilizzata.", with the failure's own cause as the
// message's details.
void print_report(QWidget* parent, const ReportBuilder& build, const QString& title,
                  const output::PrinterFactory& printer, const MessageBox& message,
                  const DocumentBuilder& document = {});

// Whether `description` may go into a report or a data file (check_description of
// core/user_text.h: one line, no control nor direction character); if not, its rule is
// shown over `parent`. Save and Print ask first, as the description is the box's own.
bool description_reportable(QWidget* parent, std::string_view description,
                            const MessageBox& message);

// Writes `bytes` to `path` through the shared file writer, replacing an existing file.
// Fails with an Italian message that names the file and the cause.
Outcome<Done, QString> write_report_file(const QString& path, std::string_view bytes);

}  // namespace fondara::window
