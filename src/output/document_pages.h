// The renderers of a typeset report (core/document.h): pages of a PDF, for the PDF/A file and the
// printer, and an ODT file, both through Qt's QTextDocument.
//
// Pages: margins of at least 18 mm, the document's header on top of every page and its footer
// with "Pagina N di M" at the foot; tables repeat their header rows on each page they run onto
// (QTextTableFormat's header rows); a heading that would end a page starts the next one instead;
// figures are drawn as vector graphics by output/drawing_painter at print time. The ODT file is
// written by QTextDocumentWriter's ODF format, the figures embedded as PNG pictures (Qt's ODF
// writer takes pictures only). Needs a QGuiApplication for its fonts.
#pragma once

#include <QByteArray>
#include <QPageLayout>
#include <optional>

#include "core/document.h"
#include "output/pdf.h"

namespace fondara::output {

// `document` on pages of `page` as a PDF (its title and PDF/A flag from `metadata`); nothing
// when the PDF cannot be made.
std::optional<QByteArray> render_document_pdf(const Document& document, const QPageLayout& page,
                                              const PdfDocument& metadata);

// `document` as the bytes of an ODT file; nothing when they cannot be made.
std::optional<QByteArray> render_document_odt(const Document& document);

}  // namespace fondara::output
