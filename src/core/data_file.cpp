#include "core/data_file.h"

#include <charconv>
#include <optional>
#include <set>

#include "core/messages.h"
#include "core/number_text.h"
#include "core/user_text.h"
#include "core/utf8.h"

namespace fondara {
namespace {

constexpr std::string_view kKindName = "tipo";
constexpr std::string_view kCombinationName = "combinazione";
constexpr std::string_view kActionName = "azione";
constexpr std::string_view kSourceName = "origine";
constexpr std::string_view kWindowSource = "finestra";
constexpr std::string_view kTerminalSource = "terminale";
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// The per-combination fields of the kind that a file of `version` holds.
std::vector<const Field*> combination_fields(const Kind& kind, int version) {
  std::vector<const Field*> fields;
  for (const Field& field : kind.fields)
    if (field.per_combination && field.since <= version) fields.push_back(&field);
  return fields;
}

// Whether `text` asks for something that version 1 of the file does not hold: a later field
// given, or a later choice taken.
bool later_than_first(const Field& field, std::string_view text) {
  if (trim_blanks(text).empty()) return false;
  if (field.since > 1) return true;
  for (const Choice& choice : field.choices)
    if (choice.since > 1 && trim_blanks(text) == choice.code) return true;
  return false;
}

bool later_than_first(const Kind& kind, const FieldTexts& texts) {
  for (const auto& [name, text] : texts)
    if (const Field* field = find_field(kind.fields, name); field && later_than_first(*field, text))
      return true;
  return false;
}

// The earliest version of the file that holds the data.
int version_of(const CalculationData& data) {
  if (!data.actions.empty() || later_than_first(*data.kind, data.texts)) return 2;
  for (const FieldTexts& combination : data.combinations)
    if (later_than_first(*data.kind, combination)) return 2;
  return 1;
}

// A value with the backslash, the line breaks and, in a combination, the semicolon escaped.
std::string escaped(std::string_view value, bool in_combination) {
  std::string text;
  for (char ch : value) {
    if (ch == '\\')
      text += "\\\\";
    else if (ch == '\n')
      text += "\\n";
    else if (ch == '\r')
      text += "\\r";
    else if (ch == ';' && in_combination)
      text += "\\;";
    else
      text += ch;
  }
  return text;
}

// The values of a line split at unescaped semicolons (one value when `split` is false),
// unescaped; nothing when an escape is not one of ours.
std::optional<std::vector<std::string>> unescaped(std::string_view text, bool split) {
  std::vector<std::string> values(1);
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char ch = text[i];
    if (ch == ';' && split) {
      values.emplace_back();
    } else if (ch != '\\') {
      values.back() += ch;
    } else {
      if (++i == text.size()) return std::nullopt;
      switch (text[i]) {
        case '\\':
          values.back() += '\\';
          break;
        case 'n':
          values.back() += '\n';
          break;
        case 'r':
          values.back() += '\r';
          break;
        case ';':
          values.back() += ';';
          break;
        default:
          return std::nullopt;
      }
    }
  }
  return values;
}

// "name;name;..." of the fields, after the line's name, as the comment above such lines.
std::string names_line(std::string_view line_name, const std::vector<const Field*>& fields) {
  std::string text = "# " + std::string(line_name) + '=';
  for (std::size_t i = 0; i < fields.size(); ++i)
    text += (i > 0 ? ";" : "") + std::string(fields[i]->text.name);
  return text + '\n';
}

// A line of values, one per field, escaped and separated by semicolons.
std::string values_line(std::string_view line_name, const std::vector<const Field*>& fields,
                        const FieldTexts& values) {
  std::string text = std::string(line_name) + '=';
  for (std::size_t i = 0; i < fields.size(); ++i) {
    const auto it = values.find(fields[i]->text.name);
    if (i > 0) text += ';';
    if (it != values.end()) text += escaped(it->second, true);
  }
  return text + '\n';
}

// The number of the first line that is not UTF-8 text (malformed, NUL or another control
// character than the tab and the line ends), or 0.
std::size_t first_binary_line(std::string_view text) {
  std::size_t line = 1;
  for (std::size_t pos = 0; pos < text.size();) {
    const auto code = decode_utf8(text, pos);
    if (!code) return line;
    if (*code == '\n')
      ++line;
    else if ((*code < 0x20 && *code != '\t' && *code != '\r') || *code == 0x7F)
      return line;
  }
  return 0;
}

// The format's version named by the first line, or nothing when it names no Fondara data.
std::optional<int> format_version(std::string_view first) {
  if (!first.starts_with(kDataFileFormat)) return std::nullopt;
  first.remove_prefix(kDataFileFormat.size());
  if (first.empty() || first.front() != ' ') return std::nullopt;
  first = trim_blanks(first);
  int version = 0;
  const auto [end, error] = std::from_chars(first.data(), first.data() + first.size(), version);
  if (error != std::errc{} || end != first.data() + first.size() || version < 1)
    return std::nullopt;
  return version;
}

// What the first line of a file that is not ours suggests it is.
std::string not_data_cause(std::string_view first) {
  return messages::not_data(first.starts_with("PROGRAMMA: FONDARA"));
}

class Reader {
 public:
  explicit Reader(std::span<const Kind* const> kinds) : kinds_(kinds) {}

