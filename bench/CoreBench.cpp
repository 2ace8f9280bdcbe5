// Speed of the core on lists of a million lines: loading bytes into lines, and the comparison
// with both entry lists visited as the batch tool and the window do.

#include <cstdint>
#include <string>
#include <string_view>

#include <benchmark/benchmark.h>

#include "ListGenerator.h"
#include "core/LineText.h"
#include "core/ListComparison.h"

namespace {

constexpr std::size_t kLines = 1000000;

const bench::ListPair& Lists() {
    static const bench::ListPair pair = bench::MakeListPair(kLines);
    return pair;
}

void BM_LoadedList(benchmark::State& state) {
    const std::string& bytes = Lists().left;
    for (auto _ : state) {
        state.PauseTiming();
        std::string copy = bytes; // LoadedList takes the bytes over
        state.ResumeTiming();
        const core::LoadedList list(std::move(copy));
        benchmark::DoNotOptimize(list.Count());
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(kLines));
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(bytes.size()));
}
BENCHMARK(BM_LoadedList)->Unit(benchmark::kMillisecond);

void BM_CompareAndVisit(benchmark::State& state) {
    const core::LoadedList left(Lists().left);
    const core::LoadedList right(Lists().right);
    for (auto _ : state) {
        const core::ListComparison comparison(left.Lines(), right.Lines());
        std::size_t bytes = 0;
        comparison.ForEachMultipleHit([&](std::string_view line) { bytes += line.size() + 1; });
        comparison.ForEachSingleHit([&](std::string_view line) { bytes += line.size() + 1; });
        benchmark::DoNotOptimize(bytes);
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(2 * kLines));
}
BENCHMARK(BM_CompareAndVisit)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
