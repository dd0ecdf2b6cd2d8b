// The PDF reader: the text of a PDF's metadata, through libqpdf, never a byte scan.
//
// The document catalogue's current metadata stream is read as the file's latest update has it,
// whatever another tool made of the file (linearized, object streams, compressed, encrypted
// with the metadata readable, updated incrementally), and decoded up to a bound: a small
// compressed stream may decode to gigabytes. Qt-free; built as C++17, as libqpdf 11.3's headers
// do not compile as C++20 with clang 14 (a std::vector of the incomplete JSON class).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "core/outcome.h"

namespace fondara::output {

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

// The decoded text of the catalogue's metadata stream, or why there is none.
Outcome<std::string, PdfDataFailure> metadata_text(std::string_view pdf);

}  // namespace fondara::output
