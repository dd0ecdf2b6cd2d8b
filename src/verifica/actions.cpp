#include "verifica/actions.h"

#include <cstddef>

#include "core/outcome.h"

namespace fondara::verifica {
namespace {

constexpr bool rows_in_type_order() {
  for (std::size_t i = 0; i < kActionTypes.size(); ++i)
    if (static_cast<std::size_t>(kActionTypes[i].type) != i) return false;
  return true;
}
static_assert(rows_in_type_order());

}  // namespace

const ActionTypeInfo& info(ActionType type) {
  const auto index = static_cast<std::size_t>(type);
  if (index >= kActionTypes.size()) programming_error("action type out of the table");
  return kActionTypes[index];
}

}  // namespace fondara::verifica
