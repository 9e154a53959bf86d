// Times EquivalentStress for each state and hypothesis on varied stress
// states, and, as the peer to beat, Eigen's closed-form eigenvalues of the
// same spatial tensors.
#include <benchmark/benchmark.h>

#include <random>
#include <vector>

#include "stress/hypotheses.h"

#ifdef VS_HAVE_EIGEN
#include <Eigen/Eigenvalues>
#endif

namespace {

constexpr int kStates = 1024;

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

void BM_EquivalentStress(benchmark::State& bench, StressState state, Hypothesis hypothesis) {
  std::vector<Workspace> states = States();
  std::size_t i = 0;
  for (auto _ : bench) {
    benchmark::DoNotOptimize(EquivalentStress(state, hypothesis, &states[i]));
    i = (i + 1) % states.size();
  }
}

#define VS_COMBINATION(state, hypothesis)                                          \
  BENCHMARK_CAPTURE(BM_EquivalentStress, state##_##hypothesis, StressState::state, \
                    Hypothesis::hypothesis)

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

#ifdef VS_HAVE_EIGEN
void BM_EigenComputeDirect(benchmark::State& bench) {
  std::vector<Eigen::Matrix3d> tensors;
  for (const Workspace& w : States()) {
    const auto& s = w.values.slot;
    Eigen::Matrix3d m;
    m << s[0], s[3], s[5], s[3], s[1], s[4], s[5], s[4], s[2];
    tensors.push_back(m);
  }
  Eigen::SelfAdjointEigenSolver<Eigen::Matrix3d> solver;
  std::size_t i = 0;
  for (auto _ : bench) {
    solver.computeDirect(tensors[i], Eigen::EigenvaluesOnly);
    benchmark::DoNotOptimize(solver.eigenvalues());
    i = (i + 1) % tensors.size();
  }
}
BENCHMARK(BM_EigenComputeDirect);
#endif

}  // namespace

BENCHMARK_MAIN();
