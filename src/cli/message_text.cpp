#include "cli/message_text.h"

#include <cstdio>

#include "report/file_writer.h"

namespace fondara::cli {
namespace {

// Characters of the user's text shown before the cut.
constexpr std::size_t kShownCharacters = 60;

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";  // U+FFFD

struct CodePoint {
  char32_t value;
  std::size_t length;  // 0 when the bytes are not valid UTF-8
};

// The code point at the start of `text`, refusing overlong forms and surrogates.
CodePoint decode(std::string_view text) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = byte(0);
  if (lead < 0x80) return {lead, 1};
  // Lead byte: the sequence's length, the value bits it carries, the least value that
  // needs that length (anything less is an overlong form).
  struct Lead {
    unsigned char first, last;
    std::size_t length;
    unsigned mask;
    char32_t lowest;
  };
  constexpr Lead kLeads[] = {
      {0xC2, 0xDF, 2, 0x1F, 0x80}, {0xE0, 0xEF, 3, 0x0F, 0x800}, {0xF0, 0xF4, 4, 0x07, 0x10000}};
  const Lead* kind = nullptr;
  for (const Lead& candidate : kLeads)
    if (lead >= candidate.first && lead <= candidate.last) kind = &candidate;
  if (!kind) return {0, 0};
  const std::size_t length = kind->length;
  const char32_t lowest = kind->lowest;
  char32_t value = lead & kind->mask;
  if (text.size() < length) return {0, 0};
  for (std::size_t i = 1; i < length; ++i) {
    if ((byte(i) & 0xC0) != 0x80) return {0, 0};
    value = (value << 6) | (byte(i) & 0x3Fu);
  }
  if (value < lowest || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) return {0, 0};
  return {value, length};
}

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
    const CodePoint point = decode(text);
    if (point.length == 0) {
      shown += kReplacement;
      text.remove_prefix(1);
      continue;
    }
    if (acts_on_terminal(point.value))
      shown += escaped(point.value);
    else
      shown += text.substr(0, point.length);
    text.remove_prefix(point.length);
  }
  return shown + "\"";
}

}  // namespace fondara::cli

namespace fondara::cli {

std::string write_failure(std::string_view path, int error_number) {
  const std::string target =
      path == standard_stream ? "sullo standard output" : "il file " + safe_quoted(path);
  return "Impossibile scrivere " + target + ": " + files::cause_text(error_number) + ".";
}

std::string read_failure(std::string_view path, int error_number) {
  const std::string source =
      path == standard_stream ? "lo standard input" : "il file " + safe_quoted(path);
  return "Impossibile leggere " + source + ": " +
         files::cause_text(error_number, files::Access::read) + ".";
}

int fail(int err, int code, const std::string& message) {
  // Nothing is left to report a failure of standard error to.
  const int ignored = files::write_all(err, "fondara-calc: " + message + "\n");
  static_cast<void>(ignored);
  return code;
}

}  // namespace fondara::cli
