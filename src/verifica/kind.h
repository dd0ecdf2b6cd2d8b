// The verification kind: design loads with eccentricity and inclination checked against the
// bearing and sliding resistances of a partial-factor set (Ed ≤ Rd). Its fields and result
// columns, described once, and the reading of its texts into a footing and load combinations.
#pragma once

#include <span>
#include <string>
#include <vector>

#include "core/field_reader.h"
#include "core/kind.h"
#include "verifica/verification.h"

namespace fondara::verifica {

const Kind& verifica_kind();

// The footing and soil of a reader's texts; the reader keeps the first problem.
Footing read_footing(FieldReader& read);

// The loads of one combination; N is required, the others are 0 when not given.
LoadCombination read_loads(FieldReader& read);

// The input rule that the footing and one combination break, as the problem a window or
// the terminal shows; `combination` counts from 1, 0 when there is only one.
Problem input_problem(const InputFault& fault, std::size_t combination);

}  // namespace fondara::verifica
