#include "core/field_reader.h"

#include "core/messages.h"
#include "core/number_text.h"
#include "core/user_text.h"

namespace fondara {
namespace {

char lower(char ch) {
  return ch >= 'A' && ch <= 'Z' ? static_cast<char>(ch - 'A' + 'a') : ch;
}

bool same_word(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (lower(a[i]) != lower(b[i])) return false;
  return true;
}

}  // namespace

const Field& FieldReader::field(std::string_view name) const {
  const Field* found = find_field(fields_, name);
  if (found == nullptr) programming_error("no field called " + std::string(name));
  return *found;
}

bool FieldReader::given(std::string_view name) const {
  const auto it = texts_.find(name);
  return it != texts_.end() && !trim_blanks(it->second).empty();
}

std::optional<std::string_view> FieldReader::text(std::string_view name) {
  if (problem_) return std::nullopt;
  const Field& entry = field(name);
  if (entry.fallback && !given(name)) return *entry.fallback;
  if (const auto it = texts_.find(name); it != texts_.end()) return it->second;
  refuse(messages::missing_field(name, help_line(entry.text)), entry.text.name);
  return std::nullopt;
}

void FieldReader::refuse(std::string message, std::string_view at) {
  if (!problem_)
    problem_ = Problem{.type = ProblemType::bad_input, .message = std::move(message), .field = at};
}

float FieldReader::number(std::string_view name) {
  const auto given_text = text(name);
  if (!given_text) return 0;
  const auto value =
      source_ == Source::window ? parse_number(*given_text) : typed_number(*given_text);
  if (value) return *value;
  if (const auto readings = ambiguous_readings(*given_text))
    refuse(messages::ambiguous_number(name, safe_quoted(trim_blanks(*given_text)), readings->first,
                                      readings->second),
           field(name).text.name);
  else
    refuse(messages::not_a_number(name, safe_quoted(*given_text)), field(name).text.name);
  return 0;
}

double FieldReader::decimal(std::string_view name, bool signed_value) {
  const auto given_text = text(name);
  if (!given_text) return 0;
  if (const auto value = typed_decimal(*given_text, signed_value)) return *value;
  const std::string_view shown = trim_blanks(*given_text);
  const auto readings =
      ambiguous_readings(signed_value && shown.starts_with('-') ? shown.substr(1) : shown);
  if (readings)
    refuse(messages::ambiguous_number(name, safe_quoted(shown), readings->first, readings->second),
           field(name).text.name);
  else
    refuse(messages::not_a_number(name, safe_quoted(*given_text)), field(name).text.name);
  return 0;
}

std::size_t FieldReader::choice(std::string_view name) {
  const auto given_text = text(name);
  if (!given_text) return 0;
  const std::string_view word = trim_blanks(*given_text);
  const std::span<const Choice> choices = field(name).choices;
  for (std::size_t i = 0; i < choices.size(); ++i)
    if (same_word(word, choices[i].code)) return i;
  const auto code = [](const Choice& choice) { return choice.code; };
  refuse(messages::refused_choice(name, alternatives(choices, code), safe_quoted(word)),
         field(name).text.name);
  return 0;
}

std::string FieldReader::description(std::string_view name) {
  const auto given_text = text(name);
  if (!given_text) return {};
  if (source_ == Source::terminal) {
    if (auto checked = check_description(*given_text); !checked)
      refuse(checked.error(), field(name).text.name);
  }
  return std::string(*given_text);
}

}  // namespace fondara
