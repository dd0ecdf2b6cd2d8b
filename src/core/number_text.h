// Italian number texts shared by the fields, Calculate, the reports and fondara-calc.
//
// Text to number: the Italian convention (comma as decimal separator, dot only as
// thousands separator between groups of three digits). General number text: up to
// 7 significant digits for a float and 15 for a double, comma as decimal separator.
// Everything here is independent of the process locale.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace fondara {

// The text without the blanks and tabs around it.
std::string_view trim_blanks(std::string_view text);

// Reads a numeric text whole: optional blanks around, digits, at most one comma,
// at least one digit, dots only between thousands groups before the comma
// ("1.000,5"). Returns the float nearest to the decimal value, or nothing when the
// text is not numeric (empty, a lone comma, a sign, an exponent, any other
// character, a misplaced dot, a value beyond the float range).
std::optional<float> parse_number(std::string_view text);

// General number text: rounded to 7 (float) or 15 (double) significant digits,
// trailing zeros dropped, "0" before the comma below 1, minus sign, no blanks.
// Magnitudes of 10^precision and above, or below 10^-4, take the exponent form
// "1,234568E+08" / "1,5E-05" (mantissa in the same style, at least two exponent
// digits), the only way to write them with that many significant digits.
std::string general_text(float value);
std::string general_text(double value);

// Reads back a text written by general_text (either precision) as a double.
std::optional<double> read_general_text(std::string_view text);

// The text of a field as the keys typed into a window's field would leave it: digits
// and one decimal comma, a full stop read as the comma, blanks around ignored. The
// float, or nothing when the text is not numeric or ambiguous (see below). Characters
// that the field's key filter would drop (signs, letters, inner blanks) make the text
// not numeric instead of vanishing, so "-5" is refused rather than read as 5.
std::optional<float> typed_number(std::string_view text);

// The same for the decimal numbers of the verification kind, read into a double; with
// `signed_value` a leading minus sign is allowed.
std::optional<double> typed_decimal(std::string_view text, bool signed_value = false);

// A number copied from a spreadsheet, in the form the verification window's cells keep it:
// blanks and line ends around removed, a decimal point written as the comma, and thousands
// dots dropped where they cannot be a decimal point: before a decimal comma ("1.234,5" is
// 1234,5) or several of them ("1.234.567"). Nothing when the text is not such a number, or
// when a lone dot may be either (ambiguous_readings).
std::optional<std::string> spreadsheet_decimal(std::string_view text, bool signed_value = false);

// A number typed at the terminal as the same keys typed into a window's field leave it: the
// full stop becomes the comma, as the field's key filter makes it. Other texts unchanged.
std::string as_typed_in_window(std::string_view text);

// A number whose only dot is followed by exactly three digits (1.800) reads as a
// thousands group to an Italian eye but as a decimal point to the window's keys: both
// readings ("1800", "1,8") for the message that refuses it, nothing for other texts.
std::optional<std::pair<std::string, std::string>> ambiguous_readings(std::string_view text);

// Two-decimal truncation: floor(x * 100) / 100, product and floor in double from
// the float, quotient rounded back to float. 3.2999999 becomes 3.29.
float truncate_two_decimals(float value);

}  // namespace fondara
