// The fields and result boxes of the drained window (form_sciolti), described once:
// the window's row captions and screen-reader names, the names Calculate reads the
// numbers by, fondara-calc's arguments, CSV columns and --help come from here.
#pragma once

#include <span>

#include "drained/calcolo_drenato.h"
#include "input/field_table.h"

namespace fondara {

// In the order Calculate reads them and the emptiness test looks at them.
std::span<const InputField<DatiDrenati>> drained_fields();
std::span<const ResultField<TestiDrenati>> drained_results();

}  // namespace fondara
