#include "core/number_text.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace fondara {
namespace {

bool is_digit(char ch) {
  return ch >= '0' && ch <= '9';
}
bool is_blank(char ch) {
  return ch == ' ' || ch == '\t';
}

// Integer part: plain digits, or digit groups joined by thousands dots where the
// first group has one to three digits and every later group exactly three.
// Appends the digits to `out`; false when a dot is misplaced.
bool read_integer_part(std::string_view part, std::string& out) {
  if (part.find('.') == std::string_view::npos) {
    out.append(part);
    return true;
  }
  std::size_t group = 0;
  bool first = true;
  for (char ch : part) {
    if (ch == '.') {
      if (group == 0 || (first && group > 3) || (!first && group != 3)) return false;
      first = false;
      group = 0;
    } else {
      out.push_back(ch);
      ++group;
    }
  }
  return group == 3;
}

template <typename T>
std::string format_general(T value, int precision) {
  if (std::isnan(value)) return "NaN";
  if (std::isinf(value)) return value < 0 ? "-Inf" : "Inf";
  if (value == 0) return "0";  // also -0
  std::array<char, 64> buffer{};
  const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                    std::chars_format::general, precision);
  std::string text(buffer.data(), result.ptr);
  for (char& ch : text) {
    if (ch == '.') ch = ',';
    if (ch == 'e') ch = 'E';
  }
  return text;
}

}  // namespace

std::string_view trim_blanks(std::string_view text) {
  while (!text.empty() && is_blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && is_blank(text.back())) text.remove_suffix(1);
  return text;
}

std::optional<float> parse_number(std::string_view text) {
  text = trim_blanks(text);
  const std::size_t comma = text.find(',');
  const std::string_view integer_part = text.substr(0, comma);
  const std::string_view fraction =
      comma == std::string_view::npos ? std::string_view{} : text.substr(comma + 1);

  for (char ch : integer_part)
    if (!is_digit(ch) && ch != '.') return std::nullopt;
  for (char ch : fraction)
    if (!is_digit(ch)) return std::nullopt;  // a second comma, a dot, anything else

  std::string plain;
  if (!read_integer_part(integer_part, plain)) return std::nullopt;
  if (plain.empty() && fraction.empty()) return std::nullopt;  // "", ","
  if (plain.empty()) plain = "0";
  if (!fraction.empty()) {
    plain.push_back('.');
    plain.append(fraction);
  }

  float value = 0;
  const auto result = std::from_chars(plain.data(), plain.data() + plain.size(), value);
  if (result.ptr != plain.data() + plain.size()) return std::nullopt;
  if (result.ec == std::errc::result_out_of_range) {
    // Below the smallest float the nearest float is zero; above the largest there is none.
    const bool whole_part_is_zero = plain.find_first_not_of("0") == plain.find('.');
    if (whole_part_is_zero) return 0.0f;
    return std::nullopt;
  }
  if (result.ec != std::errc{} || !std::isfinite(value)) return std::nullopt;
  return value;
}

std::string general_text(float value) {
  return format_general(value, 7);
}
std::string general_text(double value) {
  return format_general(value, 15);
}

std::optional<double> read_general_text(std::string_view text) {
  std::string plain(text);
  for (char& ch : plain)
    if (ch == ',') ch = '.';
  double value = 0;
  const auto result = std::from_chars(plain.data(), plain.data() + plain.size(), value);
  if (result.ec != std::errc{} || result.ptr != plain.data() + plain.size() || plain.empty())
    return std::nullopt;
  return value;
}

