// Times EquivalentStress for each state and hypothesis on varied stress
// states, and, as the peer to beat, Eigen's closed-form eigenvalues of the
// same spatial tensors.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <random>
#include <vector>

#include "stress/hypotheses.h"

#ifdef VS_HAVE_EIGEN
#include <Eigen/Eigenvalues>

namespace vergleichsspannung {
#endif

namespace {

constexpr int kStates = 1024;
constexpr int kRandomTensors = 16384;

// The best of the repetitions: on a shared machine the others only add the
// neighbours' noise. Run with --benchmark_repetitions=5 (or more) and
// --benchmark_enable_random_interleaving=true to compare with the peer.
double Best(const std::vector<double>& times) {
  return *std::min_element(times.begin(), times.end());
}

// Typed-like values, repeated principal stresses, pure shear and magnitudes
// far from N/mm², in a fixed mix.
const std::vector<Workspace>& States() {
  static const std::vector<Workspace> states = [] {
    std::mt19937_64 rng(42);
    std::uniform_real_distribution<double> typed(-1000, 1000);
    std::vector<Workspace> result(kStates);
    for (int i = 0; i < kStates; ++i) {
      Workspace& w = result[i];
      for (double& c : w.values.slot) c = typed(rng);
      if (i % 4 == 1) w.values.slot = {235, 0, 0, 0, 0, 0};
      if (i % 4 == 2) w.values.slot = {0, 0, 0, typed(rng), 0, 0};
      if (i % 8 == 3) {
        for (double& c : w.values.slot) c *= 1e150;
      }
      w.plate.slot = {w.values.slot[0], w.values.slot[1], w.values.slot[2]};
    }
    return result;
  }();
  return states;
}

// General spatial tensors, components uniform in +-1000 N/mm²: what a
// solver meets most.
const std::vector<Workspace>& RandomTensors() {
  static const std::vector<Workspace> states = [] {
    std::mt19937_64 rng(7);
    std::uniform_real_distribution<double> component(-1000, 1000);
    std::vector<Workspace> result(kRandomTensors);
    for (Workspace& w : result) {
      for (double& c : w.values.slot) c = component(rng);
    }
    return result;
  }();
  return states;
}

void BM_EquivalentStress(benchmark::State& bench, StressState state, Hypothesis hypothesis,
                         const std::vector<Workspace>& (*mix)()) {
  std::vector<Workspace> states = mix();
  std::size_t i = 0;
  for (auto _ : bench) {
    benchmark::DoNotOptimize(EquivalentStress(state, hypothesis, &states[i]));
    i = (i + 1) % states.size();
  }
}

#define VS_COMBINATION(state, hypothesis)                                          \
  BENCHMARK_CAPTURE(BM_EquivalentStress, state##_##hypothesis, StressState::state, \
                    Hypothesis::hypothesis, States)                                \
      ->ComputeStatistics("best", Best)

VS_COMBINATION(Spatial, GEH);
VS_COMBINATION(Spatial, NH);
VS_COMBINATION(Spatial, SH);
VS_COMBINATION(Plane, GEH);
VS_COMBINATION(Plane, NH);
VS_COMBINATION(Plane, SH);
VS_COMBINATION(Axisymmetric, GEH);
VS_COMBINATION(Axisymmetric, NH);
VS_COMBINATION(Axisymmetric, SH);
VS_COMBINATION(Plate, GEH);
VS_COMBINATION(Plate, NH);
VS_COMBINATION(Plate, SH);
BENCHMARK_CAPTURE(BM_EquivalentStress, RandomSpatial_NH, StressState::Spatial, Hypothesis::NH,
                  RandomTensors)
    ->ComputeStatistics("best", Best);
BENCHMARK_CAPTURE(BM_EquivalentStress, RandomSpatial_SH, StressState::Spatial, Hypothesis::SH,
                  RandomTensors)
    ->ComputeStatistics("best", Best);

#ifdef VS_HAVE_EIGEN
std::vector<Eigen::Matrix3d> Tensors(const std::vector<Workspace>& states) {
  std::vector<Eigen::Matrix3d> tensors;
  for (const Workspace& w : states) {
    const auto& s = w.values.slot;
    Eigen::Matrix3d m;
    m << s[0], s[3], s[5], s[3], s[1], s[4], s[5], s[4], s[2];
    tensors.push_back(m);
  }
  return tensors;
}

void BM_EigenComputeDirect(benchmark::State& bench, const std::vector<Workspace>& (*mix)()) {
  const std::vector<Eigen::Matrix3d> tensors = Tensors(mix());
  Eigen::SelfAdjointEigenSolver<Eigen::Matrix3d> solver;
  std::size_t i = 0;
  for (auto _ : bench) {
    solver.computeDirect(tensors[i], Eigen::EigenvaluesOnly);
    benchmark::DoNotOptimize(solver.eigenvalues());
    i = (i + 1) % tensors.size();
  }
}

// The spatial NH path's time over Eigen's on the same random tensors, the two
// taking turns in batches so that a busy machine slows both alike: the counter
// "ratio" is what must stay at or below 1.
void BM_SpatialNHOverEigen(benchmark::State& bench) {
  std::vector<Workspace> states = RandomTensors();
  const std::vector<Eigen::Matrix3d> tensors = Tensors(states);
  Eigen::SelfAdjointEigenSolver<Eigen::Matrix3d> solver;
  using Clock = std::chrono::steady_clock;
  Clock::duration ours{}, eigen{};
  constexpr std::size_t kBatch = 256;  // divides kRandomTensors
  std::size_t start = 0;
  for (auto _ : bench) {
    const Clock::time_point begin = Clock::now();
    for (std::size_t i = start; i < start + kBatch; ++i) {
      benchmark::DoNotOptimize(EquivalentStress(StressState::Spatial, Hypothesis::NH, &states[i]));
    }
    const Clock::time_point middle = Clock::now();
    for (std::size_t i = start; i < start + kBatch; ++i) {
      solver.computeDirect(tensors[i], Eigen::EigenvaluesOnly);
      benchmark::DoNotOptimize(solver.eigenvalues());
    }
    const Clock::time_point end = Clock::now();
    ours += middle - begin;
    eigen += end - middle;
    start = (start + kBatch) % states.size();
  }
  bench.counters["ratio"] =
      std::chrono::duration<double>(ours).count() / std::chrono::duration<double>(eigen).count();
}
BENCHMARK(BM_SpatialNHOverEigen)->ComputeStatistics("best", Best);
BENCHMARK_CAPTURE(BM_EigenComputeDirect, Mix, States)->ComputeStatistics("best", Best);
BENCHMARK_CAPTURE(BM_EigenComputeDirect, Random, RandomTensors)->ComputeStatistics("best", Best);
#endif

}  // namespace

}  // namespace vergleichsspannung

BENCHMARK_MAIN();
