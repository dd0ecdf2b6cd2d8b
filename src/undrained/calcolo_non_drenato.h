// Short-term (undrained) bearing capacity of a cohesive soil.
//
// qR = 5.14 cu (1 + 0.2 B/L) + 1.2 G1 H / 10000 and qd = qR / YR, both in daN/cm²
// and cut (not rounded) to two decimals. Called by the undrained window and by
// fondara-calc; the report prints the inputs with the results.
#pragma once

#include <string>

#include "input/calculation.h"

namespace fondara {

// Inputs as read from the fields (m, daN/cm², daN/m³).
struct DatiNonDrenati {
  float L = 0;   // foundation length, m
  float B = 0;   // foundation width, m
  float H = 0;   // backfill height above the foundation base, m
  float cu = 0;  // undrained cohesion, daN/cm²
  float G1 = 0;  // backfill unit weight, daN/m³
  float YR = 0;  // partial safety factor on resistance
};

struct RisultatiNonDrenati {
  float qR_calcolo = 0;  // ultimate bearing pressure as computed, daN/cm²
  float qR = 0;          // qR_calcolo cut to two decimals
  float qd = 0;          // qR_calcolo / YR cut to two decimals
};

// Fails on L = 0, YR = 0 or a result beyond the float range.
Outcome<RisultatiNonDrenati> CalcoloNonDrenato(const DatiNonDrenati& dati);

// Texts of the result boxes Q_limite and Q_ammissibile.
struct TestiNonDrenati {
  std::string Q_limite;
  std::string Q_ammissibile;
};
TestiNonDrenati testi_risultati(const RisultatiNonDrenati& risultati);

}  // namespace fondara
