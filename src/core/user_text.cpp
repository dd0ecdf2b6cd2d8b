#include "core/user_text.h"

#include <algorithm>
#include <cstdio>

#include "core/utf8.h"

namespace fondara {
namespace {

// Characters of the user's text shown before the cut.
constexpr std::size_t kShownCharacters = 60;

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";  // U+FFFD

// Characters a terminal acts on: C0 and C1 controls, DEL, and the bidirectional
// overrides that reorder what is shown.
bool acts_on_terminal(char32_t ch) {
  return ch < 0x20 || (ch >= 0x7F && ch < 0xA0) || (ch >= 0x202A && ch <= 0x202E) ||
         (ch >= 0x2066 && ch <= 0x2069);
}

std::string escaped(char32_t ch) {
  switch (ch) {
    case 0x1B:
      return "\\e";
    case '\n':
      return "\\n";
    case '\r':
      return "\\r";
    case '\t':
      return "\\t";
    default:
      break;
  }
  char text[12];
  std::snprintf(text, sizeof text, ch < 0x80 ? "\\x%02x" : "\\u%04x", static_cast<unsigned>(ch));
  return text;
}

}  // namespace

std::string safe_quoted(std::string_view text) {
  std::string shown = "\"";
  for (std::size_t count = 0; !text.empty(); ++count) {
    if (count == kShownCharacters) {
      shown += "…";
      break;
    }
    std::size_t length = 0;
    const auto point = decode_utf8(text, length);
    if (!point) {
      // Each byte of a malformed sequence stands for one replacement character.
      shown += kReplacement;
      text.remove_prefix(1);
      continue;
    }
    if (acts_on_terminal(*point))
      shown += escaped(*point);
    else
      shown += text.substr(0, length);
    text.remove_prefix(length);
  }
  return shown + "\"";
}

std::optional<std::string> description_problem(std::string_view text) {
  const bool control = std::any_of(text.begin(), text.end(), [](char ch) {
    return (static_cast<unsigned char>(ch) < 0x20) || ch == 0x7F;
  });
  if (control)
    return "La descrizione non può contenere a capo, tabulazioni o altri caratteri di controllo.";
  return std::nullopt;
}

}  // namespace fondara