  Outcome<CalculationData, DataFileError> read(std::string_view text) {
    if (text.size() > kDataFileMaxBytes)
      return Failed{DataFileError{messages::too_large(kDataFileMaxBytes / (1024 * 1024)), 0}};
    if (text.starts_with(kByteOrderMark)) text.remove_prefix(kByteOrderMark.size());
    // First what the file is: a report in Windows-1252 is no UTF-8 text, but is named so.
    const std::string_view first = line_at(text, 0);
    const auto version = format_version(first);
    if (!version) return Failed{DataFileError{not_data_cause(first), 0}};
    if (const std::size_t line = first_binary_line(text))
      return Failed{DataFileError{std::string(messages::not_text), line}};
    if (*version > kDataFileVersion)
      return Failed{DataFileError{messages::later_version(*version), 1}};
    if (!text.ends_with('\n'))
      return Failed{DataFileError{std::string(messages::truncated), count_lines(text)}};

    std::size_t number = 1;
    for (std::size_t start = first.size() + 1; start < text.size(); ++number) {
      const std::string_view line = line_at(text, start);
      start += line.size() + 1;
      if (auto error = read_line(line, number + 1)) return Failed{*std::move(error)};
    }
    if (auto error = complete()) return Failed{*std::move(error)};
    return std::move(data_);
  }

 private:
  // The line that starts at `start`, without its line end.
  static std::string_view line_at(std::string_view text, std::size_t start) {
    std::string_view line = text.substr(start, text.find('\n', start) - start);
    if (line.ends_with('\r')) line.remove_suffix(1);
    return line;
  }

  static std::size_t count_lines(std::string_view text) {
    std::size_t lines = 1;
    for (char ch : text) lines += ch == '\n';
    return lines;
  }

  std::optional<DataFileError> read_line(std::string_view line, std::size_t number) {
    const std::string_view content = trim_blanks(line);
    if (content.empty() || content.front() == '#') return std::nullopt;
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos)
      return DataFileError{std::string(messages::not_name_value), number};
    const std::string name(trim_blanks(line.substr(0, equals)));
    const std::string_view value = line.substr(equals + 1);
    if (name == kKindName) return read_kind(trim_blanks(value), number);
    if (name == kSourceName) return read_source(trim_blanks(value), number);
    if (data_.kind == nullptr)
      return DataFileError{messages::line_missing(kKindName, true), number};
    if (name == kCombinationName && has_combinations(*data_.kind))
      return read_combination(value, number);
    if (name == kActionName && !data_.kind->action_fields.empty())
      return read_action(value, number);
    const Field* field = find_field(data_.kind->fields, name);
    if (field == nullptr || field->per_combination)
      return DataFileError{messages::unknown_name(safe_quoted(name), data_.kind->name), number};
    const auto values = unescaped(value, false);
    if (!values) return DataFileError{std::string(messages::bad_escape), number};
    if (!data_.texts.emplace(name, values->front()).second)
      return DataFileError{messages::field_repeated(name), number};
    data_.lines.emplace(name, number);
    return std::nullopt;
  }

  std::optional<DataFileError> read_kind(std::string_view name, std::size_t number) {
    if (data_.kind != nullptr) return DataFileError{messages::line_repeated(kKindName), number};
    for (const Kind* kind : kinds_)
      if (kind->name == name) data_.kind = kind;
    if (data_.kind == nullptr)
      return DataFileError{messages::unknown_kind(safe_quoted(name)), number};
    return std::nullopt;
  }

