// The fields and result boxes of the undrained window (form_coesivi), described once:
// the window's row captions and screen-reader names, the names Calculate reads the
// numbers by, fondara-calc's arguments, CSV columns and --help come from here.
#pragma once

#include <span>

#include "input/field_table.h"
#include "undrained/calcolo_non_drenato.h"

namespace fondara {

// In the order Calculate reads them and the emptiness test looks at them.
std::span<const InputField<DatiNonDrenati>> undrained_fields();
std::span<const ResultField<TestiNonDrenati>> undrained_results();

}  // namespace fondara
