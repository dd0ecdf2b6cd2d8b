#include "core/user_text.h"

#include <algorithm>
#include <cstdio>

#include "core/messages.h"
#include "core/utf8.h"

namespace fondara {
namespace {

// Characters of the user's text shown before the cut.
constexpr std::size_t kShownCharacters = 60;

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";  // U+FFFD

struct Range {
  char32_t first, last;
};

// The characters a message escapes (user_text.h says why), in order.
constexpr Range kNotVisible[] = {
    {0x0000, 0x001F},    // C0 controls
    {0x007F, 0x009F},    // DEL and the C1 controls
    {0x00A0, 0x00A0},    // no-break space
    {0x00AD, 0x00AD},    // soft hyphen
    {0x034F, 0x034F},    // combining grapheme joiner
    {0x061C, 0x061C},    // Arabic letter mark
    {0x115F, 0x1160},    // Hangul choseong and jungseong fillers
    {0x1680, 0x1680},    // Ogham space mark
    {0x17B4, 0x17B5},    // Khmer inherent vowels
    {0x180B, 0x180F},    // Mongolian variation selectors and vowel separator
    {0x2000, 0x200F},    // typographic spaces, zero-width space and joiners, direction marks
    {0x2028, 0x202F},    // line and paragraph separators, embeddings, overrides, narrow space
    {0x205F, 0x206F},    // medium space, word joiner, invisible operators, isolates
    {0x2800, 0x2800},    // blank Braille pattern
    {0x3000, 0x3000},    // ideographic space
    {0x3164, 0x3164},    // Hangul filler
    {0xFE00, 0xFE0F},    // variation selectors
    {0xFEFF, 0xFEFF},    // zero-width no-break space (byte order mark)
    {0xFFA0, 0xFFA0},    // halfwidth Hangul filler
    {0xFFF0, 0xFFFB},    // specials and interlinear annotation marks
    {0x1BCA0, 0x1BCA3},  // shorthand format controls
    {0x1D173, 0x1D17A},  // musical format controls
    {0xE0000, 0xE0FFF},  // tags and supplementary variation selectors
};

bool not_visible(char32_t ch) {
  const Range* range = std::lower_bound(std::begin(kNotVisible), std::end(kNotVisible), ch,
                                        [](const Range& r, char32_t c) { return r.last < c; });
  return range != std::end(kNotVisible) && range->first <= ch;
}

bool is_c0_control(char32_t ch) {
  return ch < 0x20 || ch == 0x7F;
}

bool is_c1_control(char32_t ch) {
  return ch >= 0x80 && ch <= 0x9F;
}

// Embeddings, overrides and isolates: they reorder what a terminal or a report shows.
bool changes_direction(char32_t ch) {
  return (ch >= 0x202A && ch <= 0x202E) || (ch >= 0x2066 && ch <= 0x2069);
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
  char text[16];
  std::snprintf(text, sizeof text, ch < 0x80 ? "\\x%02x" : "\\u{%04X}", static_cast<unsigned>(ch));
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
    if (not_visible(*point))
      shown += escaped(*point);
    else
      shown += text.substr(0, length);
    text.remove_prefix(length);
  }
  return shown + "\"";
}

void make_valid_utf8(std::string& text) {
  if (std::all_of(text.begin(), text.end(), [](char ch) { return (ch & 0x80) == 0; })) return;
  std::string valid;
  bool changed = false;
  for (std::size_t pos = 0; pos < text.size();) {
    const std::size_t start = pos;
    if (decode_utf8(text, pos)) {
      valid.append(text, start, pos - start);
    } else {
      pos = start + 1;
      valid += kReplacement;
      changed = true;
    }
  }
  if (changed) text = std::move(valid);
}

Outcome<Done, std::string> check_description(std::string_view text) {
  for (std::size_t pos = 0; pos < text.size();) {
    const auto point = decode_utf8(text, pos);
    if (!point) return Failed{std::string(messages::description_not_utf8)};
    if (is_c0_control(*point)) return Failed{std::string(messages::description_control)};
    if (is_c1_control(*point)) return Failed{std::string(messages::description_c1)};
    if (changes_direction(*point)) return Failed{std::string(messages::description_direction)};
  }
  return Done{};
}

}  // namespace fondara
