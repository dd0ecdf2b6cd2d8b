// What a calculation returns: all of its results, or the cause of its failure.
//
// Both bearing-capacity calculations evaluate every step in double from stored
// floats and store each named value as a float. The helpers here make each of those
// steps checked: a division by zero, an invalid operation or a value beyond the
// float range is detected before it happens and ends the calculation with a cause.
#pragma once

#include <cmath>
#include <limits>
#include <string>
#include <utility>
#include <variant>

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

// The dimensions rule of both windows and fondara-calc: a length below the width is
// refused before any calculation (L = B passes).
inline bool lunghezza_minore(float L, float B) {
  return L < B;
}

// Either the complete results of a calculation or the cause of its failure.
template <typename T>
class Outcome {
 public:
  Outcome(T values) : state_(std::move(values)) {}
  Outcome(Failure cause) : state_(cause) {}

  bool ok() const { return std::holds_alternative<T>(state_); }
  explicit operator bool() const { return ok(); }
  const T& value() const { return std::get<T>(state_); }
  const T& operator*() const { return value(); }
  const T* operator->() const { return &value(); }
  Failure failure() const { return std::get<Failure>(state_); }

 private:
  std::variant<T, Failure> state_;
};

namespace checked {

// Thrown inside a calculation only; the calculation turns it into an Outcome.
struct Fault {
  Failure cause;
};

// The double value of a stored float, for the right-hand sides.
inline double d(float value) {
  return static_cast<double>(value);
}

// Rounds a right-hand side to the float that stores it; faults when it is not a
// number or beyond the float range.
inline float store(double value) {
  if (std::isnan(value)) throw Fault{Failure::non_numero};
  if (std::fabs(value) > static_cast<double>(std::numeric_limits<float>::max()))
    throw Fault{Failure::fuori_intervallo};
  return static_cast<float>(value);
}

// numerator / denominator in double; faults with `cause` when the denominator is 0.
inline double divide(double numerator, double denominator, Failure cause) {
  if (denominator == 0.0) throw Fault{cause};
  return numerator / denominator;
}

// Runs a calculation body that may fault and wraps what it returns.
template <typename T, typename Body>
Outcome<T> run(Body&& body) {
  try {
    return Outcome<T>(body());
  } catch (const Fault& fault) {
    return Outcome<T>(fault.cause);
  }
}

}  // namespace checked
}  // namespace fondara
