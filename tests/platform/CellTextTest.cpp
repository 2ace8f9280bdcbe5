// The editor's text on the cell grid: one byte, one cell, glyphs exactly on the grid whatever
// the font's own advances, UTF-8 characters in their first cell.

#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <string>
#include <string_view>

#include "platform/Graphics.h"
#include "BitmapProbe.h"

namespace {

constexpr int kX = 6; // where the text starts; leaves room for a left overhang
constexpr int kY = 3;

struct CellFont {
    const char* name;
    int height;
};

void PrintTo(const CellFont& f, std::ostream* os) {
    *os << f.name << " " << f.height;
}

// Any ink in columns [left, right) on a white bitmap.
bool HasInk(const TBitmap& b, int left, int right) {
    return PaintedBox(b, clWhite, Rect(left, 0, right, b.Height())) != TRect{};
}

// Columns [left, left + width) of `a` and of `b` shifted by `shift` hold the same pixels.
bool SameColumns(const TBitmap& a, int left, int width, const TBitmap& b, int shift) {
    for (int y = 0; y < a.Height(); ++y)
        for (int x = left; x < left + width; ++x)
            if (a.Pixel(x, y) != b.Pixel(x + shift, y))
                return false;
    return true;
}

class CellText : public testing::TestWithParam<CellFont> {
protected:
    // A white bitmap with black text of the parameter's font on a clear brush.
    void Draw(TBitmap& b, std::string_view bytes, int x = kX) {
        TCanvas& c = b.Canvas();
        c.Font().SetName(GetParam().name);
        c.Font().SetHeight(GetParam().height);
        c.Font().SetColor(clBlack);
        c.Brush().Style = TBrushStyle::bsClear;
        c.TextOutCells(x, kY, bytes, w);
    }
    void SetUp() override {
        TBitmap probe(1, 1);
        probe.Canvas().Font().SetName(GetParam().name);
        probe.Canvas().Font().SetHeight(GetParam().height);
        w = probe.Canvas().TextWidth("W"); // the editor's character width
        h = probe.Canvas().TextHeight("W");
        ASSERT_GT(w, 2);
    }
    int w = 0;
    int h = 0;
};

} // namespace

TEST_P(CellText, EachByteInksOnlyItsOwnCell) {
    const std::string text = "WMm@#iW_gj";
    for (std::size_t i = 0; i < text.size(); ++i) {
        std::string one(text.size(), ' ');
        one[i] = text[i];
        TBitmap b(kX + static_cast<int>(text.size()) * w + 2 * w, 30);
        Draw(b, one);
        const TRect ink = PaintedBox(b, clWhite);
        const int cell = kX + static_cast<int>(i) * w;
        ASSERT_NE(ink, TRect{}) << "no ink for '" << text[i] << "'";
        EXPECT_GE(ink.Left, cell - 1) << "'" << text[i] << "' in cell " << i;
        EXPECT_LE(ink.Right, cell + w + 2) << "'" << text[i] << "' in cell " << i;
        EXPECT_GE(ink.Top, kY);
        EXPECT_LE(ink.Bottom, kY + h);
    }
}

TEST_P(CellText, GlyphsSitExactlyOnTheGridAfterAnyRun) {
    // Spaces and i are narrower than W in a proportional font: drawn at their own advances
    // the W would move left. On the grid, it is the very same pixels as a W drawn alone there.
    TBitmap alone(kX + 12 * w, 30);
    Draw(alone, "W", kX + 9 * w);
    for (const char* run : {"         W", "iiiiiiiiiW", "WWWWWWWWWW"}) {
        TBitmap b(kX + 12 * w, 30);
        Draw(b, run);
        EXPECT_TRUE(SameColumns(b, kX + 9 * w, 3 * w, alone, 0)) << run;
    }
    // And a cell further on is the same picture moved by one cell.
    TBitmap moved(kX + 12 * w, 30);
    Draw(moved, "W", kX + 10 * w);
    EXPECT_TRUE(SameColumns(alone, kX + 9 * w - 1, w + 2, moved, w));
}

