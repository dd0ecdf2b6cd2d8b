#include "core/kind.h"

namespace fondara {
namespace {

// The meaning with its first letter in capitals; the meanings start with ASCII letters.
std::string capitalised(std::string_view meaning) {
  std::string text(meaning);
  if (!text.empty() && text.front() >= 'a' && text.front() <= 'z') text.front() -= 'a' - 'A';
  return text;
}

}  // namespace

std::string spoken_name(const FieldText& text) {
  std::string spoken = capitalised(text.meaning);
  if (!text.symbol.empty()) spoken += ' ' + std::string(text.symbol);
  if (!text.unit.empty()) spoken += " (" + std::string(text.unit) + ')';
  return spoken;
}

std::string help_line(const FieldText& text) {
  std::string line(text.meaning);
  if (!text.symbol.empty()) line = std::string(text.symbol) + ", " + line;
  if (!text.unit.empty()) line += " (" + std::string(text.unit) + ')';
  if (!text.note.empty()) line += ", " + std::string(text.note);
  return line;
}

Problem length_below_width() {
  return {ProblemType::not_computable,
          failure_message(Failure::lunghezza_minore),
          {"lunghezza", "larghezza"}};
}

}  // namespace fondara
