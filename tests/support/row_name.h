// Names parameterised test rows after their `name` field.
#pragma once

#include <string>

namespace fondara::testing_support {

struct RowName {
  template <typename Info>
  std::string operator()(const Info& row) const {
    return row.param.name;
  }
};

}  // namespace fondara::testing_support
