// Throughput of the verification kind: checks per second on one core, for a drained footing (the
// heavier case: exp, tan, sin, two powers and, for the sets that factor tan φ', atan per check)
// and an undrained one, static and seismic with the soil's inertia; and the time to generate and
// check a footing of 20 characteristic actions in both conditions. Combinations and
// partial-factor sets cycle through small tables so that nothing folds at compile time.
#include <benchmark/benchmark.h>

#include <array>
#include <cstddef>
#include <vector>

#include "verifica/verification.h"

namespace {

using fondara::verifica::Action;
using fondara::verifica::ActionType;
using fondara::verifica::Condition;
using fondara::verifica::Conditions;
using fondara::verifica::Footing;
using fondara::verifica::kPartialFactorSets;
using fondara::verifica::LoadCombination;

// Eight combinations of a column footing, eccentric and inclined both ways.
constexpr std::array<LoadCombination, 8> kCombinations{{
    {800, 80, 0, 60, 0},
    {820, -60, 40, 0, 45},
    {760, 30, -90, -80, 20},
    {900, 0, 0, 0, 0},
    {700, 120, 30, 40, -40},
    {850, -20, 150, 15, 90},
    {780, 95, -10, -120, 5},
    {810, 10, 60, 70, -70},
}};

// The same footing under each partial-factor set in turn, eight in all.
std::array<Footing, 8> footings() {
  std::array<Footing, 8> all;
  for (std::size_t i = 0; i < all.size(); ++i) {
    Footing& f = all[i];
    f.conditions = Conditions::kBoth;
    f.B = 2, f.L = 3, f.D = 1.2, f.alpha = 3, f.kh = 0.1, f.gamma_R_seismic = 1.8;
    f.phi_k = 32, f.c_k = 5, f.cu_k = 80;
    f.gamma = 18.5, f.gamma_sat = 20, f.zw = 2;
    f.factors = kPartialFactorSets[i % kPartialFactorSets.size()];
  }
  return all;
}

void verify_combinations(benchmark::State& state, Condition condition) {
  const std::array<Footing, 8> all = footings();
  std::size_t i = 0;
  for (auto _ : state) {
    auto outcome = fondara::verifica::verify(all[i & 7], condition, kCombinations[(i >> 3) & 7]);
    benchmark::DoNotOptimize(outcome);
    ++i;
  }
  state.SetItemsProcessed(state.iterations());
}

void SeismicDrainedChecks(benchmark::State& state) {
  const std::array<Footing, 8> all = footings();
  std::size_t i = 0;
  for (auto _ : state) {
    LoadCombination loads = kCombinations[(i >> 3) & 7];
    loads.situation = fondara::verifica::Situation::kSeismic;
    // The seismic set of the NTC 2018, the only one seismic checks take.
    auto outcome = fondara::verifica::verify(all[i & 1], Condition::kDrained, loads);
    benchmark::DoNotOptimize(outcome);
    ++i;
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(SeismicDrainedChecks);

// A footing's checks through check_footing: 1,000 typed combinations in both conditions, the
// design strengths and bearing factors computed once per condition and situation.
void FootingChecksOfAThousandCombinations(benchmark::State& state) {
  const Footing footing = footings()[0];
  std::vector<LoadCombination> typed;
  for (std::size_t i = 0; i < 1000; ++i) {
    LoadCombination loads = kCombinations[i % 8];
    loads.N += static_cast<double>(i % 97);
    loads.situation =
        i % 3 ? fondara::verifica::Situation::kStatic : fondara::verifica::Situation::kSeismic;
    typed.push_back(loads);
  }
  for (auto _ : state) {
    auto checked = fondara::verifica::check_footing(footing, {}, typed);
    benchmark::DoNotOptimize(checked);
  }
  state.SetItemsProcessed(state.iterations() * 2000);
}
BENCHMARK(FootingChecksOfAThousandCombinations)->Unit(benchmark::kMillisecond);

// 20 actions: 4 permanent, 12 variable of several categories, 2 Ex and 2 Ey; NTC2018-A2 gives
// 2 × 13 static and 8 seismic combinations, each checked drained and undrained: 68 checks.
void FootingOfTwentyActions(benchmark::State& state) {
  Footing footing = footings()[0];
  std::vector<Action> actions;
  const ActionType types[] = {ActionType::kQA,    ActionType::kQB,    ActionType::kQE,
                              ActionType::kQWind, ActionType::kQSnow, ActionType::kQThermal};
  for (int i = 0; i < 4; ++i)
    actions.push_back({"G", i % 2 ? ActionType::kG2 : ActionType::kG1, 300.0 + i, 10, 5, 0, 0});
  for (int i = 0; i < 12; ++i) actions.push_back({"Q", types[i % 6], 40.0 + i, 6, -4, 3, 2});
  for (int i = 0; i < 4; ++i)
    actions.push_back({"E", i % 2 ? ActionType::kEy : ActionType::kEx, 0, 30, 20, 25, 15});
  for (auto _ : state) {
    auto checked = fondara::verifica::check_footing(footing, actions, {});
    benchmark::DoNotOptimize(checked);
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(FootingOfTwentyActions)->Unit(benchmark::kMicrosecond);

void DrainedCombinations(benchmark::State& state) {
  verify_combinations(state, Condition::kDrained);
}
BENCHMARK(DrainedCombinations);

void UndrainedCombinations(benchmark::State& state) {
  verify_combinations(state, Condition::kUndrained);
}
BENCHMARK(UndrainedCombinations);

}  // namespace
