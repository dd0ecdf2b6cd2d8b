#include "verifica/partial_factors.h"

namespace fondara::verifica {

const PartialFactorSet* find_partial_factors(std::string_view code) {
  for (const PartialFactorSet& set : kPartialFactorSets)
    if (set.code == code) return &set;
  return nullptr;
}

}  // namespace fondara::verifica
