#include "core/document.h"

#include <algorithm>

namespace fondara {
namespace {

// The length of the UTF-8 character that starts with `lead`.
std::size_t character_length(char lead) {
  const auto byte = static_cast<unsigned char>(lead);
  return byte < 0xC0 ? 1 : byte < 0xE0 ? 2 : byte < 0xF0 ? 3 : 4;
}

}  // namespace

void append(Runs& runs, std::string_view text, unsigned style) {
  if (text.empty()) return;
  if (!runs.empty() && runs.back().style == style)
    runs.back().text.append(text);
  else
    runs.push_back({std::string(text), style});
}

Runs formula(std::string_view text, unsigned style) {
  Runs runs;
  std::size_t i = 0;
  while (i < text.size()) {
    const char mark = text[i];
    if ((mark != '_' && mark != '^') || i + 1 >= text.size()) {
      const std::size_t length = std::min(character_length(mark), text.size() - i);
      append(runs, text.substr(i, length), style);
      i += length;
      continue;
    }
    const unsigned shift = mark == '_' ? kSubscript : kSuperscript;
    std::size_t begin = i + 1, end;
    if (text[begin] == '{') {
      ++begin;
      end = text.find('}', begin);
      if (end == std::string_view::npos) end = text.size();
      i = std::min(end + 1, text.size());
    } else {
      end = std::min(begin + character_length(text[begin]), text.size());
      i = end;
    }
    append(runs, text.substr(begin, end - begin), style | shift);
  }
  return runs;
}

std::string page_text(std::size_t page, std::size_t pages) {
  return "Pagina " + std::to_string(page) + " di " + std::to_string(pages);
}

}  // namespace fondara