TEST_P(CellText, Utf8CharacterTakesItsFirstCellAndBlanksTheRest) {
    // U+00E9 as two UTF-8 bytes, then an x: é in cell 0, cell 1 blank, x in cell 2.
    TBitmap b(kX + 6 * w, 30);
    Draw(b, "\xC3\xA9x");
    EXPECT_TRUE(HasInk(b, kX, kX + w));
    EXPECT_FALSE(HasInk(b, kX + w + 2, kX + 2 * w - 1));
    EXPECT_TRUE(HasInk(b, kX + 2 * w, kX + 3 * w));

    // The same character as a lone Windows-1252 byte looks the same in its cell.
    TBitmap latin(kX + 6 * w, 30);
    Draw(latin, "\xE9");
    EXPECT_TRUE(SameColumns(b, 0, kX + w, latin, 0));

    // A three-byte euro sign leaves two blank cells; byte 0x80 alone is the same euro sign.
    TBitmap euro(kX + 6 * w, 30), euro1252(kX + 6 * w, 30);
    Draw(euro, "\xE2\x82\xAC|");
    Draw(euro1252, "\x80");
    EXPECT_TRUE(SameColumns(euro, 0, kX + w, euro1252, 0));
    EXPECT_FALSE(HasInk(euro, kX + w + 2, kX + 3 * w - 1));
    EXPECT_TRUE(HasInk(euro, kX + 3 * w, kX + 4 * w));
}

TEST_P(CellText, BytesOutsideValidSequencesDrawOneCellEach) {
    // A lone lead byte, an overlong form, an encoded surrogate, a truncated tail: each byte
    // is a Windows-1252 character with ink in its own cell.
    for (std::string_view bytes : {std::string_view("\xE9x"), std::string_view("\xC0\xAF"),
                                   std::string_view("\xED\xB2\xA9"), std::string_view("a\xC3")}) {
        TBitmap b(kX + 6 * w, 30);
        Draw(b, bytes);
        for (std::size_t i = 0; i < bytes.size(); ++i) {
            const int cell = kX + static_cast<int>(i) * w;
            EXPECT_TRUE(HasInk(b, cell, cell + w))
                << "byte " << i << " of a " << bytes.size() << "-byte text";
        }
    }
    // Validity is per sequence: a bad byte before a good character does not spoil it.
    TBitmap mixed(kX + 6 * w, 30), good(kX + 6 * w, 30);
    Draw(mixed, "\xFF\xC3\xA9y");
    Draw(good, " \xC3\xA9y");
    EXPECT_TRUE(HasInk(mixed, kX, kX + w)); // ÿ
    EXPECT_TRUE(SameColumns(mixed, kX + w, 4 * w, good, 0));
}

TEST_P(CellText, BackgroundFillsExactlyTheCells) {
    TBitmap b(kX + 12 * w, 40);
    TCanvas& c = b.Canvas();
    c.Font().SetName(GetParam().name);
    c.Font().SetHeight(GetParam().height);
    c.Font().SetColor(clBlack);
    c.Brush().Color = kRed;
    // Five bytes, five cells, though two of them make one character.
    c.TextOutCells(kX, kY, "a\xC3\xA9 b", w);
    EXPECT_EQ(PaintedBox(b, clWhite), Rect(kX, kY, kX + 5 * w, kY + h));
    EXPECT_EQ(b.Pixel(kX, kY), kRed);
    EXPECT_EQ(b.Pixel(kX + 5 * w - 1, kY + h - 1), kRed);
    EXPECT_EQ(c.PenPos(), (TPoint{kX + 5 * w, kY}));
    // The blank second cell of é and the space are background only.
    EXPECT_EQ(PaintedBox(b, kRed, Rect(kX + 2 * w + 1, kY, kX + 4 * w - 1, kY + h)), TRect{});
}

INSTANTIATE_TEST_SUITE_P(Fonts, CellText,
                         testing::Values(CellFont{"Courier New", -13}, CellFont{"Tahoma", -11},
                                         CellFont{"Arial", -16}),
                         [](const testing::TestParamInfo<CellFont>& info) {
                             std::string name = info.param.name;
                             name.erase(std::remove(name.begin(), name.end(), ' '), name.end());
                             return name + std::to_string(-info.param.height);
                         });

