#include "core/kind.h"

#include "core/number_text.h"

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

CalculationOutcome Kind::compute(const FieldTexts& texts, Source source) const {
  return calculate(single_calculation(*this, source, texts));
}

bool has_combinations(const Kind& kind) {
  for (const Field& field : kind.fields)
    if (field.per_combination) return true;
  return false;
}

CalculationData single_calculation(const Kind& kind, Source source, const FieldTexts& texts) {
  CalculationData data{.kind = &kind, .source = source};
  FieldTexts loads;
  for (const auto& [name, text] : texts) {
    const Field* field = find_field(kind.fields, name);
    (field != nullptr && field->per_combination ? loads : data.texts).emplace(name, text);
  }
  if (has_combinations(kind)) data.combinations.push_back(std::move(loads));
  return data;
}

std::string_view echoed(const Field& field, const FieldTexts& texts) {
  const auto it = texts.find(field.text.name);
  const std::string_view text = it == texts.end() ? std::string_view() : it->second;
  if (field.fallback && trim_blanks(text).empty()) return *field.fallback;
  return text;
}

Outcome<Done, Failure> each_report_part(const Calculation& calculation, Version version,
                                        std::string_view description,
                                        const std::function<void(Report&& part)>& take) {
  if (calculation.report_parts) return calculation.report_parts(version, description, take);
  ReportOutcome whole = calculation.report(version, description);
  if (!whole) return Failed{whole.error()};
  take(*std::move(whole));
  return Done{};
}

Problem length_below_width() {
  return {ProblemType::not_computable,
          failure_message(Failure::lunghezza_minore),
          {"lunghezza", "larghezza"}};
}

}  // namespace fondara
