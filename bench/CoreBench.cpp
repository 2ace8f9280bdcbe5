// Speed of the core on lists of a million lines: loading bytes into lines, and the comparison
// with both entry lists visited as the batch tool and the window do.

#include <cstdint>
#include <string>
#include <string_view>

#include <benchmark/benchmark.h>

#include "ListGenerator.h"
#include "core/LineText.h"
#include "core/ListComparison.h"

#define XXH_INLINE_ALL
#include <xxhash.h>

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
        const core::ListComparison comparison(left, right);
        std::size_t bytes = 0;
        comparison.ForEachMultipleHit([&](std::string_view line) { bytes += line.size() + 1; });
        comparison.ForEachSingleHit([&](std::string_view line) { bytes += line.size() + 1; });
        benchmark::DoNotOptimize(bytes);
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(2 * kLines));
}
BENCHMARK(BM_CompareAndVisit)->Unit(benchmark::kMillisecond);

// The line hash on the bench lists' 6-24-byte lines: our own against XXH3.
template <class Hash> void HashLines(benchmark::State& state, Hash hash) {
    static const core::LoadedList loaded(Lists().left);
    static const std::vector<std::string_view> list = core::Views(loaded);
    for (auto _ : state) {
        std::uint64_t sum = 0;
        for (std::string_view line : list)
            sum += hash(line);
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(list.size()));
}
void BM_HashOwn(benchmark::State& state) {
    HashLines(state, [](std::string_view l) { return core::LineIndex::Hash(l); });
}
void BM_HashXXH3(benchmark::State& state) {
    HashLines(state, [](std::string_view l) { return XXH3_64bits(l.data(), l.size()); });
}
BENCHMARK(BM_HashOwn)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HashXXH3)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
