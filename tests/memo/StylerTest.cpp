// An editor painting by a syntax styler: tokens in their colours on exactly their cells, the
// state of a comment carried to rows far below it and dropped when the text above changes,
// and the styler's going.

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "ViewPixels.h"
#include "memo/AdvMemo.h"
#include "memo/Styler.h"
#include "tests/memo/MemoInput.h"

namespace {

constexpr TColor kKeyword = 0x00C000;  // sentinel colours the painter uses nowhere else
constexpr TColor kComment = 0xC000C0;

std::unique_ptr<TAdvCustomMemoStyler> Pascalish() {
    auto styler = std::make_unique<TAdvCustomMemoStyler>();
    TElementStyle& keywords = styler->Elements.Add();
    keywords.KeyWords = {"Begin", "end"};
    keywords.Font.SetColor(kKeyword);
    styler->CommentOpenMarker = "{";
    styler->CommentCloseMarker = "}";
    styler->CommentColors = {kComment, clNone, {}};
    return styler;
}

/// Pixels of `colour` in the cells [first, last) of screen row `row`.
int Cells(TAdvMemo& memo, const Rendered& b, int row, int first, int last, TColor colour) {
    const TRect a = memo.CellRect(first, row), z = memo.CellRect(last - 1, row);
    return CountWhere(b, a.Left, z.Right, a.Top, a.Bottom, [&](TColor c) { return c == colour; });
}

TEST(Styler, TokensTakeTheirColoursOnExactlyTheirCells) {
    TAdvMemo memo(nullptr);
    memo.SetBounds(0, 0, 400, 200);
    memo.Lines().SetText("BEGIN \xC3\xA9t\xC3\xA9 end");
    auto styler = Pascalish();
    memo.SetSyntaxStyles(styler.get());
    EXPECT_TRUE(memo.UseStyler());
    Rendered b = Render(memo);
    EXPECT_GT(Cells(memo, b, 0, 0, 5, kKeyword), 0); // case-insensitive: BEGIN is Begin
    EXPECT_EQ(Cells(memo, b, 0, 5, 12, kKeyword), 0); // the word of two-byte characters
    EXPECT_GT(Cells(memo, b, 0, 13, 16, kKeyword), 0);
    memo.SetCaseSensitive(true);
    b = Render(memo);
    EXPECT_EQ(Cells(memo, b, 0, 0, 5, kKeyword), 0);
    memo.SetUseStyler(false); // plain text again
    memo.SetCaseSensitive(false);
    b = Render(memo);
    EXPECT_EQ(Cells(memo, b, 0, 0, 16, kKeyword), 0);
    memo.SetSyntaxStyles(nullptr);
    EXPECT_FALSE(memo.UseStyler());
}

TEST(Styler, ACommentsStateReachesRowsFarBelowAndFollowsEdits) {
    TAdvMemo memo(nullptr);
    memo.SetBounds(0, 0, 400, 200);
    std::string text = "{ open\r\n";
    for (int i = 0; i < 3000; ++i)
        text += "end\r\n";
    text += "} end\r\n";
    memo.Lines().SetText(text);
    auto styler = Pascalish();
    memo.SetSyntaxStyles(styler.get());
    memo.SetCaretPosition(0, 2000); // the view follows the caret after a change of the text
    memo.SetTopLine(2000);
    Rendered b = Render(memo);
    EXPECT_GT(Cells(memo, b, 0, 0, 3, kComment), 0);
    EXPECT_EQ(Cells(memo, b, 0, 0, 3, kKeyword), 0);
    memo.Lines().Put(0, "no comment"); // far above the view: the rows follow
    b = Render(memo);
    EXPECT_EQ(Cells(memo, b, 0, 0, 3, kComment), 0);
    EXPECT_GT(Cells(memo, b, 0, 0, 3, kKeyword), 0);
    styler.reset(); // the styler goes: plain text
    b = Render(memo);
    EXPECT_EQ(Cells(memo, b, 0, 0, 3, kKeyword), 0);
    EXPECT_EQ(memo.SyntaxStyles(), nullptr);
}

TEST(Styler, TheBlockWordsAtTheCaretAndTheirPartnerTakeTheBlockColour) {
    constexpr TColor kBlock = 0x30D0F0;
    TInputMemo memo("begin\r\n  x\r\nend");
    auto styler = Pascalish();
    styler->BlockOpenWord = "BEGIN";
    styler->BlockCloseWord = "END";
    memo.SetSyntaxStyles(styler.get());
    memo.SetBlockColor(kBlock);
    memo.Go(2, 0);
    Rendered b = Render(memo);
    EXPECT_GT(Cells(memo, b, 0, 0, 5, kBlock), 0);
    EXPECT_GT(Cells(memo, b, 2, 0, 3, kBlock), 0);
    EXPECT_EQ(Cells(memo, b, 1, 0, 3, kBlock), 0);
    memo.Go(1, 1); // off the block words
    b = Render(memo);
    EXPECT_EQ(Cells(memo, b, 0, 0, 5, kBlock), 0);
}

TEST(Styler, ItsSymbolsAndBracketsBoundWordsAndWordMoves) {
    TInputMemo memo("x");
    auto styler = Pascalish();
    TElementStyle& symbols = styler->Elements.Add();
    symbols.StyleType = TStyleType::stSymbol;
    symbols.Symbols = "()";
    TElementStyle& quotes = styler->Elements.Add();
    quotes.StyleType = TStyleType::stBracket;
    quotes.BracketStart = quotes.BracketEnd = '|';
    memo.Lines().Put(0, "foo(bar) |qq| x");
    memo.Key(VK_RIGHT, kCtrl);
    EXPECT_EQ(memo.CaretX(), 9); // the space alone breaks while there is no styler
    memo.DoubleClick(memo.At(6, 0));
    EXPECT_EQ(memo.GetSelectedText(), "foo(bar)");
    memo.SetSyntaxStyles(styler.get());
    memo.Go(0, 0);
    memo.Key(VK_RIGHT, kCtrl);
    EXPECT_EQ(memo.CaretX(), 4); // after "(", the first symbol set's
    memo.DoubleClick(memo.At(6, 0));
    EXPECT_EQ(memo.GetSelectedText(), "bar");
    memo.DoubleClick(memo.At(11, 0));
    EXPECT_EQ(memo.GetSelectedText(), "qq"); // the literal's brackets bound it too
    memo.SetUseStyler(false);
    memo.DoubleClick(memo.At(6, 0));
    EXPECT_EQ(memo.GetSelectedText(), "foo(bar)");
}

} // namespace
