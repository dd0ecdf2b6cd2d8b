// The data of a calculation carried in a PDF/A report's XMP metadata, so that the report
// reopens the calculation exactly.
//
// The data (the text of a .fondara file) is a property `fondara:dati` of Fondara's own
// namespace, declared with a PDF/A extension schema so that the file stays valid PDF/A-1b.
// Writing: it is added to the metadata stream that the PDF writer made (uncompressed XML),
// whose length and the cross-reference offsets that follow it are written anew. Reading: the
// text of the document's current metadata stream (pdf_reader.h) is searched, never parsed: no
// entity and no inclusion is expanded. Qt-free: bytes in, bytes out.
#pragma once

#include <string>
#include <string_view>

#include "core/outcome.h"
#include "output/pdf_reader.h"

namespace fondara::output {

// Fondara's namespace in the XMP metadata.
inline constexpr std::string_view kDataNamespace = "http://fondara.example.org/ns/dati/1.0/";

// `pdf` with `data` in its metadata, or why the PDF could not take it (a layout the
// function does not know: no plain metadata stream, no cross-reference table).
Outcome<std::string, std::string> with_calculation_data(std::string_view pdf,
                                                        std::string_view data);

// The data a PDF report of Fondara carries, or why there is none.
Outcome<std::string, PdfDataFailure> calculation_data(std::string_view pdf);

}  // namespace fondara::output
