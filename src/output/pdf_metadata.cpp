#include "output/pdf_metadata.h"

#include <charconv>
#include <cstdio>
#include <optional>
#include <vector>

#include "output/pdf_reader.h"

namespace fondara::output {
namespace {

constexpr std::string_view kMetadataDictionary = "/Type /Metadata /Subtype /XML";
constexpr std::string_view kRdfEnd = "</rdf:RDF>";
constexpr std::string_view kOpenTag = "<fondara:dati>";
constexpr std::string_view kCloseTag = "</fondara:dati>";

std::string xml_escaped(std::string_view text) {
  std::string escaped;
  for (char ch : text) {
    if (ch == '&')
      escaped += "&amp;";
    else if (ch == '<')
      escaped += "&lt;";
    else if (ch == '>')
      escaped += "&gt;";
    else
      escaped += ch;
  }
  return escaped;
}

// The entities an XML writer may use for the characters of the data.
std::optional<std::string> xml_unescaped(std::string_view text) {
  std::string plain;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '&') {
      plain += text[i];
      continue;
    }
    const std::size_t end = text.find(';', i);
    if (end == std::string_view::npos) return std::nullopt;
    const std::string_view entity = text.substr(i + 1, end - i - 1);
    if (entity == "amp")
      plain += '&';
    else if (entity == "lt")
      plain += '<';
    else if (entity == "gt")
      plain += '>';
    else if (entity == "quot")
      plain += '"';
    else if (entity == "apos")
      plain += '\'';
    else
      return std::nullopt;
    i = end;
  }
  return plain;
}

// The extension schema that declares fondara:dati, then the property itself.
std::string data_descriptions(std::string_view data) {
  const std::string ns(kDataNamespace);
  return "    <rdf:Description rdf:about=\"\"\n"
         "        xmlns:pdfaExtension=\"http://www.aiim.org/pdfa/ns/extension/\"\n"
         "        xmlns:pdfaSchema=\"http://www.aiim.org/pdfa/ns/schema#\"\n"
         "        xmlns:pdfaProperty=\"http://www.aiim.org/pdfa/ns/property#\">\n"
         "      <pdfaExtension:schemas>\n"
         "        <rdf:Bag>\n"
         "          <rdf:li rdf:parseType=\"Resource\">\n"
         "            <pdfaSchema:schema>Dati del calcolo di Fondara</pdfaSchema:schema>\n"
         "            <pdfaSchema:namespaceURI>" +
         ns +
         "</pdfaSchema:namespaceURI>\n"
         "            <pdfaSchema:prefix>fondara</pdfaSchema:prefix>\n"
         "            <pdfaSchema:property>\n"
         "              <rdf:Seq>\n"
         "                <rdf:li rdf:parseType=\"Resource\">\n"
         "                  <pdfaProperty:name>dati</pdfaProperty:name>\n"
         "                  <pdfaProperty:valueType>Text</pdfaProperty:valueType>\n"
         "                  <pdfaProperty:category>internal</pdfaProperty:category>\n"
         "                  <pdfaProperty:description>I dati del calcolo (file .fondara), per "
         "riaprirlo</pdfaProperty:description>\n"
         "                </rdf:li>\n"
         "              </rdf:Seq>\n"
         "            </pdfaSchema:property>\n"
         "          </rdf:li>\n"
         "        </rdf:Bag>\n"
         "      </pdfaExtension:schemas>\n"
         "    </rdf:Description>\n"
         "    <rdf:Description rdf:about=\"\" xmlns:fondara=\"" +
         ns +
         "\">\n"
         "      " +
         std::string(kOpenTag) + xml_escaped(data) + std::string(kCloseTag) +
         "\n"
         "    </rdf:Description>\n  ";
}

std::optional<std::size_t> number_at(std::string_view text, std::size_t pos) {
  while (pos < text.size() && text[pos] == ' ') ++pos;
  std::size_t value = 0;
  const auto [end, error] = std::from_chars(text.data() + pos, text.data() + text.size(), value);
  if (error != std::errc{}) return std::nullopt;
  return value;
}

// Where the metadata stream's dictionary, its length number and its bytes are.
struct MetadataStream {
  std::size_t length_at = 0;      // the first digit of its /Length value
  std::size_t length_digits = 0;  // how many digits the value has
  std::size_t data_at = 0;        // its first byte, after "stream\n"
  std::size_t length = 0;
};

