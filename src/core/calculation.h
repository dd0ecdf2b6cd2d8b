// The checked steps of the bearing-pressure calculations and their causes of failure.
//
// Both specified calculations evaluate every step in double from stored floats and
// store each named value as a float. Steps makes each of those steps checked: a
// division by zero, an invalid operation or a value beyond the float range is caught
// before it happens; the first one is kept as the calculation's cause and every later
// step gives 0, so a calculation runs to its end and then returns its failure.
#pragma once

#include <cmath>
#include <limits>
#include <string>

namespace fondara {

enum class Failure {
  lunghezza_minore,    // L < B: the windows refuse the dimensions before calculating
  lunghezza_zero,      // L = 0: the shape terms divide by L
  larghezza_zero,      // B = 0: the depth terms divide by B
  angolo_zero,         // phi' = 0: Nc divides by tan(phi')
  angolo_fuori_campo,  // phi' >= 90 degrees: the tangent is no longer meaningful
  coefficiente_zero,   // YR = 0: qd divides by YR
  fuori_intervallo,    // a result beyond the float range
  non_numero,          // an invalid operation (not a number)
};

// The cause in plain Italian, e.g. "Impossibile eseguire il calcolo: la lunghezza L
// non può essere zero." (UTF-8).
std::string failure_message(Failure cause);

// The cause of a report that could not be prepared, e.g. "Impossibile preparare la
// relazione: un valore da stampare supera il massimo valore rappresentabile.".
std::string report_failure_message(Failure cause);

// The double value of a stored float, for the right-hand sides.
inline double d(float value) {
  return static_cast<double>(value);
}

class Steps {
 public:
  // Rounds a right-hand side to the float that stores it; fails when it is not a
  // number or beyond the float range.
  float store(double value) {
    if (std::isnan(value)) return fail(Failure::non_numero);
    if (std::fabs(value) > static_cast<double>(std::numeric_limits<float>::max()))
      return fail(Failure::fuori_intervallo);
    return static_cast<float>(value);
  }

  // numerator / denominator in double; fails with `cause` when the denominator is 0.
  double divide(double numerator, double denominator, Failure cause) {
    if (denominator == 0.0) return fail(cause);
    return numerator / denominator;
  }

  // Ends the calculation with `cause` unless an earlier step already failed.
  float fail(Failure cause) {
    if (!failed_) cause_ = cause;
    failed_ = true;
    return 0.0f;
  }

  bool failed() const { return failed_; }
  Failure cause() const { return cause_; }

 private:
  bool failed_ = false;
  Failure cause_ = Failure::non_numero;
};

}  // namespace fondara
