// Short-term (undrained) bearing capacity of a cohesive soil.
//
// qR = 5.14 cu (1 + 0.2 B/L) + 1.2 G1 H / 10000 and qd = qR / YR, both in daN/cm² and
// cut (not rounded) to two decimals. Called by the undrained kind's compute (kind.h);
// the report prints the inputs with the results.
#pragma once

#include "core/calculation.h"
#include "core/outcome.h"

namespace fondara::undrained {

// Inputs as read from the fields (m, daN/cm², daN/m³).
struct UndrainedInputs {
  float L = 0;   // foundation length, m
  float B = 0;   // foundation width, m
  float H = 0;   // backfill height above the foundation base, m
  float cu = 0;  // undrained cohesion, daN/cm²
  float G1 = 0;  // backfill unit weight, daN/m³
  float YR = 0;  // partial safety factor on resistance
};

struct UndrainedResults {
  float qR_calcolo = 0;  // ultimate bearing pressure as computed, daN/cm²
  float qR = 0;          // qR_calcolo cut to two decimals
  float qd = 0;          // qR_calcolo / YR cut to two decimals
};

// Fails on L = 0, YR = 0 or a result beyond the float range.
Outcome<UndrainedResults, Failure> CalcoloNonDrenato(const UndrainedInputs& in);

}  // namespace fondara::undrained