  std::optional<DataFileError> read_source(std::string_view value, std::size_t number) {
    if (source_given_) return DataFileError{messages::line_repeated(kSourceName), number};
    source_given_ = true;
    if (value == kWindowSource)
      data_.source = Source::window;
    else if (value == kTerminalSource)
      data_.source = Source::terminal;
    else
      return DataFileError{
          messages::unknown_source(safe_quoted(value), kWindowSource, kTerminalSource), number};
    return std::nullopt;
  }

  // A combination line holds the fields of version 1 and may hold the later ones.
  std::optional<DataFileError> read_combination(std::string_view value, std::size_t number) {
    const auto values = unescaped(value, true);
    if (!values) return DataFileError{std::string(messages::bad_escape), number};
    const auto first = combination_fields(*data_.kind, 1);
    const auto fields = combination_fields(*data_.kind, kDataFileVersion);
    if (values->size() < first.size() || values->size() > fields.size())
      return DataFileError{messages::combination_size(values->size(), first.size(), fields.size()),
                           number};
    data_.combinations.push_back(named(fields, *values));
    data_.combination_lines.push_back(number);
    return std::nullopt;
  }

  std::optional<DataFileError> read_action(std::string_view value, std::size_t number) {
    const auto values = unescaped(value, true);
    if (!values) return DataFileError{std::string(messages::bad_escape), number};
    std::vector<const Field*> fields;
    for (const Field& field : data_.kind->action_fields) fields.push_back(&field);
    if (values->size() != fields.size())
      return DataFileError{messages::action_size(values->size(), fields.size()), number};
    data_.actions.push_back(named(fields, *values));
    data_.action_lines.push_back(number);
    return std::nullopt;
  }

  // The values given to the first fields, by the fields' names.
  static FieldTexts named(const std::vector<const Field*>& fields,
                          const std::vector<std::string>& values) {
    FieldTexts texts;
    for (std::size_t i = 0; i < values.size(); ++i) texts.emplace(fields[i]->text.name, values[i]);
    return texts;
  }

  // Every required field given, and a combination for a kind that has them.
  std::optional<DataFileError> complete() const {
    if (data_.kind == nullptr) return DataFileError{messages::line_missing(kKindName)};
    for (const Field& field : data_.kind->fields)
      if (!field.per_combination && !field.fallback && !data_.texts.contains(field.text.name))
        return DataFileError{messages::field_missing(field.text.name)};
    if (has_combinations(*data_.kind) && data_.combinations.empty() && data_.actions.empty())
      return DataFileError{messages::line_missing(kCombinationName)};
    return std::nullopt;
  }

  std::span<const Kind* const> kinds_;
  CalculationData data_;
  bool source_given_ = false;
};

}  // namespace

std::string data_file_text(const CalculationData& data) {
  const int version = version_of(data);
  std::string text = std::string(kDataFileFormat) + ' ' + std::to_string(version) + '\n';
  text += "# Fondara: dati del calcolo, un campo per riga come digitato (nome=valore).\n";
  text += std::string(kKindName) + '=' + std::string(data.kind->name) + '\n';
  text += std::string(kSourceName) + '=' +
          std::string(data.source == Source::window ? kWindowSource : kTerminalSource) + '\n';
  for (const Field& field : data.kind->fields) {
    if (field.per_combination || field.since > version) continue;
    const auto it = data.texts.find(field.text.name);
    const std::string_view value = it == data.texts.end() ? std::string_view() : it->second;
    text += std::string(field.text.name) + '=' + escaped(value, false) + '\n';
  }
  if (!data.actions.empty()) {
    std::vector<const Field*> fields;
    for (const Field& field : data.kind->action_fields) fields.push_back(&field);
    text += names_line(kActionName, fields);
    for (const FieldTexts& action : data.actions) text += values_line(kActionName, fields, action);
  }
  const auto fields = combination_fields(*data.kind, version);
  if (fields.empty() || data.combinations.empty()) return text;
  text += names_line(kCombinationName, fields);
  for (const FieldTexts& combination : data.combinations)
    text += values_line(kCombinationName, fields, combination);
  return text;
}

Outcome<CalculationData, DataFileError> read_data_file(std::string_view text,
                                                       std::span<const Kind* const> kinds) {
  return Reader(kinds).read(text);
}

std::size_t line_of(const CalculationData& data, std::string_view field, std::size_t combination,
                    std::size_t action) {
  if (action > 0 && action <= data.action_lines.size()) return data.action_lines[action - 1];
  if (combination > 0 && combination <= data.combination_lines.size())
    return data.combination_lines[combination - 1];
  if (const auto found = data.lines.find(field); found != data.lines.end()) return found->second;
  return 0;
}

}  // namespace fondara
