// Rows of one exact text: what a core function gave (numbers shortest exact) and what is due.
#pragma once

#include <gtest/gtest.h>

#include <charconv>
#include <optional>
#include <string>

namespace fondara::test {

struct TextRow {
  const char* name;
  std::string got, expected;
};

inline void PrintTo(const TextRow& row, std::ostream* out) {
  *out << row.name;
}

class CoreText : public testing::TestWithParam<TextRow> {};

template <typename T>
std::string shown(std::optional<T> value) {
  if (!value) return "none";
  char text[64];
  return std::string(text, std::to_chars(text, text + sizeof text, *value).ptr);
}

}  // namespace fondara::test
