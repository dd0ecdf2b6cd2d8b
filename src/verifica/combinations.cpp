#include "verifica/combinations.h"

#include <algorithm>
#include <cstddef>

namespace fondara::verifica {
namespace {

ActionGroup group_of(const Action& action) {
  return info(action.type).group;
}

bool any_of_groups(std::span<const Action> actions, std::initializer_list<ActionGroup> groups) {
  return std::any_of(actions.begin(), actions.end(), [&](const Action& action) {
    return std::find(groups.begin(), groups.end(), group_of(action)) != groups.end();
  });
}

// The combination that gives each action its factor: loads summed in the actions' order.
Combination combined(std::span<const Action> actions, std::vector<double> factors,
                     Situation situation) {
  Combination combination{{}, true, std::move(factors)};
  LoadCombination& loads = combination.loads;
  loads.situation = situation;
  for (std::size_t i = 0; i < actions.size(); ++i) {
    const double factor = combination.factors[i];
    loads.N += factor * actions[i].N;
    loads.MB += factor * actions[i].MB;
    loads.ML += factor * actions[i].ML;
    loads.HB += factor * actions[i].HB;
    loads.HL += factor * actions[i].HL;
  }
  return combination;
}

// The permanent factors of one variant: unfavourable or favourable.
struct PermanentFactors {
  double G1, G2;
};

std::vector<PermanentFactors> permanent_variants(const ActionFactors& factors) {
  std::vector<PermanentFactors> variants{{factors.G1_unfavourable, factors.G2_unfavourable}};
  if (factors.G1_favourable != factors.G1_unfavourable ||
      factors.G2_favourable != factors.G2_unfavourable)
    variants.push_back({factors.G1_favourable, factors.G2_favourable});
  return variants;
}

// The static factor of `action` with the permanent variant and the leading action (none: -1).
double static_factor(const Action& action, std::size_t index, const PermanentFactors& permanent,
                     double gamma_Q, std::ptrdiff_t leading) {
  switch (group_of(action)) {
    case ActionGroup::kG1:
      return permanent.G1;
    case ActionGroup::kG2:
      return permanent.G2;
    case ActionGroup::kVariable:
      if (leading < 0) return 0;
      if (static_cast<std::size_t>(leading) == index) return gamma_Q;
      return gamma_Q * info(action.type).psi0;
    case ActionGroup::kEx:
    case ActionGroup::kEy:
      return 0;
  }
  return 0;
}

void add_static(const ActionFactors& factors, std::span<const Action> actions,
                std::vector<Combination>& combinations) {
  std::vector<std::ptrdiff_t> leading{-1};
  for (std::size_t i = 0; i < actions.size(); ++i)
    if (group_of(actions[i]) == ActionGroup::kVariable)
      leading.push_back(static_cast<std::ptrdiff_t>(i));
  for (const PermanentFactors& permanent : permanent_variants(factors)) {
    for (const std::ptrdiff_t lead : leading) {
      std::vector<double> each(actions.size());
      for (std::size_t i = 0; i < actions.size(); ++i)
        each[i] = static_factor(actions[i], i, permanent, factors.Q, lead);
      combinations.push_back(combined(actions, std::move(each), Situation::kStatic));
    }
  }
}

// The factors of Ex and Ey in the seismic combinations, in their order.
struct Directions {
  double x, y;
};

std::vector<Directions> seismic_directions(bool has_x, bool has_y) {
  if (!has_y) return {{1.0, 0}, {-1.0, 0}};
  if (!has_x) return {{0, 1.0}, {0, -1.0}};
  std::vector<Directions> directions;
  for (const auto& [main_x, other] : {std::pair{1.0, 0.3}, std::pair{0.3, 1.0}})
    for (const double sign_x : {1.0, -1.0})
      for (const double sign_y : {1.0, -1.0})
        directions.push_back({sign_x * main_x, sign_y * other});
  return directions;
}

double seismic_factor(const Action& action, const Directions& directions) {
  switch (group_of(action)) {
    case ActionGroup::kG1:
    case ActionGroup::kG2:
      return 1.0;
    case ActionGroup::kVariable:
      return info(action.type).psi2;
    case ActionGroup::kEx:
      return directions.x;
    case ActionGroup::kEy:
      return directions.y;
  }
  return 0;
}

void add_seismic(std::span<const Action> actions, std::vector<Combination>& combinations) {
  const bool has_x = any_of_groups(actions, {ActionGroup::kEx});
  const bool has_y = any_of_groups(actions, {ActionGroup::kEy});
  for (const Directions& directions : seismic_directions(has_x, has_y)) {
    std::vector<double> each(actions.size());
    for (std::size_t i = 0; i < actions.size(); ++i)
      each[i] = seismic_factor(actions[i], directions);
    combinations.push_back(combined(actions, std::move(each), Situation::kSeismic));
  }
}

}  // namespace

std::vector<Combination> generate_combinations(const PartialFactorSet& set,
                                               std::span<const Action> actions) {
  std::vector<Combination> combinations;
  if (any_of_groups(actions, {ActionGroup::kG1, ActionGroup::kG2, ActionGroup::kVariable}))
    add_static(set.actions, actions, combinations);
  if (set.seismic && any_of_groups(actions, {ActionGroup::kEx, ActionGroup::kEy}))
    add_seismic(actions, combinations);
  return combinations;
}

}  // namespace fondara::verifica
