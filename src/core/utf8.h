// Reading UTF-8 one character at a time, for the Windows-1252 reports and for the
// user's text repeated in fondara-calc's messages.
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

namespace fondara {

// Decodes the UTF-8 sequence at `text[pos]` (pos < text.size()). On success returns the
// code point and advances `pos` past it; on a malformed sequence (a stray or truncated
// one, an overlong form, a UTF-16 surrogate, a value above U+10FFFF) returns nothing and
// advances past the longest start of a valid sequence, at least one byte.
std::optional<char32_t> decode_utf8(std::string_view text, std::size_t& pos);

}  // namespace fondara
