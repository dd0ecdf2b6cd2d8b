// The verification kind: design loads with eccentricity and inclination checked against the
// bearing and sliding resistances of a partial-factor set (Ed ≤ Rd). Its fields and result
// columns, described once, and the reading of its texts into a footing and load combinations.
#pragma once

#include <memory>
#include <span>
#include <string>
#include <vector>

#include "core/field_reader.h"
#include "core/kind.h"
#include "verifica/verification.h"

namespace fondara::verifica {

const Kind& verifica_kind();

// The project the footing belongs to, for the report's title block; each may be empty (data:
// the report's date, today when empty).
struct Project {
  std::string opera, committente, progettista, elemento, data;
};

// One footing's calculation as typed results: the footing, the actions and every check, with
// the description and the texts they were read from (for the rows of a table of checks), and the
// project for the typeset report.
struct FootingCalculation {
  Footing footing;
  std::vector<Action> actions;
  FootingChecks checks;
  std::string description;
  FieldTexts texts;  // the footing's fields as given
  Project project;
};

// The typed results of the data, or the problem that stops them. A refused check is a result.
Outcome<FootingCalculation, Problem> calculate_footing(const CalculationData& data);

// The kind's calculation of typed results: the result columns, the rows of the checks, the
// closing lines and the reports.
Calculation calculation_of(const std::shared_ptr<const FootingCalculation>& calculation);

// The footing and soil of a reader's texts; the reader keeps the first problem.
Footing read_footing(FieldReader& read);

// The loads of one combination; N is required, the others are 0 when not given, the situation
// static.
LoadCombination read_loads(FieldReader& read);

// One characteristic action from the texts of its fields (the kind's action_fields).
Action read_action(FieldReader& read);

// The input rule that the data break, as the problem a window or the terminal shows: a
// combination's numbered when there are `typed` > 1 combinations, an action's always.
Problem input_problem(const InputFault& fault, std::size_t typed);

}  // namespace fondara::verifica
