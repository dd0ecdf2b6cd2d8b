// The fields of a calculation window, each described once.
//
// One table per window names every input: the window builds its row labels and its
// screen-reader names from it and reads its numbers by name into the calculation's
// inputs; fondara-calc takes the same names as arguments and CSV columns and explains
// them in --help. A second table does the same for the result boxes.
#pragma once

#include <cstdlib>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace fondara {

// What a field or result box means, in the words of its window.
struct FieldText {
  std::string_view name;       // fondara-calc's name: field argument or CSV column
  std::string_view control;    // the window's objectName (empty: no control of its own)
  std::string_view symbol;     // "L", "φ'", "γR"; empty for the description
  std::string_view meaning;    // lower case: "lunghezza della fondazione"
  std::string_view unit;       // empty for pure numbers
  std::string_view note = {};  // more help for fondara-calc --help, or empty
};

// The name a screen reader speaks: "Lunghezza della fondazione L (m)".
std::string spoken_name(const FieldText& text);

// One line of --help: "L, lunghezza della fondazione (m), non maggiore di L".
std::string help_line(const FieldText& text);

// How a field's text is read.
enum class FieldKind { number, water_table, text };

// An input of the calculation whose inputs are `Inputs`.
template <typename Inputs>
struct InputField {
  FieldText text;
  FieldKind kind = FieldKind::number;
  std::string_view label = {};                    // the window's caption of the field's row
  float Inputs::*number = nullptr;                // FieldKind::number: where the value goes
  bool Inputs::*flag = nullptr;                   // FieldKind::water_table
  std::optional<std::string_view> fallback = {};  // fondara-calc: optional, with this text
};

// A result box, whose text comes from the calculation's `Texts`.
template <typename Texts>
struct ResultField {
  FieldText text;
  std::string Texts::*shown = nullptr;
};

// The entry called `name` (fondara-calc's name), or null.
template <typename Entry>
const Entry* find_field(std::span<const Entry> table, std::string_view name) {
  for (const Entry& entry : table)
    if (entry.text.name == name) return &entry;
  return nullptr;
}

// The entry whose control is `control`; the tables are fixed, so a missing one is a
// programming error.
template <typename Entry>
const Entry& field_of_control(std::span<const Entry> table, std::string_view control) {
  for (const Entry& entry : table)
    if (entry.text.control == control) return entry;
  std::abort();
}

}  // namespace fondara