TEST(CellTextStyle, ColourStyleAndClearBrush) {
    auto draw = [](TBitmap& b, TFontStyles style, TColor color) {
        TCanvas& c = b.Canvas();
        c.Font().SetName("Courier New");
        c.Font().SetHeight(-13);
        c.Font().SetStyle(style);
        c.Font().SetColor(color);
        c.Brush().Style = TBrushStyle::bsClear;
        c.TextOutCells(2, 2, "Wm  Wm", 8);
    };
    // Text is smoothed: ink is the font colour blended into white, so pure red over white
    // keeps its red channel full and loses green and blue alike.
    auto ink = [](const TBitmap& b, bool (*accept)(TColor)) {
        int n = 0;
        for (int y = 0; y < b.Height(); ++y)
            for (int x = 0; x < b.Width(); ++x)
                n += b.Pixel(x, y) != clWhite && accept(b.Pixel(x, y));
        return n;
    };
    auto reddish = [](TColor c) {
        return (c & 0xFF) == 0xFF && ((c >> 8) & 0xFF) == ((c >> 16) & 0xFF);
    };
    auto any = [](TColor) { return true; };
    TBitmap plain(60, 24), bold(60, 24), underlined(60, 24);
    draw(plain, {}, kRed);
    draw(bold, {TFontStyle::fsBold}, kRed);
    draw(underlined, {TFontStyle::fsUnderline}, kRed);
    EXPECT_GT(ink(plain, reddish), 20);
    EXPECT_EQ(ink(plain, reddish), ink(plain, any)); // nothing but the font colour
    EXPECT_GT(ink(bold, any), ink(plain, any) + 10);
    // The underline runs under every cell, the blank ones too.
    bool fullRow = false;
    for (int y = 2; y < 24 && !fullRow; ++y) {
        bool all = true;
        for (int x = 2; x < 2 + 6 * 8 && all; ++x)
            all = underlined.Pixel(x, y) == kRed;
        fullRow = all;
    }
    EXPECT_TRUE(fullRow);
    EXPECT_EQ(plain.Pixel(2 + 2 * 8 + 4, 8), clWhite); // a blank cell stays untouched
}

TEST(CellTextStyle, CharactersMissingFromTheFontStillLandInTheirCell) {
    // A snowman is not in Liberation Mono: a fallback face draws it, still from its cell.
    TBitmap b(80, 30);
    TCanvas& c = b.Canvas();
    c.Font().SetName("Courier New");
    c.Font().SetHeight(-13);
    c.Font().SetColor(clBlack);
    c.Brush().Style = TBrushStyle::bsClear;
    c.TextOutCells(16, 4, "x\xE2\x98\x83y", 8);
    const TRect snowman = PaintedBox(b, clWhite, Rect(24, 0, 40, 30));
    ASSERT_NE(snowman, TRect{});
    EXPECT_GE(snowman.Left, 23);
    EXPECT_LT(snowman.Left, 32);
    EXPECT_TRUE(HasInk(b, 48, 56)); // y after the three cells

    // Beyond the basic plane too: a four-byte character (a wide face's) starts in its first
    // cell, and the next character comes four cells on.
    TBitmap wide(100, 30);
    TCanvas& w = wide.Canvas();
    w.Font().Assign(c.Font());
    w.Brush().Style = TBrushStyle::bsClear;
    w.TextOutCells(16, 4, "x\xF0\x9F\x98\x80y", 8);
    const TRect smiley = PaintedBox(wide, clWhite, Rect(24, 0, 48, 30));
    ASSERT_NE(smiley, TRect{});
    EXPECT_GE(smiley.Left, 23);
    EXPECT_LT(smiley.Left, 32);
    EXPECT_TRUE(HasInk(wide, 56, 64));
}

namespace {

// A range of a line drawn in Courier New on a bitmap first filled with green, a colour black
// text on a clear brush never makes.
class CellRange : public testing::Test {
protected:
    static constexpr TColor kGreen = 0x00FF00;
    // a, é (2 bytes), b, € (3 bytes), c: eight cells.
    static constexpr std::string_view kLine = "a\xC3\xA9"
                                              "b\xE2\x82\xAC"
                                              "c";

