// The user's own text: repeated safely in messages, and checked where it must stay on one
// line (the description of a calculation).
#pragma once

#include <iterator>
#include <optional>
#include <string>
#include <string_view>

namespace fondara {

// `text` between double quotes on one line: control characters escaped (\e, \n, \x01),
// invalid UTF-8 replaced by U+FFFD, cut after 60 characters with "…".
std::string safe_quoted(std::string_view text);

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

// Why a description typed outside a window cannot be reported (it would break the
// report's line or act on a terminal), or nothing when it can.
std::optional<std::string> description_problem(std::string_view text);

}  // namespace fondara
