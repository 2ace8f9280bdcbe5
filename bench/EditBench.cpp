// Keystrokes in the list editor: typing a character, Enter and Backspace, undo and redo, in
// the middle of a list of 10,000, 1,000,000 and 10,000,000 lines. A keystroke touches its
// line, the lines it inserts or removes and the view, never the whole text: the sizes cost
// the same per keystroke (but for the line table's move of the lines after an inserted or
// removed one). Select-all and copy is the one command that reads every line: its cost grows
// with the text, as a copy of it must.

#include <string>

#include <benchmark/benchmark.h>

#include "demo/PascalStyler.h"
#include "memo/AdvMemo.h"
#include "platform/Forms.h"
#include "platform/Keys.h"

namespace {

class KeyedMemo : public TAdvMemo {
public:
    using TAdvMemo::TAdvMemo;
    void Key(std::uint16_t key, char ch) {
        std::uint16_t down = key;
        KeyDown(down, {});
        if (ch != 0)
            KeyPress(ch);
        std::uint16_t up = key;
        KeyUp(up, {});
    }
};

void Fill(KeyedMemo& memo, int lines) {
    std::string text;
    text.reserve(static_cast<std::size_t>(lines) * 16);
    for (int i = 0; i < lines; ++i)
        text += "entry number " + std::to_string(i) + "\r\n";
    memo.Lines().SetText(text);
    memo.SetCaretPosition(6, lines / 2);
}

// One round: a character, Enter, and two Backspaces that take both back.
void BM_TypeEnterBackspace(benchmark::State& state) {
    KeyedMemo memo(nullptr);
    memo.SetBounds(0, 0, 500, 367);
    Fill(memo, static_cast<int>(state.range(0)));
    for (auto _ : state) {
        memo.Key('X', 'x');
        memo.Key(VK_RETURN, '\r');
        memo.Key(VK_BACK, '\b');
        memo.Key(VK_BACK, '\b');
    }
    state.SetItemsProcessed(state.iterations() * 4);
}
BENCHMARK(BM_TypeEnterBackspace)
    ->Arg(10000)
    ->Arg(1000000)
    ->Arg(10000000)
    ->Unit(benchmark::kMicrosecond);

// Typing alone: a character in, then Backspace, on one line.
void BM_TypeBackspace(benchmark::State& state) {
    KeyedMemo memo(nullptr);
    memo.SetBounds(0, 0, 500, 367);
    Fill(memo, static_cast<int>(state.range(0)));
    for (auto _ : state) {
        memo.Key('X', 'x');
        memo.Key(VK_BACK, '\b');
    }
    state.SetItemsProcessed(state.iterations() * 2);
}
BENCHMARK(BM_TypeBackspace)->Arg(10000)->Arg(1000000)->Arg(10000000)->Unit(benchmark::kMicrosecond);

// Undo and redo: a word typed, Enter, undone in one step (Ctrl+Z) and done again (Ctrl+Y).
void BM_UndoRedo(benchmark::State& state) {
    KeyedMemo memo(nullptr);
    memo.SetBounds(0, 0, 500, 367);
    Fill(memo, static_cast<int>(state.range(0)));
    for (const char c : std::string("word"))
        memo.Key(static_cast<std::uint16_t>(c - 'a' + 'A'), c);
    memo.Key(VK_RETURN, '\r');
    for (auto _ : state) {
        memo.Undo();
        memo.Redo();
    }
    state.SetItemsProcessed(state.iterations() * 2);
}
BENCHMARK(BM_UndoRedo)->Arg(10000)->Arg(1000000)->Arg(10000000)->Unit(benchmark::kMicrosecond);

// Ctrl+A and Ctrl+C: every line joined by CR LF onto the clipboard.
void BM_SelectAllCopy(benchmark::State& state) {
    KeyedMemo memo(nullptr);
    memo.SetBounds(0, 0, 500, 367);
    Fill(memo, static_cast<int>(state.range(0)));
    for (auto _ : state) {
        memo.SelectAll();
        memo.CopyToClipboard();
    }
}
BENCHMARK(BM_SelectAllCopy)
    ->Arg(10000)
    ->Arg(1000000)
    ->Arg(10000000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// A keystroke round and a paint in 1,000,000 lines of routines (ten lines each, a nested block
// in every one), with folding on and the demonstration styler's regions (Arg 1, every tenth
// routine collapsed) against the same text and styler without folding (Arg 0). Each keystroke
// rebuilds the regions near the caret's line; the paint maps rows through the collapsed ones.
void FillRoutines(KeyedMemo& memo, int lines) {
    std::string text;
    text.reserve(static_cast<std::size_t>(lines) * 14);
    for (int i = 0; i < lines / 10; ++i)
        text += "procedure P;\r\nvar x: integer;\r\nbegin\r\n  x := 1;\r\n  if x > 0 then\r\n"
                "  begin\r\n    x := 2;\r\n  end;\r\n  x := 3;\r\nend;\r\n";
    memo.Lines().SetText(text);
}

// The routines under the styler; with `folded`, folding on and every tenth routine collapsed.
void FoldedSetUp(KeyedMemo& memo, TAdvCustomMemoStyler& styler, bool folded) {
    memo.SetBounds(0, 0, 500, 367);
    memo.SetSyntaxStyles(&styler);
    memo.CodeFolding().SetEnabled(folded);
    FillRoutines(memo, 1000000);
    if (folded) {
        for (int line = 0; line < memo.Lines().Count(); line += 100)
            memo.Model().SetExpanded(line, false);
    }
}

void BM_FoldedKeystrokes(benchmark::State& state) {
    KeyedMemo memo(nullptr);
    const auto styler = MakePascalStyler();
    FoldedSetUp(memo, *styler, state.range(0) == 1);
    memo.SetCaretPosition(8, 500003); // "x := 1" of a routine in the middle
    for (auto _ : state) {
        memo.Key('X', 'x');
        memo.Key(VK_RETURN, '\r');
        memo.Key(VK_BACK, '\b');
        memo.Key(VK_BACK, '\b');
    }
    state.SetItemsProcessed(state.iterations() * 4);
    state.SetLabel(state.range(0) == 1 ? "folding, regions" : "no folding");
    state.counters["regions"] = memo.RegionCount();
}
BENCHMARK(BM_FoldedKeystrokes)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

void BM_FoldedPaint(benchmark::State& state) {
    KeyedMemo memo(nullptr);
    const auto styler = MakePascalStyler();
    FoldedSetUp(memo, *styler, state.range(0) == 1);
    memo.SetTopLine(500000);
    TBitmap bitmap;
    for (auto _ : state)
        memo.PaintTo(bitmap);
    state.SetLabel(state.range(0) == 1 ? "folding, regions" : "no folding");
}
BENCHMARK(BM_FoldedPaint)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    TApplication application(argc, argv, /*offscreen=*/true);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
