// Times the whole dialogue, driven in-process through a long scripted session.
#include <benchmark/benchmark.h>

#include <string>

#include "console/console.h"
#include "console/memory_streams.h"
#include "console/menu_loop.h"

namespace vergleichsspannung {

namespace {

// One round of commands: choose, enter, show, compute in every state.
constexpr const char kRound[] =
    "a1\nc500 400 300 300 400 500\nw g "
    "b3\ng a2\nc120 -80 45\ng b1\ng "
    "a3\nc100 100 0 -50\nw g "
    "a4\nc10 20 30\nb2\ng w i ";
constexpr int kCommandsPerRound = 20;
constexpr int kRounds = 1000;

void BM_DialogueCommand(benchmark::State& bench) {
  std::string keys;
  for (int i = 0; i < kRounds; ++i) keys += kRound;
  keys += 'q';
  for (auto _ : bench) {
    MemoryConsole memory(keys);
    benchmark::DoNotOptimize(MenuLoop(&memory.console));
  }
  bench.SetItemsProcessed(bench.iterations() * kRounds * kCommandsPerRound);
}
BENCHMARK(BM_DialogueCommand)->Unit(benchmark::kMillisecond);

}  // namespace

}  // namespace vergleichsspannung

BENCHMARK_MAIN();
