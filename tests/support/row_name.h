// Names parameterised test rows after their `name` field.
#pragma once

#include <string>

namespace fondara::testing_support {

struct RowName {
  std::string operator()(const auto& row) const { return row.param.name; }
};

}  // namespace fondara::testing_support
