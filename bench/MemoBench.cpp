// Speed of the list editor's line store: loading a file of a million lines, as "Load List 1"
// does, and the views the comparison reads.

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

#include <benchmark/benchmark.h>

#include "ListGenerator.h"
#include "memo/AdvMemo.h"
#include "platform/Forms.h"

namespace {

constexpr std::size_t kLines = 1000000;

const std::string& ListFile() {
    static const std::string path = [] {
        const std::string file =
            (std::filesystem::temp_directory_path() / "dyadlist-bench-left.txt").string();
        const std::string bytes = bench::MakeListPair(kLines).left;
        std::ofstream(file, std::ios::binary).write(bytes.data(), std::streamsize(bytes.size()));
        return file;
    }();
    return path;
}

void BM_LoadFromFile(benchmark::State& state) {
    TAdvMemo memo(nullptr);
    const std::string& file = ListFile();
    for (auto _ : state) {
        state.PauseTiming();
        memo.Lines().ClearStore(); // as the load command does before its dialog
        state.ResumeTiming();
        memo.Lines().LoadFromFile(file);
        benchmark::DoNotOptimize(memo.Lines().Count());
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(kLines));
}
BENCHMARK(BM_LoadFromFile)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_Views(benchmark::State& state) {
    TAdvMemo memo(nullptr);
    memo.Lines().LoadFromFile(ListFile());
    for (auto _ : state)
        benchmark::DoNotOptimize(memo.Lines().Views().size());
}
BENCHMARK(BM_Views)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    TApplication application(argc, argv, /*offscreen=*/true);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::filesystem::remove(ListFile());
    return 0;
}
