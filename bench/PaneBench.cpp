// Speed of a result pane: filling it with 1 and 10 million entries in one go, as "Merge it!"
// does, and painting a 500 x 199 pane (the window's) that holds 10 million entries, some long
// enough to wrap, scrolled to the top, the middle and the end; typing and undo in it, and
// select-all and copy of it.
//
//   build/bin/pane_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
//
// Entries are views into one string, so that the generator's own memory stays out of the way.

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include <benchmark/benchmark.h>

#include "platform/Forms.h"
#include "platform/Graphics.h"
#include "platform/StdCtrls.h"
#include "textbox/Memo.h"

namespace {

// `count` entries "entry no N" (15 to 18 bytes); when `longEvery` > 0, every longEvery-th is a
// sentence of about 300 bytes that wraps to three or four rows of the pane.
struct Entries {
    std::string bytes;
    std::vector<std::string_view> views;
};

Entries MakeEntries(std::size_t count, std::size_t longEvery) {
    static const std::string sentence =
        "the quick brown fox jumps over the lazy dog while the five boxing wizards jump quickly "
        "and a wizard's job is to vex chumps quickly in fog, so pack my box with five dozen "
        "liquor jugs before the sphinx of black quartz judges my vow and how vexingly quick daft "
        "zebras jump over the wall ";
    Entries e;
    std::vector<std::size_t> ends;
    ends.reserve(count);
    e.bytes.reserve(count * 18);
    for (std::size_t i = 0; i < count; ++i) {
        e.bytes += "entry no " + std::to_string(100000 + i);
        if (longEvery > 0 && i % longEvery == 0)
            e.bytes += " " + sentence;
        ends.push_back(e.bytes.size());
    }
    e.views.reserve(count);
    std::size_t start = 0;
    for (std::size_t end : ends) {
        e.views.emplace_back(e.bytes.data() + start, end - start);
        start = end;
    }
    return e;
}

void BM_SetEntries(benchmark::State& state) {
    const Entries entries = MakeEntries(static_cast<std::size_t>(state.range(0)), 0);
    TForm form;
    TMemo memo(&form);
    memo.SetBounds(1, 30, 500, 199);
    memo.SetScrollBars(TScrollStyle::ssVertical);
    for (auto _ : state) {
        memo.SetEntries(entries.views);
        benchmark::DoNotOptimize(memo.RowCount()); // laid out: the scroll bar is set
        state.PauseTiming();
        memo.Clear();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_SetEntries)
    ->Arg(1000000)
    ->Arg(10000000)
    ->Iterations(3)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// A pane that takes typed characters as the framework sends them.
class KeyedPane : public TMemo {
public:
    using TMemo::TMemo;
    void Type(char c) { KeyPress(c); }
};

// One pane of 10 million entries (every tenth wraps) for all the paint, typing and copy runs.
KeyedPane& BigPane() {
    static TForm form;
    static KeyedPane* memo = [] {
        auto* m = new KeyedPane(&form);
        m->SetBounds(1, 30, 500, 199);
        m->SetScrollBars(TScrollStyle::ssVertical);
        static const Entries entries = MakeEntries(10000000, 10);
        m->SetEntries(entries.views);
        return m;
    }();
    return *memo;
}

TScrollBar& BarOf(TMemo& memo) {
    for (int i = 0; i < memo.ControlCount(); ++i)
        if (auto* bar = dynamic_cast<TScrollBar*>(memo.Control(i)))
            return *bar;
    throw std::logic_error("the pane has no scroll bar");
}

// range(0): 0 top, 1 middle, 2 end.
void BM_PaintWrapped(benchmark::State& state) {
    TMemo& memo = BigPane();
    TScrollBar& bar = BarOf(memo);
    const int last = bar.Max() - bar.PageSize() + 1;
    bar.Scroll(TScrollCode::scPosition, static_cast<int>(state.range(0)) * (last / 2) +
                                            (state.range(0) == 2 ? last % 2 : 0));
    TBitmap bitmap(memo.Width(), memo.Height());
    for (auto _ : state)
        memo.PaintTo(bitmap);
    state.counters["top_row"] = static_cast<double>(memo.TopRow());
    state.counters["rows"] = static_cast<double>(memo.RowCount());
}
BENCHMARK(BM_PaintWrapped)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();

// A character typed into the pane of 10 million entries, and undone.
void BM_TypeUndo(benchmark::State& state) {
    KeyedPane& memo = BigPane();
    for (auto _ : state) {
        memo.Type('x');
        memo.Undo();
    }
    state.SetItemsProcessed(state.iterations() * 2);
}
BENCHMARK(BM_TypeUndo)->Unit(benchmark::kMicrosecond);

// Select-all and copy of the 10 million entries: the one command that reads them all.
void BM_SelectAllCopy(benchmark::State& state) {
    KeyedPane& memo = BigPane();
    for (auto _ : state) {
        memo.SelectAll();
        memo.CopyToClipboard();
    }
}
BENCHMARK(BM_SelectAllCopy)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char** argv) {
    TApplication application(argc, argv, /*offscreen=*/true);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
