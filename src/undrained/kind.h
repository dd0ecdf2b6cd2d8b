// The undrained kind: cohesive soils in the short term. Its fields and result boxes,
// described once, and the calculation from their texts.
#pragma once

#include "core/kind.h"

namespace fondara::undrained {

const Kind& undrained_kind();

}  // namespace fondara::undrained
