// The program's one error type: a value, or the cause of a failure.
//
// Calculations, the file and printer channels and the terminal return Outcome<T, E>:
// T is what a success gives (Done when it gives nothing), E the cause of a failure
// (an enum of causes, an errno, a message). A failure is returned as Failed{cause}.
// Programming errors (a control missing from a design table, a kind without a
// window) are not failures the user can cause: they end the program through
// programming_error().
#pragma once

#include <string_view>
#include <utility>
#include <variant>

namespace fondara {

// The value of an operation that gives nothing but success.
struct Done {};

// The cause of a failure, on its way into an Outcome.
template <typename E>
struct Failed {
  E cause;
};
template <typename E>
Failed(E) -> Failed<E>;

template <typename T, typename E>
class [[nodiscard]] Outcome {
 public:
  // A value, moved or copied straight into place.
  Outcome(T&& value) : state_(std::in_place_index<0>, std::move(value)) {}  // NOLINT: implicit
  Outcome(const T& value) : state_(std::in_place_index<0>, value) {}        // NOLINT: implicit
  template <typename C>
  Outcome(Failed<C> failed)  // NOLINT: implicit
      : state_(std::in_place_index<1>, E(std::move(failed.cause))) {}

  bool ok() const { return state_.index() == 0; }
  explicit operator bool() const { return ok(); }

  const T& value() const& { return *std::get_if<0>(&checked()); }
  T&& value() && { return std::move(*std::get_if<0>(&checked())); }
  const T& operator*() const& { return value(); }
  T&& operator*() && { return std::move(*this).value(); }
  const T* operator->() const { return &value(); }

  // The cause; only for a failed outcome.
  const E& error() const& { return *std::get_if<1>(&checked_failure()); }

 private:
  const std::variant<T, E>& checked() const;
  std::variant<T, E>& checked();
  const std::variant<T, E>& checked_failure() const;

  std::variant<T, E> state_;
};

// Ends the program with `what` on standard error: a fault of the program itself.
[[noreturn]] void programming_error(std::string_view what);

template <typename T, typename E>
const std::variant<T, E>& Outcome<T, E>::checked() const {
  if (!ok()) programming_error("value of a failed outcome");
  return state_;
}
template <typename T, typename E>
std::variant<T, E>& Outcome<T, E>::checked() {
  if (!ok()) programming_error("value of a failed outcome");
  return state_;
}
template <typename T, typename E>
const std::variant<T, E>& Outcome<T, E>::checked_failure() const {
  if (ok()) programming_error("cause of a successful outcome");
  return state_;
}

}  // namespace fondara
