// A calculation kind, described once.
//
// Each kind (undrained, drained, the verification) exports one Kind: its name, the
// title of its reports, its fields, its result columns and the function from the
// fields' texts to its results and reports, or to the problem that stops it (the
// L < B rule included). The windows build their captions, screen-reader names and
// result boxes from it; fondara-calc takes its names as arguments and CSV columns,
// explains them in --help and shows the results with their captions; the data files
// name the fields by it. Nothing outside a kind's folder knows what a kind computes.
#pragma once

#include <functional>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/document.h"
#include "core/outcome.h"
#include "core/report.h"

namespace fondara {

// What a field or a result means, in the words of its window.
struct FieldText {
  std::string_view name;       // fondara-calc's name: field argument, CSV column, data file
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
enum class FieldType {
  number,  // a number in the Italian convention
  choice,  // one of the field's choices (SI or NO, a set of partial factors)
  text,    // free text on one line: the description
};

// One word a choice field takes, and what it means (for --help and the windows).
struct Choice {
  std::string_view code;
  std::string_view words = {};
  int since = 1;  // the data file's version that brought the choice
};

struct Field {
  FieldText text;
  FieldType type = FieldType::number;
  // Optional fields: the text they take when not given or given empty.
  std::optional<std::string_view> fallback = {};
  std::string_view label = {};  // the caption of the field's row, where the window has one
  std::span<const Choice> choices = {};
  bool per_combination = false;  // one value for each load combination
  // The data file's version that brought the field: a file that gives none of the later
  // fields is written in the earlier version, and in a CSV of results the later fields'
  // echoes follow the columns of the earlier version.
  int since = 1;
  // A field of the project (work, client, designer...) for the report's title block: kept in
  // the data file and given at the terminal, but not a column of a CSV batch.
  bool project = false;
};

struct ResultField {
  FieldText text;
  // The result's caption in its window, which the terminal's line repeats ("NY =");
  // empty: the terminal does not show it.
  std::string_view caption = {};
  std::string_view line_unit = {};  // after the value on the terminal's line
  int since = 1;                    // as Field::since: later columns follow the earlier ones
};

// The entry called `name` in a table, or null.
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
  programming_error("no field for the control " + std::string(control));
}

// Field name to its text as given; an absent optional field takes its fallback.
using FieldTexts = std::map<std::string, std::string, std::less<>>;

// Where the texts come from: a window's fields (validated as they are typed, numbers
// with thousands dots) or the terminal (numbers as typed keys, the description checked).
enum class Source { window, terminal };

// Why a calculation gave no results.
enum class ProblemType {
  bad_input,       // a missing field, a malformed value, a value outside its rule
  not_computable,  // data the calculation refuses or cannot complete
};

struct Problem {
  ProblemType type;
  std::string message;  // Italian, one line
  // The fields a window empties after the message (L and B when L < B).
  std::vector<std::string_view> emptied = {};
  // The field whose text was refused (empty when the problem is not one field's) and where it
  // is: the load combination or the action it belongs to, counted from 1 (0: a field of the
  // calculation itself). A data file's message names its line; a window puts the focus there.
  std::string_view field = {};
  std::size_t combination = 0;
  std::size_t action = 0;
};

struct Kind;

// What a calculation is given: the fields' texts and, for a kind with load combinations and
// actions, the per-combination fields of each combination and the fields of each action.
struct CalculationData {
  const Kind* kind = nullptr;
  // Where the texts were typed, whose rules read them.
  Source source = Source::terminal;
  // The fields that are not per combination, the description included.
  FieldTexts texts = {};
  std::vector<FieldTexts> combinations = {};
  std::vector<FieldTexts> actions = {};
  // One check only (a row of a CSV batch): a calculation that would make several is refused.
  bool one_check = false;
  // Read from a file: the line of each field given, of each combination and of each action, for
  // messages.
  std::map<std::string, std::size_t, std::less<>> lines = {};
  std::vector<std::size_t> combination_lines = {};
  std::vector<std::size_t> action_lines = {};
};

// One check of a kind that makes several (the verification), as the terminal shows it and a
// table of checks writes it.
struct CheckRow {
  std::string title;                 // "Combinazione 3 (generata, sismica), condizioni drenate"
  std::size_t combination;           // counted from 1
  std::string_view origin;           // "digitata" or "generata"
  std::string_view condition;        // the condition's code, as a field takes it
  FieldTexts inputs;                 // the check's fields, as one row of a CSV batch gives them
  std::vector<std::string> results;  // the result columns, in the order of the kind's results
  std::string error;                 // why the check was refused; empty when it was computed
};

// One completed calculation: the texts of its result columns (those of its first check), in the
// order of the kind's results, the description it was given, and its reports with a description
// (a window reports the description its box holds when the report is made).
struct Calculation {
  std::vector<std::string> results;
  std::string description;
  std::function<ReportOutcome(Version, std::string_view description)> report;
  // A report too long to hold whole (a footing of thousands of checks): made and given to `take`
  // part by part, the parts in order making `report`'s statements. None: `report` alone.
  std::function<Outcome<Done, Failure>(Version, std::string_view description,
                                       const std::function<void(Report&& part)>& take)>
      report_parts = {};
  // A kind that makes several checks: how many, each one's row (made when asked for: a footing
  // may have thousands), the closing lines (the governing check, the verdict) and whether a
  // check was refused. None: the one check of `results`.
  std::size_t checks = 0;
  std::function<CheckRow(std::size_t index)> check = {};
  std::vector<std::string> summary = {};
  bool refused = false;
  // A kind whose report is typeset: its document with a description, which the PDF/A file, the
  // printer and the ODT file render. None: they take the printed report's statements.
  std::function<Document(std::string_view description)> document = {};
};

using CalculationOutcome = Outcome<Calculation, Problem>;

struct Kind {
  std::string_view name;     // fondara-calc's name: "coesivi"
  std::string_view summary;  // for --help: "terreni argillosi, ... (condizioni non drenate)"
  std::string_view title;    // in the reports' document title: "terreni coesivi"
  std::span<const Field> fields;
  std::span<const ResultField> results;
  CalculationOutcome (*calculate)(const CalculationData& data);
  // The fields of one characteristic action, for a kind that generates combinations from them.
  std::span<const Field> action_fields = {};
  // More for --help after the kind's fields: what its inputs mean, its exit codes; or empty.
  std::string_view help = {};

  // One calculation from all the fields' texts (a command line, a CSV row): the per-combination
  // fields make its one combination.
  CalculationOutcome compute(const FieldTexts& texts, Source source) const;
};

// Gives `take` the calculation's report of `version` part by part, or whole in one part when
// the kind makes it whole; the cause when it cannot be prepared.
Outcome<Done, Failure> each_report_part(const Calculation& calculation, Version version,
                                        std::string_view description,
                                        const std::function<void(Report&& part)>& take);

// The data of one calculation given all its fields at once (a command line, a CSV row).
CalculationData single_calculation(const Kind& kind, Source source, const FieldTexts& texts);

// Whether the kind has per-combination fields.
bool has_combinations(const Kind& kind);

// The text a field echoes for `texts` in a row of results: its own, or its fallback when it
// is optional and not given.
std::string_view echoed(const Field& field, const FieldTexts& texts);

// The problem of a length below the width: the message the windows show, L and B emptied.
Problem length_below_width();

}  // namespace fondara
