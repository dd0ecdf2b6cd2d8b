// The user's own text: repeated safely in messages, and checked where it must stay on one
// line (the description of a calculation).
#pragma once

#include <iterator>
#include <optional>
#include <string>
#include <string_view>

#include "core/outcome.h"

namespace fondara {

// `text` between double quotes on one line, cut after 60 characters with "…", invalid
// UTF-8 replaced by U+FFFD, and every character that is not visible escaped, so that
// the reader sees what was typed and a terminal is not driven by it: ASCII controls as
// \e, \n, \r, \t or \x01, the others as \u{00A0} (hex, upper case). Not visible are
// the controls (C0, DEL, C1), the spaces other than U+0020 (no-break, typographic,
// ideographic, Ogham, blank Braille), the format characters that show nothing (soft
// hyphen, zero-width space and joiners, direction marks, embeddings, overrides and
// isolates, word joiner, invisible operators, byte order mark, Arabic letter mark,
// shorthand and musical format controls, tags), line and paragraph separators, the
// fillers (Hangul, Khmer inherent vowels), the combining grapheme joiner, the variation
// selectors, and U+FFF0 to U+FFFB. Unassigned and private-use characters pass.
std::string safe_quoted(std::string_view text);

// Replaces each byte of a malformed UTF-8 sequence in `text` by U+FFFD.
void make_valid_utf8(std::string& text);

// The names of `items` as alternatives, in their order: "SI o NO", "a, b o c".
template <typename Range, typename Name>
std::string alternatives(const Range& items, Name name) {
  std::string text;
  std::size_t i = 0;
  const std::size_t count = std::size(items);
  for (const auto& item : items) {
    if (i > 0) text += i + 1 == count ? " o " : ", ";
    text += name(item);
    ++i;
  }
  return text;
}

// Done when a description typed outside a window can be reported, else why not: it is
// not UTF-8, or it holds a control character (C0, DEL, C1: it would break the
// report's line or act on a terminal) or one that reverses the direction of the text
// shown (embeddings, overrides, isolates). The first such cause met, in Italian.
Outcome<Done, std::string> check_description(std::string_view text);

}  // namespace fondara
