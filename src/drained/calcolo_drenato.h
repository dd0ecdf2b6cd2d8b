// Drained bearing capacity (granular soils, cohesive soils in the long term).
//
// qR = q1 + q2 + q3 with the backfill term q1 = G1 H Nq s2 d2, the friction term
// q2 = ½ G B Nγ s1 and the cohesion term q3 = c' Nc s3 d3, in daN/m²; qR and
// qd = qR / YR in daN/cm² cut to two decimals. Every named value is a float, every
// right-hand side is evaluated in double. Called by the drained kind's compute
// (kind.h); both drained reports read the inputs and the record.
#pragma once

#include "core/calculation.h"
#include "core/outcome.h"

namespace fondara::drained {

// Inputs as typed (m, degrees, daN/cm², daN/m³) and the water-table choice.
struct DrainedInputs {
  float L = 0;         // foundation length, m
  float B = 0;         // foundation width, m
  float H = 0;         // backfill height from the foundation plane, m
  float phi = 0;       // friction angle, degrees
  float c = 0;         // drained cohesion, daN/cm²
  float G = 0;         // foundation soil unit weight, daN/m³
  float G1 = 0;        // backfill unit weight, daN/m³
  float YR = 0;        // partial safety factor on resistance
  bool falda = false;  // the foundation soil lies below the water table
};

// Degrees to radians as the calculation converts them (and the report back).
inline constexpr double kRadiansPerDegree = 0.0174533;

// The values the calculation derives from the inputs, and its results.
struct ValoriDrenati {
  float phi_rad = 0;             // friction angle, radians
  float c_m2 = 0;                // drained cohesion, daN/m²
  float G_eff = 0;               // foundation soil weight, daN/m³, less 1000 under water
  float z1 = 0, z2 = 0, z3 = 0;  // tan φ', 2.7182^(3.14 tan φ'), tan²(φ'/2 + 3.14/4)
  float n1 = 0, n2 = 0, n3 = 0;  // Nγ, Nq, Nc
  float s1 = 0, s2 = 0, s3 = 0;  // shape factors
  float d2 = 0, d3 = 0;          // depth factors
  float q1 = 0, q2 = 0, q3 = 0;  // contributions, whole daN/m²
  float q_tot = 0;               // q2 + q1 + q3, daN/m²
  float qR = 0;                  // daN/cm², cut to two decimals
  float qd = 0;                  // daN/cm², cut to two decimals
};

// The record, or the failure's cause (L = 0, B = 0, φ' = 0, φ' >= 90°, YR = 0, a result
// beyond the float range or not a number).
Outcome<ValoriDrenati, Failure> CalcoloDrenato(const DrainedInputs& in);

}  // namespace fondara::drained
