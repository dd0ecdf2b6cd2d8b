#include "core/utf8.h"

namespace fondara {
namespace {

bool is_continuation(unsigned char byte) {
  return (byte & 0xC0) == 0x80;
}

}  // namespace

std::optional<char32_t> decode_utf8(std::string_view text, std::size_t& pos) {
  const auto lead = static_cast<unsigned char>(text[pos]);
  std::size_t length = 0;
  char32_t code = 0;
  char32_t lowest = 0;
  if (lead < 0x80) {
    ++pos;
    return lead;
  } else if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2, code = lead & 0x1F, lowest = 0x80;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3, code = lead & 0x0F, lowest = 0x800;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4, code = lead & 0x07, lowest = 0x10000;
  } else {
    ++pos;
    return std::nullopt;
  }
  std::size_t i = 1;
  for (; i < length && pos + i < text.size(); ++i) {
    const auto byte = static_cast<unsigned char>(text[pos + i]);
    if (!is_continuation(byte)) break;
    code = (code << 6) | (byte & 0x3F);
  }
  if (i < length) {
    pos += i;
    return std::nullopt;
  }
  pos += length;
  // Overlong forms, UTF-16 surrogates and values above U+10FFFF are not characters.
  if (code < lowest || (code >= 0xD800 && code <= 0xDFFF) || code > 0x10FFFF) return std::nullopt;
  return code;
}

}  // namespace fondara