std::optional<MetadataStream> find_metadata(std::string_view pdf) {
  const std::size_t dictionary = pdf.find(kMetadataDictionary);
  if (dictionary == std::string_view::npos) return std::nullopt;
  const std::size_t key = pdf.find("/Length", dictionary);
  const std::size_t begin = pdf.find("stream\n", dictionary);
  if (key == std::string_view::npos || begin == std::string_view::npos || key > begin)
    return std::nullopt;
  MetadataStream stream;
  stream.length_at = pdf.find_first_not_of(' ', key + 7);
  const auto length = number_at(pdf, stream.length_at);
  if (!length) return std::nullopt;
  stream.length = *length;
  stream.length_digits = pdf.find_first_not_of("0123456789", stream.length_at) - stream.length_at;
  // An indirect length ("4 0 R") is not a plain stream of this layout.
  if (pdf.substr(stream.length_at + stream.length_digits, 2) != "\n>") return std::nullopt;
  stream.data_at = begin + 7;
  if (stream.data_at + stream.length > pdf.size()) return std::nullopt;
  return stream;
}

// The cross-reference table with every offset past `from` moved by `shift`, and startxref
// likewise; nothing when the table is not the plain kind this writer makes.
std::optional<std::string> shifted_xref(std::string pdf, std::size_t from, std::ptrdiff_t shift) {
  const std::size_t startxref = pdf.rfind("startxref");
  if (startxref == std::string::npos) return std::nullopt;
  // startxref still names where the table was before the shift.
  const auto old_xref_at = number_at(pdf, pdf.find_first_not_of(" \r\n", startxref + 9));
  if (!old_xref_at || *old_xref_at <= from) return std::nullopt;
  const std::size_t xref_at =
      static_cast<std::size_t>(static_cast<std::ptrdiff_t>(*old_xref_at) + shift);
  if (xref_at >= startxref || pdf.compare(xref_at, 5, "xref\n") != 0) return std::nullopt;
  std::size_t pos = xref_at + 5;
  while (pos < startxref && pdf.compare(pos, 7, "trailer") != 0) {
    const std::size_t header_end = pdf.find('\n', pos);
    const auto first = number_at(pdf, pos);
    const auto count = number_at(pdf, pdf.find(' ', pos) + 1);
    if (!first || !count || header_end == std::string::npos) return std::nullopt;
    pos = header_end + 1;
    for (std::size_t i = 0; i < *count; ++i, pos += 20) {
      if (pos + 20 > startxref) return std::nullopt;
      const auto offset = number_at(pdf, pos);
      if (!offset) return std::nullopt;
      if (pdf[pos + 17] == 'n' && *offset > from) {
        char digits[11];
        std::snprintf(digits, sizeof digits, "%010zu",
                      static_cast<std::size_t>(static_cast<std::ptrdiff_t>(*offset) + shift));
        pdf.replace(pos, 10, digits, 10);
      }
    }
  }
  const std::size_t value_at = pdf.find_first_not_of(" \r\n", startxref + 9);
  const std::size_t value_end = pdf.find_first_not_of("0123456789", value_at);
  pdf.replace(value_at, value_end - value_at, std::to_string(xref_at));
  return pdf;
}

}  // namespace

Outcome<std::string, std::string> with_calculation_data(std::string_view pdf,
                                                        std::string_view data) {
  const std::string unknown = "metadati del PDF in una forma inattesa";
  const auto stream = find_metadata(pdf);
  if (!stream) return Failed{unknown};
  std::string xmp(pdf.substr(stream->data_at, stream->length));
  const std::size_t rdf_end = xmp.rfind(kRdfEnd);
  if (rdf_end == std::string::npos) return Failed{unknown};
  xmp.insert(rdf_end, data_descriptions(data));

  std::string result(pdf);
  result.replace(stream->data_at, stream->length, xmp);
  result.replace(stream->length_at, stream->length_digits, std::to_string(xmp.size()));
  const std::ptrdiff_t shift =
      static_cast<std::ptrdiff_t>(result.size()) - static_cast<std::ptrdiff_t>(pdf.size());
  auto shifted = shifted_xref(std::move(result), stream->data_at, shift);
  if (!shifted) return Failed{unknown};
  return *std::move(shifted);
}

Outcome<std::string, PdfDataFailure> calculation_data(std::string_view pdf) {
  const auto xmp = metadata_text(pdf);
  if (!xmp) return Failed{xmp.error()};
  const std::size_t open = xmp->find(kOpenTag);
  if (open == std::string::npos || xmp->find(kDataNamespace) == std::string::npos)
    return Failed{PdfDataFailure::without_data};
  const std::size_t begin = open + kOpenTag.size();
  const std::size_t close = xmp->find(kCloseTag, begin);
  if (close == std::string::npos) return Failed{PdfDataFailure::without_data};
  // The writer escapes every '<' of the data: markup there (an element, an inclusion, a
  // comment, a CDATA section) is not Fondara's data.
  const std::string_view text = std::string_view(*xmp).substr(begin, close - begin);
  auto data = text.find('<') == std::string_view::npos ? xml_unescaped(text) : std::nullopt;
  if (!data) return Failed{PdfDataFailure::without_data};
  return *std::move(data);
}

}  // namespace fondara::output