    void SetUp() override {
        TBitmap probe(1, 1);
        Setup(probe.Canvas());
        w = probe.Canvas().TextWidth("W");
        h = probe.Canvas().TextHeight("W");
    }
    static void Setup(TCanvas& c) {
        c.Font().SetName("Courier New");
        c.Font().SetHeight(-13);
        c.Font().SetColor(clBlack);
    }
    void Draw(TBitmap& b, int first, int end, bool opaque = false) {
        b.SetSize(kX + 10 * w, kY + h + 3);
        TCanvas& c = b.Canvas();
        c.Brush().Style = TBrushStyle::bsSolid;
        c.Brush().Color = kGreen;
        c.FillRect(Rect(0, 0, b.Width(), b.Height()));
        Setup(c);
        c.Brush().Color = kRed;
        c.Brush().Style = opaque ? TBrushStyle::bsSolid : TBrushStyle::bsClear;
        c.TextOutCells(kX, kY, kLine, first, end, w);
    }
    // One character a cell: its digit where the cell's inside has ink, '.' where it is bare.
    std::string InkedCells(const TBitmap& b) const {
        std::string cells;
        for (int cell = 0; cell < 10; ++cell) {
            const int left = kX + cell * w;
            const bool ink =
                PaintedBox(b, kGreen, Rect(left + 1, 0, left + w - 1, b.Height())) != TRect{};
            cells.push_back(ink ? static_cast<char>('0' + cell) : '.');
        }
        return cells;
    }
    int w = 0;
    int h = 0;
};

} // namespace

TEST_F(CellRange, CharactersCutByTheRangeAreDrawnOnlyFromTheirFirstCell) {
    TBitmap b;
    Draw(b, 0, 8);
    EXPECT_EQ(InkedCells(b), "01.34..7..");
    // é starts before the range: its second cell stays blank, no stray 1252 glyph of 0xA9.
    Draw(b, 2, 8);
    EXPECT_EQ(InkedCells(b), "...34..7..");
    // The same for the tail of the euro sign.
    Draw(b, 5, 8);
    EXPECT_EQ(InkedCells(b), ".......7..");
    Draw(b, 6, 7);
    EXPECT_EQ(InkedCells(b), "..........");
    // A character starting in range is drawn though its bytes run past the end.
    Draw(b, 0, 2);
    EXPECT_EQ(InkedCells(b), "01........");
    Draw(b, 3, 5);
    EXPECT_EQ(InkedCells(b), "...34.....");
}

TEST_F(CellRange, ARangeDrawsTheSamePixelsAsTheWholeLine) {
    TBitmap whole, part;
    Draw(whole, 0, 8);
    Draw(part, 4, 99);
    EXPECT_TRUE(SameColumns(part, kX + 4 * w, 4 * w, whole, 0));
    EXPECT_EQ(part.Canvas().PenPos(), (TPoint{kX + 8 * w, kY})); // clamped to the line
}

TEST_F(CellRange, BackgroundFillsExactlyTheCellsInRangeOnTheLine) {
    TBitmap b;
    Draw(b, 2, 5, /*opaque=*/true);
    EXPECT_EQ(PaintedBox(b, kGreen), Rect(kX + 2 * w, kY, kX + 5 * w, kY + h));
    EXPECT_EQ(b.Pixel(kX + 2 * w, kY + h - 1), kRed); // the blank tail cell of é is filled
    Draw(b, 6, 20, true);
    EXPECT_EQ(PaintedBox(b, kGreen), Rect(kX + 6 * w, kY, kX + 8 * w, kY + h));
    Draw(b, -3, 1, true);
    EXPECT_EQ(PaintedBox(b, kGreen), Rect(kX, kY, kX + w, kY + h));
    Draw(b, 5, 3, true); // an empty range draws nothing
    EXPECT_EQ(PaintedBox(b, kGreen), TRect{});
}

TEST(CellTextStyle, WithoutAPainterOnlyThePenMoves) {
    TCanvas c;
    c.TextOutCells(5, 7, "abc", 9);
    EXPECT_EQ(c.PenPos(), (TPoint{32, 7}));
}
