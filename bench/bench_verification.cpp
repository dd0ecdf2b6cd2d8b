// Throughput of the verification kind: load combinations verified per second on one core, for a
// drained footing (the heavier case: exp, tan, sin, two powers and, for the sets that factor
// tan φ', atan per combination) and an undrained one. Combinations and partial-factor sets cycle
// through small tables so that nothing folds at compile time.
#include <benchmark/benchmark.h>

#include <array>
#include <cstddef>

#include "verifica/verification.h"

namespace {

using fondara::verifica::Condition;
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
std::array<Footing, 8> footings(Condition condition) {
  std::array<Footing, 8> all;
  for (std::size_t i = 0; i < all.size(); ++i) {
    Footing& f = all[i];
    f.condition = condition;
    f.B = 2, f.L = 3, f.D = 1.2, f.alpha = 3;
    f.phi_k = 32, f.c_k = 5, f.cu_k = 80;
    f.gamma = 18.5, f.gamma_sat = 20, f.zw = 2;
    f.factors = kPartialFactorSets[i % kPartialFactorSets.size()];
  }
  return all;
}

void verify_combinations(benchmark::State& state, Condition condition) {
  const std::array<Footing, 8> all = footings(condition);
  std::size_t i = 0;
  for (auto _ : state) {
    auto outcome = fondara::verifica::verify(all[i & 7], kCombinations[(i >> 3) & 7]);
    benchmark::DoNotOptimize(outcome);
    ++i;
  }
  state.SetItemsProcessed(state.iterations());
}

void DrainedCombinations(benchmark::State& state) {
  verify_combinations(state, Condition::kDrained);
}
BENCHMARK(DrainedCombinations);

void UndrainedCombinations(benchmark::State& state) {
  verify_combinations(state, Condition::kUndrained);
}
BENCHMARK(UndrainedCombinations);

}  // namespace
