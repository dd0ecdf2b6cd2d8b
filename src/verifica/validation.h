// The program's validation cases: published values and values by formula that the verification
// must reproduce, each with its source and tolerance, kept as data and recomputed through verify()
// whenever a report is written (NTC 2018 §10.2: test cases fully solved, with the input files to
// reproduce them). The same cases ship as data files (packaging/validazione), named by `file`.
#pragma once

#include <span>
#include <string_view>
#include <vector>

#include "verifica/verification.h"

namespace fondara::verifica {

// One published value of a case and how it is read from the check.
struct ValidationValue {
  std::string_view symbol;  // with "_{...}" subscripts: "N_{q}", "R/A'"
  double published;
  double tolerance;  // the largest difference accepted, in the value's unit
  int decimals;      // of the published, computed and difference texts
  double (*computed)(const Verification& check);
};

struct ValidationCase {
  std::string_view name;    // "Fattori di capacità portante, φ' = 30°"
  std::string_view source;  // the publication, or the formula's authors
  std::string_view file;    // the data file that reproduces it
  Footing footing;
  Condition condition;
  LoadCombination loads;
  std::span<const ValidationValue> values;
};

// The cases of the program, in the order of the report.
std::span<const ValidationCase> validation_cases();

// One value recomputed: none when the check was refused.
struct ValidationResult {
  const ValidationCase* from;
  const ValidationValue* value;
  std::optional<double> computed;
  // |computed − published| ≤ tolerance; a refused check is outside.
  bool within() const;
};

// Every value of `cases` recomputed, in order.
std::vector<ValidationResult> recompute(std::span<const ValidationCase> cases);

}  // namespace fondara::verifica
