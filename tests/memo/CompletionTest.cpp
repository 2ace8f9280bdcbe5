// Auto-completion and parameter hints in an editor with a styler's entries: the list filters
// as letters are typed and inserts as one undo step, after-dot mode, the keys the list takes,
// the call and parameter a hint finds, and the colours and places of both windows.

#include <gtest/gtest.h>

#include <cctype>
#include <memory>
#include <string>
#include <vector>

#include "ViewPixels.h"
#include "memo/CompletionFilter.h"
#include "memo/CompletionList.h"
#include "memo/HintCall.h"
#include "memo/ParameterHint.h"
#include "tests/memo/MemoInput.h"

namespace {

std::unique_ptr<TAdvCustomMemoStyler> Entries() {
    auto styler = std::make_unique<TAdvCustomMemoStyler>();
    styler->AutoCompletion = {{"procedure WriteLn(text: string)", 6},
                              {"function Copy(s; index; count): string", 5},
                              {"procedure Write(x)", 6},
                              {"var count : integer", 1},
                              {"Cnt", 0}};
    styler->HintParameter.Parameters = {"WriteLn(text: string)",
                                        "Copy(s: string; index, count: integer): string"};
    TElementStyle& quotes = styler->Elements.Add();
    quotes.StyleType = TStyleType::stBracket;
    quotes.BracketStart = quotes.BracketEnd = '\'';
    return styler;
}

/// An editor with the entries above, its caret at the end of `text`'s last line.
class Completing : public TInputMemo {
public:
    explicit Completing(std::string_view text) : TInputMemo(text) {
        SetSyntaxStyles(styler_.get());
        Go(static_cast<int>(Lines().Get(Lines().Count() - 1).size()), Lines().Count() - 1);
    }
    /// Each character as the keyboard brings it: its key down, then the character.
    void Keys(std::string_view text) {
        for (const char c : text) {
            const auto u = static_cast<unsigned char>(c);
            std::uint16_t key = static_cast<std::uint16_t>(std::toupper(u));
            TShiftState shift;
            switch (c) {
            case ' ':
                key = VK_SPACE;
                break;
            case '.':
                key = VK_OEM_PERIOD;
                break;
            case ',':
                key = VK_OEM_COMMA;
                break;
            case '-':
                key = VK_OEM_MINUS;
                break;
            case '(':
                key = '9';
                shift = kShift;
                break;
            case ')':
                key = '0';
                shift = kShift;
                break;
            default:
                break;
            }
            Key(key, shift);
            Char(c);
        }
    }
    void CtrlSpace() {
        Key(VK_SPACE, kCtrl);
        Char(' ');
    }
    std::vector<std::string> Shown() {
        std::vector<std::string> texts;
        for (const TCompletionEntry& entry : Completion().Entries())
            texts.push_back(entry.Text);
        return texts;
    }
    std::unique_ptr<TAdvCustomMemoStyler> styler_ = Entries();
};

TEST(Completion, FiltersAsLettersAreTypedAndInsertsAsOneUndoStep) {
    Completing memo("begin\r\n  x wR");
    std::vector<std::string> cancels;
    memo.OnCancelAutoCompletion = [&](TObject*) { cancels.push_back("cancel"); };
    memo.CtrlSpace();
    ASSERT_TRUE(memo.Completion().Showing());
    EXPECT_EQ(memo.Text(), "begin|  x wR"); // Ctrl+Space types nothing
    EXPECT_EQ(memo.Shown(),
              (std::vector<std::string>{"procedure WriteLn(text: string)", "procedure Write(x)"}));
    memo.Keys("itel");
    EXPECT_EQ(memo.Text(), "begin|  x wRitel");
    EXPECT_EQ(memo.Shown(), std::vector<std::string>{"procedure WriteLn(text: string)"});
    // Enter: the word becomes the name with "()", the caret between them.
    memo.Key(VK_RETURN);
    memo.Char('\r');
    EXPECT_FALSE(memo.Completion().Showing());
    EXPECT_EQ(memo.Text(), "begin|  x WriteLn()");
    EXPECT_EQ(memo.CaretX(), 12);
    memo.Undo();
    EXPECT_EQ(memo.Text(), "begin|  x wRitel");
    memo.Redo();
    EXPECT_EQ(memo.Text(), "begin|  x WriteLn()");
    // A letter that leaves no entry cancels the list; the letter is typed.
    memo.Lines().SetText("  cO");
    memo.Go(4, 0);
    memo.CtrlSpace();
    EXPECT_EQ(memo.Shown(), (std::vector<std::string>{"function Copy(s; index; count): string",
                                                      "var count : integer"}));
    memo.Keys("u");
    EXPECT_EQ(memo.Shown(), std::vector<std::string>{"var count : integer"});
    memo.Keys("z");
    EXPECT_FALSE(memo.Completion().Showing());
    EXPECT_EQ(cancels.size(), 1u);
    EXPECT_EQ(memo.Text(), "  cOuz");
}

TEST(Completion, KeysInTheListAndWhatEachInsertionReplaces) {
    Completing memo("a (c)");
    memo.Go(4, 0);
    memo.CtrlSpace(); // the word is "c", bounded by the parentheses
    ASSERT_EQ(memo.Shown().size(), 3u);
    memo.Key(VK_DOWN);
    memo.Key(VK_DOWN);
    memo.Key(VK_DOWN); // stays on the last
    memo.Key(VK_UP);
    EXPECT_EQ(memo.Completion().Selected(), 1);
    // Space inserts like Enter; an entry without "(" gets no parentheses.
    memo.Key(VK_SPACE);
    memo.Char(' ');
    EXPECT_EQ(memo.Text(), "a (count)");
    // "-" types "_"; "(" inserts without parentheses and is then typed.
    memo.Lines().SetText("x c");
    memo.Go(3, 0);
    memo.CtrlSpace();
    memo.Keys("-");
    EXPECT_EQ(memo.Text(), "x c_");
    memo.Lines().SetText("x(co y");
    memo.Go(4, 0);
    memo.CtrlSpace();
    memo.Keys("(");
    EXPECT_EQ(memo.Text(), "x(Copy( y");
    // Esc and Tab close and are not typed; another key cancels and then does its own.
    int cancels = 0;
    memo.OnCancelAutoCompletion = [&](TObject*) { ++cancels; };
    for (const std::uint16_t key : {VK_ESCAPE, VK_TAB}) {
        memo.CtrlSpace();
        ASSERT_TRUE(memo.Completion().Showing());
        memo.Key(key);
        memo.Char(key == VK_TAB ? '\t' : '\x1B');
        EXPECT_FALSE(memo.Completion().Showing());
    }
    EXPECT_EQ(cancels, 0);
    EXPECT_EQ(memo.Text(), "x(Copy( y");
    memo.CtrlSpace();
    memo.Key(VK_LEFT);
    EXPECT_FALSE(memo.Completion().Showing());
    EXPECT_EQ(cancels, 1);
    EXPECT_EQ(memo.CaretX(), 6);
    // A click in the list inserts the name alone over the word bounded by spaces.
    memo.Lines().SetText("(wri");
    memo.Go(4, 0);
    memo.CtrlSpace();
    TCompletionListWindow& list = memo.Completion().Window();
    const TRect rows = list.RowsArea();
    const int second = rows.Top + list.RowHeight() * 3 / 2;
    list.PerformMouseClick(rows.Left + 5, second);
    EXPECT_EQ(memo.Text(), "Write");
}

TEST(Completion, AfterADotTheListFiltersByWhatFollowsIt) {
    Completing memo("obj");
    memo.Keys(".");
    ASSERT_TRUE(memo.CompletionTimer().Enabled());
    memo.CompletionTimer().OnTimer(nullptr);
    ASSERT_TRUE(memo.Completion().Showing());
    EXPECT_EQ(memo.Completion().AnchorColumn(), 4);
    EXPECT_EQ(memo.Shown().size(), 5u); // nothing typed after the dot yet
    memo.Keys("CN");
    EXPECT_EQ(memo.Shown(), std::vector<std::string>{"Cnt"});
    memo.Key(VK_BACK);
    memo.Char('\b');
    EXPECT_EQ(memo.Shown().size(), 3u);
    memo.Key(VK_RETURN);
    EXPECT_EQ(memo.Text(), "obj.Copy()");
    // Ctrl+Space on a word holding a dot; deleting the dot closes the list.
    memo.Lines().SetText("a.b.wr");
    memo.Go(6, 0);
    memo.CtrlSpace();
    EXPECT_EQ(memo.Completion().AnchorColumn(), 4);
    EXPECT_EQ(memo.Shown().size(), 2u);
    for (int i = 0; i < 2; ++i)
        memo.Key(VK_BACK);
    EXPECT_TRUE(memo.Completion().Showing());
    memo.Key(VK_BACK);
    EXPECT_FALSE(memo.Completion().Showing());
    // "(" leaves no word: the timer opens nothing.
    memo.Lines().SetText("f");
    memo.Go(1, 0);
    memo.Keys("(");
    memo.CompletionTimer().OnTimer(nullptr);
    EXPECT_FALSE(memo.Completion().Showing());
}

TEST(Completion, TheEventsMayVetoChangeTheListAndTheText) {
    Completing memo("x");
    std::string seen;
    bool allow = false;
    memo.OnBeforeAutoCompletion = [&](TObject*, const std::string& word, bool& ok) {
        seen = word;
        ok = allow;
    };
    memo.CtrlSpace();
    EXPECT_EQ(seen, "X");
    EXPECT_FALSE(memo.Completion().Showing());
    allow = true;
    memo.OnGetAutoCompletionList = [](TObject*, const std::string&,
                                      std::vector<TCompletionEntry>& list) {
        list = {{"var x\xFF(", 1}};
    };
    memo.OnInsertAutoCompletionEntry = [](TObject*, std::string& text) { text = "x(1)"; };
    int started = 0, inserted = 0;
    memo.OnStartAutoCompletion = [&](TObject*) { ++started; };
    memo.OnAutoCompletion = [&](TObject*) { ++inserted; };
    memo.CtrlSpace();
    memo.Key(VK_RETURN);
    EXPECT_EQ(memo.Text(), "x(1)"); // the handler's text, as it is
    EXPECT_EQ(started, 1);
    EXPECT_EQ(inserted, 1);
    // Read-only, or no styler: nothing opens, and Ctrl+Space still types nothing.
    memo.SetReadOnly(true);
    memo.CtrlSpace();
    EXPECT_FALSE(memo.Completion().Showing());
    memo.SetReadOnly(false);
    memo.SetSyntaxStyles(nullptr);
    memo.CtrlSpace();
    EXPECT_FALSE(memo.Completion().Showing());
    EXPECT_EQ(memo.Text(), "x(1)");
}

TEST(Completion, EntryRulesOnAnyBytes) {
    EXPECT_EQ(CompletionInsertion("function Copy(s; n): string", true), "Copy()");
    EXPECT_EQ(CompletionInsertion("function Copy(s; n): string", false), "Copy");
    EXPECT_EQ(CompletionInsertion("var a;b", true), "a");
    EXPECT_EQ(CompletionInsertion("NoKind", true), "NoKind");
    EXPECT_EQ(CompletionInsertion("", true), "");
    const TEntryParts parts = SplitEntry("procedure Inc(var x)");
    EXPECT_EQ(parts.Kind, "procedure ");
    EXPECT_EQ(parts.Name, "Inc");
    EXPECT_EQ(parts.Rest, "(var x)");
    EXPECT_EQ(SplitEntry("Cnt").Kind, "");
    EXPECT_EQ(WordAround("ab cd", 5, " "), (std::pair<int, int>{3, 5}));
    EXPECT_EQ(WordAround("a b", 0, " "), (std::pair<int, int>{0, 1}));
    EXPECT_EQ(WordAround("ab (", 4, " ("), (std::pair<int, int>{4, 4}));
    EXPECT_EQ(WordAround("ab", 9, " "), (std::pair<int, int>{9, 9}));
    EXPECT_EQ(AfterDotColumn("x a.b.c", 7), 6);
    EXPECT_EQ(AfterDotColumn("a. bc", 5), -1);
    EXPECT_EQ(AfterDotColumn("a.", 40), 2);
    EXPECT_EQ(AfterDotColumn(".ab", 3), 1);
    // Letter case folds in ASCII only; any bytes survive.
    EXPECT_EQ(UpperCased("a\xE9z{"), "A\xE9Z{");
    const std::vector<TCompletionEntry> entries = {{"k \xE9t"}, {"\xE9"}, {" "}, {"k ab"}};
    EXPECT_EQ(CompletionCandidates(entries, "\xE9").size(), 2u);
    EXPECT_EQ(CompletionCandidates(entries, "AB").size(), 1u);
    EXPECT_EQ(CompletionCandidates(entries, "ABC").size(), 0u);
}

// --- parameter hints ------------------------------------------------------------------------

TEST(ParameterHints, TheCallAndParameterAtTheCaret) {
    THintParameter hint;
    hint.Parameters = {"WriteLn(text: string)",
                       "Copy(s: string; index, count: integer): string",
                       "F(a: array(1; 2); b)",
                       "Nothing",
                       "Empty()",
                       "Az09_zA(a; b)"};
    const std::vector<std::pair<char, char>> quotes = {{'\'', '\''}};
    auto at = [&](std::string_view line, bool caseSensitive = false) {
        const auto call =
            FindHintCall(line, static_cast<int>(line.size()), hint, quotes, caseSensitive);
        return call ? std::pair<int, int>{call->Entry, call->Parameter} : std::pair{-1, -1};
    };
    EXPECT_EQ(at("x := copy(name, 1"), (std::pair{1, 1}));
    EXPECT_EQ(at("x := copy(name, 1", true), (std::pair{-1, -1}));
    EXPECT_EQ(at("Copy ('a,(b', "), (std::pair{1, 1})); // nothing in quotes counts
    EXPECT_EQ(at("WriteLn(Copy(s, 1, 2), "), (std::pair{0, 1}));
    EXPECT_EQ(at("WriteLn((a, b"), (std::pair{0, 0})); // the nameless one is passed over
    EXPECT_EQ(at("WriteLn(x)"), (std::pair{-1, -1}));
    EXPECT_EQ(at("Unknown(x, "), (std::pair{-1, -1}));
    EXPECT_EQ(at("(, ) ( ("), (std::pair{-1, -1}));
    EXPECT_EQ(at("x+aZ09_Za (1, "), (std::pair{5, 1})); // names: letters, digits, "_"
    // Parameters end at either delimiter, not inside nested brackets.
    using Spans = std::vector<std::pair<int, int>>;
    EXPECT_EQ(HintParameterSpans(hint.Parameters[1], hint), (Spans{{5, 14}, {16, 21}, {23, 37}}));
    EXPECT_EQ(HintParameterSpans(hint.Parameters[2], hint), (Spans{{2, 16}, {18, 19}}));
    EXPECT_TRUE(HintParameterSpans("Nothing", hint).empty());
    EXPECT_TRUE(HintParameterSpans("Empty( )", hint).empty());
    EXPECT_EQ(HintParameterSpans("G(a", hint), (Spans{{2, 3}}));
}

TEST(ParameterHints, ShownByKeysFollowTheCaretAndHideOffTheCall) {
    Completing memo("begin\r\n  Copy(name, ");
    TParameterHint& hint = memo.ParameterHint();
    memo.Key(VK_SPACE, kCtrlShift);
    ASSERT_TRUE(hint.Showing());
    const auto bold = [&] {
        const auto [start, end] = hint.Current();
        return hint.Text().substr(static_cast<std::size_t>(start),
                                  static_cast<std::size_t>(end - start));
    };
    EXPECT_EQ(bold(), "index");
    memo.Keys("1, ");
    EXPECT_EQ(bold(), "count: integer");
    memo.Keys(")");
    EXPECT_FALSE(hint.Showing());
    // A hidden hint shows by itself after its delay, with hpAuto.
    memo.Key(VK_LEFT);
    EXPECT_FALSE(hint.Showing());
    ASSERT_TRUE(hint.Timer().Enabled());
    EXPECT_EQ(hint.Timer().Interval(), 2500);
    hint.Timer().OnTimer(nullptr);
    EXPECT_EQ(bold(), "count: integer");
    // A move made with Ctrl held leaves it be; a new line hides it.
    memo.Key(VK_LEFT, kCtrl);
    EXPECT_EQ(bold(), "count: integer");
    memo.Key(VK_UP);
    EXPECT_FALSE(hint.Showing());
    // hpManual: no hint by itself; hpNone: not even by the keys.
    memo.Kept().AutoHintParameters = TAutoHintParameters::hpManual;
    memo.Key(VK_DOWN);
    EXPECT_FALSE(hint.Timer().Enabled());
    memo.Kept().AutoHintParameters = TAutoHintParameters::hpNone;
    memo.Key(VK_SPACE, kCtrlShift);
    EXPECT_FALSE(hint.Showing());
    // An inserted entry that brings "()" shows its call's hint.
    memo.Kept().AutoHintParameters = TAutoHintParameters::hpManual;
    memo.Lines().SetText("writel");
    memo.Go(6, 0);
    memo.CtrlSpace();
    memo.Key(VK_RETURN);
    ASSERT_TRUE(hint.Showing());
    EXPECT_EQ(bold(), "text: string");
    // An undo (a key with Ctrl) that takes the call away takes the hint too.
    memo.Keys("x");
    memo.CtrlKey('Z');
    EXPECT_TRUE(hint.Showing());
    memo.CtrlKey('Z');
    EXPECT_FALSE(hint.Showing());
}

// --- the windows: places and colours ----------------------------------------------------------

TEST(CompletionWindows, PlacesAndColours) {
    constexpr TColor kVar = 0x2E8B57, kHintText = 0x8B008B, kHintBack = 0x7FFFD4;
    Completing memo("");
    std::string text;
    for (int i = 0; i < 30; ++i)
        text += "line\r\n";
    memo.Lines().SetText(text + "      c");
    memo.SetTopLine(20);
    memo.SetLeftCol(2);
    memo.Go(7, 30);
    memo.Kept().AutoCompletion.ColorVar = kVar;
    memo.Kept().AutoCompletion.SizeDropDown = false;
    memo.CtrlSpace();
    TCompletionListWindow& list = memo.Completion().Window();
    const TPoint origin = memo.ClientToScreen({0, 0});
    const int row = memo.ScreenRowOfLine(30);
    EXPECT_GT(row, 0);
    EXPECT_EQ(list.Left(),
              origin.X + memo.TextArea().Left + (7 - memo.LeftCol()) * memo.CharWidth());
    EXPECT_EQ(list.Top(), origin.Y + (row + 1) * memo.LineHeight() + 2);
    EXPECT_EQ(list.Width(), 200);
    EXPECT_EQ(list.Height(), 100);
    // Row 0 selected in the selection's colours; row 1's kind word in its kind's colour.
    memo.Kept().AutoCompletion.ShowImages = true;
    TBitmap b;
    list.PaintTo(b);
    const TRect rows = list.RowsArea();
    const int h = list.RowHeight();
    auto count = [&](int top, int left, int right, TColor colour) {
        return CountWhere(b, left, right, top, top + h, [&](TColor c) { return c == colour; });
    };
    const int words = rows.Left + 22 + list.IdentifierColumn();
    EXPECT_EQ(b.Pixel(0, 0), clSilver & 0xFFFFFF);
    EXPECT_GT(count(rows.Top, rows.Left, rows.Right, 0xFF9933), h * 100); // clHighlight
    EXPECT_EQ(count(rows.Top, rows.Left, rows.Right, kVar), 0);
    EXPECT_GT(count(rows.Top + h, rows.Left + 22, words, kVar), 0);
    EXPECT_EQ(count(rows.Top + h, words, rows.Right, kVar), 0);
    // The built-in images, green left out: the variable's blue block.
    EXPECT_GT(count(rows.Top + h, rows.Left, rows.Left + 20, 0xFF8000), 20);
    EXPECT_EQ(count(rows.Top + h, rows.Left, rows.Left + 20, 0x00FF00), 0);
    memo.Key(VK_ESCAPE);
    // The hint: below the caret line, or just above it, in the styler's colours.
    memo.styler_->HintParameter.TextColor = kHintText;
    memo.styler_->HintParameter.BkColor = kHintBack;
    memo.Lines().Put(30, "  WriteLn(");
    memo.Go(10, 30);
    memo.Key(VK_SPACE, kCtrlShift);
    TPopupWindow& window = memo.ParameterHint().HintWindow();
    const TPoint caret = memo.ClientToScreen(memo.CaretPixel());
    EXPECT_EQ(window.Left(), caret.X);
    EXPECT_EQ(window.Top(), caret.Y - 1 + memo.LineHeight());
    memo.Kept().AutoHintParameterPosition = THintParameterPosition::hpAboveCode;
    memo.Key(VK_SPACE, kCtrlShift);
    EXPECT_EQ(window.Top() + window.Height(), caret.Y - 1);
    window.PaintTo(b);
    EXPECT_EQ(b.Pixel(0, 0), kHintText);
    EXPECT_EQ(b.Pixel(2, window.Height() - 2), kHintBack);
    EXPECT_GT(CountWhere(b, 1, window.Width() - 1, 1, window.Height() - 1,
                         [](TColor c) { return c == kHintText; }),
              10);
}

} // namespace
