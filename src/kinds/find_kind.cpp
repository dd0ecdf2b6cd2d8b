#include "core/user_text.h"
#include "kinds/kinds.h"

namespace fondara {

const Kind* find_kind(std::string_view name) {
  for (const Kind* kind : kinds())
    if (kind->name == name) return kind;
  return nullptr;
}

std::string kind_names() {
  return alternatives(kinds(), [](const Kind* kind) { return kind->name; });
}

}  // namespace fondara
