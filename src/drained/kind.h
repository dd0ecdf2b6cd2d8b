// The drained kind: granular soils and cohesive soils in the long term. Its fields and
// result boxes, described once, and the calculation from their texts.
#pragma once

#include <string>
#include <vector>

#include "core/kind.h"
#include "drained/calcolo_drenato.h"

namespace fondara::drained {

const Kind& drained_kind();

// The texts of the result boxes NY, Nq, Nc, qR and qd: NY cut to two decimals from its
// float, Nq and Nc through their 7-digit texts read back as doubles, then cut.
std::vector<std::string> drained_result_texts(const ValoriDrenati& v);

}  // namespace fondara::drained
