// Throughput of both calculations, and of the trigonometric and power calls that
// the drained calculation cannot avoid, measured alone for comparison.
#include <benchmark/benchmark.h>

#include <array>
#include <cmath>

#include "drained/calcolo_drenato.h"
#include "undrained/calcolo_non_drenato.h"

namespace {

// A few friction angles so that nothing is folded at compile time.
constexpr std::array<float, 8> angoli{25.0f, 27.5f, 28.0f, 30.0f, 32.5f, 34.0f, 36.0f, 38.0f};

void CalcoloDrenato(benchmark::State& state) {
  std::size_t i = 0;
  for (auto _ : state) {
    const fondara::drained::DrainedInputs dati{10,   2,    1,    angoli[i++ & 7], 0.1f, 1900,
                                               1800, 2.3f, false};
    benchmark::DoNotOptimize(fondara::drained::CalcoloDrenato(dati));
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(CalcoloDrenato);

// tan three times, sin, atan and three powers: the library calls of one drained
// calculation with H > B.
void ChiamateTrigonometriche(benchmark::State& state) {
  std::size_t i = 0;
  for (auto _ : state) {
    const double phi = static_cast<double>(angoli[i++ & 7]) * 0.0174533;
    double sum = std::tan(phi);
    sum += std::pow(2.7182, std::tan(phi) * 3.14);
    sum += std::pow(std::tan(phi / 2.0 + 3.14 / 4.0), 2.0);
    sum += std::pow(1.0 - std::sin(phi), 2.0);
    sum += std::atan(phi * 3.0);
    benchmark::DoNotOptimize(sum);
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(ChiamateTrigonometriche);

void CalcoloNonDrenato(benchmark::State& state) {
  std::size_t i = 0;
  for (auto _ : state) {
    const fondara::undrained::UndrainedInputs dati{10, 2, 1, angoli[i++ & 7] / 60.0f, 1800, 2.3f};
    benchmark::DoNotOptimize(fondara::undrained::CalcoloNonDrenato(dati));
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(CalcoloNonDrenato);

}  // namespace
