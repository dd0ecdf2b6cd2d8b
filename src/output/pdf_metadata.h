// The data of a calculation carried in a PDF/A report's XMP metadata, so that the report
// reopens the calculation exactly.
//
// The data (the text of a .fondara file) is a property `fondara:dati` of Fondara's own
// namespace, declared with a PDF/A extension schema so that the file stays valid PDF/A-1b.
// Writing: it is added to the metadata stream that the PDF writer made (uncompressed XML),
// whose length and the cross-reference offsets that follow it are written anew. Reading: the
// document catalogue's current metadata stream is read with libqpdf, whatever another tool
// made of the file (linearized, object streams, compressed, encrypted with the metadata
// readable, updated incrementally); the stream is decoded up to a bound, and its text is
// searched, never parsed: no entity and no inclusion is expanded. Qt-free: bytes in, bytes
// out.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "core/outcome.h"

namespace fondara::output {

// Fondara's namespace in the XMP metadata.
inline constexpr std::string_view kDataNamespace = "http://fondara.example.org/ns/dati/1.0/";

// `pdf` with `data` in its metadata, or why the PDF could not take it (a layout the
// function does not know: no plain metadata stream, no cross-reference table).
Outcome<std::string, std::string> with_calculation_data(std::string_view pdf,
                                                        std::string_view data);

// The most bytes of a PDF that is read, and of its decoded metadata stream (the data file's
// limit, escaped for XML, and the writer's own properties fit in it many times).
inline constexpr std::size_t kPdfMaxBytes = 64 * 1024 * 1024;
inline constexpr std::size_t kMetadataMaxBytes = 8 * 1024 * 1024;

// Why a PDF gives no data.
enum class PdfDataFailure {
  unreadable,    // not a PDF libqpdf can read, or damaged beyond its repair
  password,      // encrypted with a password that opens it
  too_large,     // its metadata stream decodes to more than kMetadataMaxBytes
  without_data,  // no metadata, or none of Fondara's, or markup where the data stand
};

// The data a PDF report of Fondara carries, or why there is none.
Outcome<std::string, PdfDataFailure> calculation_data(std::string_view pdf);

}  // namespace fondara::output
