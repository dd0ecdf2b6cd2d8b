#include "core/report.h"

#include "core/number_text.h"

namespace fondara {
namespace {

template <typename T>
std::string number_text(T value) {
  // The sign position: a blank for zero and positive values, the minus sign otherwise.
  std::string text = general_text(value);
  if (!text.empty() && text.front() == '-') return text + ' ';
  return ' ' + text + ' ';
}

}  // namespace

std::string number_item(float value) {
  return number_text(value);
}
std::string number_item(double value) {
  return number_text(value);
}

std::string item_text(const Item& item) {
  if (const auto* text = std::get_if<std::string>(&item)) return *text;
  if (const auto* single = std::get_if<float>(&item)) return number_item(*single);
  return number_item(std::get<double>(item));
}

}  // namespace fondara
