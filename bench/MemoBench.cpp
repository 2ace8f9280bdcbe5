// Speed of the list editor on a million lines: loading a file as "Load List 1" does, the
// views the comparison reads, and painting and scrolling the view.

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

#include <benchmark/benchmark.h>

#include "ListGenerator.h"
#include "core/TextDocument.h"
#include "memo/AdvMemo.h"
#include "memo/Styler.h"
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
        benchmark::DoNotOptimize(core::Views(core::DocumentLines(memo.Lines().Document())).size());
}
BENCHMARK(BM_Views)->Unit(benchmark::kMillisecond);

// A paint of a 500 x 367 editor (the window's size) holding the million lines, with the view at
// the top, the middle or the end: the cost must not depend on where the view is.
void BM_Paint(benchmark::State& state) {
    TAdvMemo memo(nullptr);
    memo.SetBounds(0, 0, 500, 367);
    memo.Lines().LoadFromFile(ListFile());
    const int last = memo.Lines().Count() - memo.VisibleLineCount();
    memo.SetTopLine(static_cast<int>(static_cast<std::int64_t>(last) * state.range(0) / 2));
    TBitmap bitmap;
    for (auto _ : state)
        memo.PaintTo(bitmap);
    state.SetLabel(state.range(0) == 0 ? "top" : state.range(0) == 1 ? "middle" : "end");
}
BENCHMARK(BM_Paint)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);

// The same paint in the middle of the million lines with URL awareness off, on (the default),
// and with a syntax styler assigned: links and tokens are layers of the runs, and an editor
// that uses neither pays for neither.
void BM_PaintLayers(benchmark::State& state) {
    TAdvMemo memo(nullptr);
    memo.SetBounds(0, 0, 500, 367);
    memo.Lines().LoadFromFile(ListFile());
    TAdvCustomMemoStyler styler;
    TElementStyle& keywords = styler.Elements.Add();
    keywords.KeyWords = {"and", "begin", "end", "if", "then"};
    TElementStyle& symbols = styler.Elements.Add();
    symbols.StyleType = TStyleType::stSymbol;
    symbols.Symbols = "();:=.,";
    styler.CommentOpenMarker = "{";
    styler.CommentCloseMarker = "}";
    memo.SetUrlAware(state.range(0) != 0);
    if (state.range(0) == 2)
        memo.SetSyntaxStyles(&styler);
    memo.SetTopLine(memo.Lines().Count() / 2);
    TBitmap bitmap;
    memo.PaintTo(bitmap); // the first paint brings the line states down to the view
    for (auto _ : state)
        memo.PaintTo(bitmap);
    state.SetLabel(state.range(0) == 0 ? "plain" : state.range(0) == 1 ? "urls" : "styler");
    memo.SetSyntaxStyles(nullptr);
}
BENCHMARK(BM_PaintLayers)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);

// Dragging the scroll bar from the top to the bottom and painting: the work is the view's, so a
// text of 10,000 lines and one of 10,000,000 cost the same.
void BM_ScrollToBottomAndPaint(benchmark::State& state) {
    TAdvMemo memo(nullptr);
    memo.SetBounds(0, 0, 500, 367);
    std::string text;
    const auto lines = static_cast<int>(state.range(0));
    text.reserve(static_cast<std::size_t>(lines) * 12);
    for (int i = 0; i < lines; ++i)
        text += "line " + std::to_string(i) + "\r\n";
    memo.Lines().SetText(text);
    TBitmap bitmap;
    for (auto _ : state) {
        memo.VerticalBar().Scroll(TScrollCode::scTop);
        memo.VerticalBar().Scroll(TScrollCode::scTrack, lines / 2);
        memo.VerticalBar().Scroll(TScrollCode::scBottom);
        memo.PaintTo(bitmap);
    }
}
BENCHMARK(BM_ScrollToBottomAndPaint)
    ->Arg(10000)
    ->Arg(1000000)
    ->Arg(10000000)
    ->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    TApplication application(argc, argv, /*offscreen=*/true);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::filesystem::remove(ListFile());
    return 0;
}