std::optional<std::pair<std::string, std::string>> ambiguous_readings(std::string_view text) {
  text = trim_blanks(text);
  const std::size_t dot = text.find('.');
  const auto digits = [](std::string_view part) {
    return std::all_of(part.begin(), part.end(), is_digit);
  };
  // No thousands are grouped after a leading zero: "0.500" is a half.
  if (dot == std::string_view::npos || dot == 0 || text.front() == '0' || text.size() - dot != 4 ||
      !digits(text.substr(0, dot)) || !digits(text.substr(dot + 1)))
    return std::nullopt;
  const std::string whole(text.substr(0, dot));
  std::string fraction(text.substr(dot + 1));
  fraction.erase(fraction.find_last_not_of('0') + 1);
  return std::pair{whole + std::string(text.substr(dot + 1)),
                   fraction.empty() ? whole : whole + "," + fraction};
}

std::optional<float> typed_number(std::string_view text) {
  if (ambiguous_readings(text)) return std::nullopt;
  // Blanks around the number are keys the window drops without changing it.
  std::string typed(trim_blanks(text));
  for (char& ch : typed) {
    if (ch == '.') ch = ',';
    if (!(ch == ',' || is_digit(ch))) return std::nullopt;
  }
  return parse_number(typed);
}

std::string as_typed_in_window(std::string_view text) {
  std::string typed(text);
  if (typed_number(text) || typed_decimal(text, true))
    for (char& ch : typed)
      if (ch == '.') ch = ',';
  return typed;
}

std::optional<double> typed_decimal(std::string_view text, bool signed_value) {
  text = trim_blanks(text);
  const bool negative = signed_value && !text.empty() && text.front() == '-';
  if (negative) text.remove_prefix(1);
  if (ambiguous_readings(text)) return std::nullopt;
  std::string plain(text);
  std::size_t separators = 0;
  for (char& ch : plain) {
    if (ch == '.' || ch == ',') {
      ch = '.';
      ++separators;
    } else if (!is_digit(ch)) {
      return std::nullopt;
    }
  }
  if (separators > 1 || plain.find_first_of("0123456789") == std::string::npos) return std::nullopt;
  if (plain.front() == '.') plain.insert(plain.begin(), '0');
  double value = 0;
  const auto result = std::from_chars(plain.data(), plain.data() + plain.size(), value);
  if (result.ptr != plain.data() + plain.size()) return std::nullopt;
  if (result.ec == std::errc::result_out_of_range) {
    // Below the smallest double the nearest double is zero; above the largest there is none.
    if (plain.find_first_not_of("0") == plain.find('.')) return negative ? -0.0 : 0.0;
    return std::nullopt;
  }
  if (result.ec != std::errc{} || !std::isfinite(value)) return std::nullopt;
  return negative ? -value : value;
}

std::optional<std::string> spreadsheet_decimal(std::string_view text, bool signed_value) {
  while (!text.empty() && (is_blank(text.front()) || text.front() == '\r' || text.front() == '\n'))
    text.remove_prefix(1);
  while (!text.empty() && (is_blank(text.back()) || text.back() == '\r' || text.back() == '\n'))
    text.remove_suffix(1);
  const bool negative = signed_value && text.starts_with('-');
  if (negative) text.remove_prefix(1);
  const std::size_t comma = text.find(',');
  const std::size_t dots = static_cast<std::size_t>(std::count(text.begin(), text.end(), '.'));
  std::string plain;
  if (dots > 0 && (comma != std::string_view::npos || dots > 1)) {
    // Thousands dots: the groups before the comma, the digits after it.
    if (!read_integer_part(text.substr(0, comma), plain)) return std::nullopt;
    if (comma != std::string_view::npos) plain += ',' + std::string(text.substr(comma + 1));
  } else {
    plain = std::string(text);
    std::replace(plain.begin(), plain.end(), '.', ',');
    if (ambiguous_readings(text)) return std::nullopt;
  }
  if (negative) plain.insert(plain.begin(), '-');
  if (!typed_decimal(plain, signed_value)) return std::nullopt;
  return plain;
}

float truncate_two_decimals(float value) {
  return static_cast<float>(std::floor(static_cast<double>(value) * 100.0) / 100.0);
}

}  // namespace fondara
