// Drained bearing capacity (granular soils, cohesive soils in the long term).
//
// qR = q1 + q2 + q3 with the backfill term q1 = G1 H Nq s2 d2, the friction term
// q2 = ½ G B Nγ s1 and the cohesion term q3 = c' Nc s3 d3, in daN/m²; qR and
// qd = qR / YR in daN/cm² cut to two decimals. Every named value is a float, every
// right-hand side is evaluated in double. The drained window holds the record,
// both drained reports and fondara-calc read it.
#pragma once

#include <string>

#include "input/calculation.h"

namespace fondara {

// The module values of the drained window: inputs, intermediates and results.
// After the calculation phi is in radians, c in daN/m² and G is the effective
// weight (reduced by 1000 under water); the reports convert back when printing.
struct ValoriDrenati {
  // Inputs.
  float L = 0;    // foundation length, m
  float B = 0;    // foundation width, m
  float H = 0;    // backfill height from the foundation plane, m
  float phi = 0;  // friction angle: degrees in, radians out
  float c = 0;    // drained cohesion: daN/cm² in, daN/m² out
  float G = 0;    // foundation soil unit weight, daN/m³ (effective out)
  float G1 = 0;   // backfill unit weight, daN/m³
  float YR = 0;   // partial safety factor on resistance
  // The water-table choice the calculation used; the reports follow it.
  bool falda = false;
  // Results.
  float z1 = 0, z2 = 0, z3 = 0;  // tan φ', 2.7182^(3.14 tan φ'), tan²(φ'/2 + 3.14/4)
  float n1 = 0, n2 = 0, n3 = 0;  // Nγ, Nq, Nc
  float s1 = 0, s2 = 0, s3 = 0;  // shape factors
  float d2 = 0, d3 = 0;          // depth factors
  float q1 = 0, q2 = 0, q3 = 0;  // contributions, whole daN/m²
  float q_tot = 0;               // q2 + q1 + q3, daN/m²
  float qR = 0;                  // daN/cm², cut to two decimals
  float qd = 0;                  // daN/cm², cut to two decimals
};

// Inputs as typed (degrees, daN/cm², daN/m³) and the water-table flag.
struct DatiDrenati {
  float L = 0, B = 0, H = 0, phi = 0, c = 0, G = 0, G1 = 0, YR = 0;
  bool falda = false;
};

// The complete record, or the failure's cause (L = 0, B = 0, φ' = 0, φ' >= 90°,
// YR = 0, a result beyond the float range or not a number).
Outcome<ValoriDrenati> CalcoloDrenato(const DatiDrenati& dati);

// Texts of the result boxes NY, Nq, Nc, Q_limite, Q_ammissibile.
struct TestiDrenati {
  std::string NY, Nq, Nc, Q_limite, Q_ammissibile;
};
TestiDrenati testi_risultati(const ValoriDrenati& valori);

}  // namespace fondara
