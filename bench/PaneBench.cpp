// Speed of a result pane: filling it with a million entries in one go, as "Merge it!" does.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include <benchmark/benchmark.h>

#include "platform/Forms.h"
#include "platform/StdCtrls.h"

namespace {

void BM_SetEntries(benchmark::State& state) {
    const auto count = static_cast<std::size_t>(state.range(0));
    std::vector<std::string> lines;
    lines.reserve(count);
    for (std::size_t i = 0; i < count; ++i)
        lines.push_back("entry no " + std::to_string(100000 + i)); // 15 bytes
    const std::vector<std::string_view> entries(lines.begin(), lines.end());
    TForm form;
    TMemo memo(&form);
    memo.SetBounds(1, 30, 500, 199);
    for (auto _ : state) {
        memo.SetEntries(entries);
        benchmark::DoNotOptimize(memo.EntryCount());
        state.PauseTiming();
        memo.Clear();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(count));
}
BENCHMARK(BM_SetEntries)->Arg(1000000)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char** argv) {
    TApplication application(argc, argv, /*offscreen=*/true);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
