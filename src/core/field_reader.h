// Reading a kind's fields from their texts, by name, into the values its calculation
// takes. Every kind's compute reads through one FieldReader; the first problem met
// (a missing field, a value that is not a number, an unknown choice, a description
// that cannot be reported) is kept, and every later read gives a neutral value, so a
// kind reads all its fields and then asks once whether a problem stopped it.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "core/kind.h"

namespace fondara {

class FieldReader {
 public:
  FieldReader(std::span<const Field> fields, const FieldTexts& texts, Source source)
      : fields_(fields), texts_(texts), source_(source) {}
  // The reader keeps a reference to the texts: they must outlive it.
  FieldReader(std::span<const Field>, FieldTexts&&, Source) = delete;

  // A number of the bearing-pressure kinds, stored as a float: from a window as its
  // field holds it (thousands dots allowed), from the terminal as typed keys.
  float number(std::string_view name);
  // A decimal number of the verification kind, in double; a minus sign where allowed.
  double decimal(std::string_view name, bool signed_value = false);
  // The index of the choice given, in the field's list of choices.
  std::size_t choice(std::string_view name);
  // The description: any text from a window, one reportable line from the terminal.
  std::string description(std::string_view name = "descrizione");

  // Whether the field was given a text that is not blank; an optional field not given
  // takes its fallback.
  bool given(std::string_view name) const;

  // Records a problem found by the kind itself (a value outside its rule) in the field named
  // `at`, unless an earlier one stands.
  void refuse(std::string message, std::string_view at = {});

  const std::optional<Problem>& problem() const { return problem_; }

 private:
  const Field& field(std::string_view name) const;
  // The field's text, its fallback when it has one and was not given, or nothing
  // (with the problem recorded) when a required field is missing.
  std::optional<std::string_view> text(std::string_view name);

  std::span<const Field> fields_;
  const FieldTexts& texts_;
  Source source_;
  std::optional<Problem> problem_;
};

}  // namespace fondara
