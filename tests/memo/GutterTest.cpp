// The gutter: its lines, background and line numbers where the view puts them.

#include <gtest/gtest.h>

#include "platform/ImageList.h"

#include <string>
#include <utility>

#include "ViewPixels.h"
#include "drawing/Gradient.h"
#include "platform/SysColors.h"

namespace {

class GutterView : public ::testing::Test {
protected:
    GutterView() {
        memo.SetBounds(0, 0, 500, 367);
        std::string text;
        for (int i = 0; i < 2000; ++i)
            text += "x\r\n";
        memo.Lines().SetText(text);
    }

    /// Leftmost ink of the gutter row showing line `index` when it is the top line.
    int NumberInkLeft(int index) {
        memo.SetTopLine(index);
        const Rendered b = Render(memo);
        return LeftmostWhere(b, 1, 44, 1, 1 + memo.LineHeight(), IsInk);
    }

    TAdvMemo memo{nullptr};
};

TEST_F(GutterView, BorderLineAndGradientFromButtonFaceToWhite) {
    memo.Gutter().SetShowLineNumbers(false);
    const Rendered b = Render(memo);
    const int y = 200;
    EXPECT_EQ(b.Pixel(45, y), 0x808080u);
    // The gradient covers the white line: left end button face, growing lighter to the right.
    EXPECT_EQ(b.Pixel(1, y), ColorToRGB(clBtnFace));
    TColor previous = b.Pixel(1, y);
    for (int x = 2; x < 45; ++x) {
        const TColor c = b.Pixel(x, y);
        EXPECT_GE(c & 0xFF, previous & 0xFF) << "x = " << x;
        previous = c;
    }
    EXPECT_GT(previous & 0xFF, 0xFAu);
    EXPECT_LT(previous & 0xFF, 0x100u);
}

TEST_F(GutterView, WithoutAGradientTheWhiteLineStays) {
    memo.Gutter().SetGutterColorTo(clNone);
    const Rendered b = Render(memo);
    EXPECT_EQ(b.Pixel(45, 100), 0x808080u);
    EXPECT_EQ(b.Pixel(44, 100), clWhite);
    EXPECT_EQ(b.Pixel(43, 100), ColorToRGB(clBtnFace));
    EXPECT_EQ(b.Pixel(1, 100), ColorToRGB(clBtnFace));
}

TEST_F(GutterView, NumbersStandByTheirDigitCount) {
    const int cw = memo.CharWidth();
    const int one = NumberInkLeft(0);      // "1"
    const int twelve = NumberInkLeft(11);  // "12"
    const int hundred = NumberInkLeft(99); // "100"
    const int thousand = NumberInkLeft(999);
    EXPECT_GE(one, 24);
    EXPECT_LT(one, 24 + cw);
    EXPECT_GE(twelve, 16);
    EXPECT_LT(twelve, 16 + cw);
    EXPECT_GE(hundred, 8);
    EXPECT_LT(hundred, 8 + cw);
    EXPECT_GE(thousand, 0);
    EXPECT_LT(thousand, cw);
}

TEST_F(GutterView, AMarkedLineShowsItsImageAndTheRest16PixelsRight) {
    const int plain = NumberInkLeft(11); // "12"
    TBitmap red(16, 16);
    red.Canvas().Brush().Color = clRed;
    red.Canvas().FillRect(Rect(0, 0, 16, 16));
    TImageList images;
    images.Add(red);
    memo.MarkerList().SetMarkerImageList(&images);
    memo.MarkerList().AddMarker(11, 0);
    memo.SetTopLine(11);
    const Rendered b = Render(memo);
    // The image: 1 pixel into the row (the border is the first), 2 below its top.
    EXPECT_NE(b.Pixel(1, 3), 0x0000FFu);
    EXPECT_EQ(b.Pixel(2, 3), 0x0000FFu);
    EXPECT_NE(b.Pixel(2, 2), 0x0000FFu);
    EXPECT_EQ(b.Pixel(17, 18), 0x0000FFu);
    EXPECT_NE(b.Pixel(18, 18), 0x0000FFu);
    EXPECT_EQ(LeftmostWhere(b, 18, 44, 1, 1 + memo.LineHeight(), IsInk), plain + 16);
    memo.MarkerList().SetMarkerImageList(nullptr);
}

TEST_F(GutterView, LeadingZerosPadToTheDigitCountAndMoveTheNumberLeft) {
    memo.Gutter().SetShowLeadingZeros(true);
    EXPECT_EQ(memo.Gutter().NumberText(12), "0012");
    EXPECT_LT(NumberInkLeft(11), memo.CharWidth());
    memo.Gutter().SetNumberSuffix(":");
    EXPECT_EQ(memo.Gutter().NumberText(12), "0012");
    EXPECT_EQ(memo.Gutter().NumberLeft("0012"), 0);
    memo.Gutter().SetShowLeadingZeros(false);
    EXPECT_EQ(memo.Gutter().NumberLeft("12"), 16);
}

TEST_F(GutterView, NumbersOfSixDigitsWidenTheGutterAndAreNotCutOff) {
    // "10000(" was all that showed of line 100,000 in the gutter's 45 pixels.
    const int textLeft = memo.TextArea().Left;
    std::string text;
    for (int i = 0; i < 100000; ++i)
        text += "x\r\n";
    memo.Lines().SetText(text);
    TAdvGutter& gutter = memo.Gutter();
    EXPECT_EQ(gutter.GutterWidth(), 45); // the stored layout stays
    const int room = gutter.Width() - 45;
    EXPECT_GT(room, 0);
    EXPECT_EQ(memo.TextArea().Left, textLeft + room);
    memo.SetTopLine(99999);
    const Rendered b = Render(memo);
    // The whole of "100000" lies left of the modified strip's place, ending where the four
    // digits of shorter numbers end.
    const int digit = room / 2;
    EXPECT_EQ(gutter.NumberLeft("100000") + 6 * digit, gutter.NumberLeft("1000") + 4 * digit);
    EXPECT_LE(gutter.NumberLeft("100000") + 6 * digit, gutter.Width() - 4);
    const int top = 1 + (99999 - memo.TopLine()) * memo.LineHeight(); // the row of 100000
    const int inkLeft =
        LeftmostWhere(b, 1, gutter.Width() - 2, top, top + memo.LineHeight(), IsInk);
    EXPECT_GE(inkLeft, gutter.NumberLeft("100000"));
    EXPECT_LT(inkLeft, gutter.NumberLeft("100000") + digit);
    // 99,999 lines need five digits only.
    memo.Lines().Delete(99999);
    EXPECT_EQ(gutter.Width(), 45 + digit);
    // Back to short lists, back to the stored width.
    memo.Lines().SetText("a");
    EXPECT_EQ(gutter.Width(), 45);
    EXPECT_EQ(memo.TextArea().Left, textLeft);
}

TEST_F(GutterView, NumbersStandOnePixelAboveTheirText) {
    memo.Lines().Put(0, "_");
    memo.Gutter().SetShowLineNumbers(true);
    const Rendered b = Render(memo);
    const int lh = memo.LineHeight();
    // Gutter row k spans [1 + k*lh, 1 + (k+1)*lh); text row k spans [2 + k*lh, ...).
    auto lowestInk = [&](int x0, int x1) {
        for (int y = 1 + lh; y >= 0; --y)
            for (int x = x0; x < x1; ++x)
                if (IsInk(b.Pixel(x, y)))
                    return y;
        return -1;
    };
    const int underscore = lowestInk(48, 48 + memo.CharWidth());
    ASSERT_GE(underscore, 2);
    EXPECT_LT(underscore, 2 + lh);
}

TEST_F(GutterView, MarginRulesAndStartNumber) {
    memo.Gutter().SetGutterMargin(10);
    EXPECT_EQ(memo.Gutter().GutterMargin(), 45);
    memo.Gutter().SetLineNumberStart(-4);
    EXPECT_EQ(memo.Gutter().LineNumberStart(), 1);
    memo.Gutter().SetLineNumberStart(0);
    EXPECT_EQ(memo.Gutter().LineNumberStart(), 0);
}

TEST_F(GutterView, ModifiedStripAndActiveLineArrow) {
    memo.Gutter().SetShowModified(true);
    memo.Lines().LineProp(1)->Modified = true;
    const Rendered b = Render(memo);
    const int lh = memo.LineHeight();
    // The strip is the 4 pixels at the row's right end: the row ends at 44, so 40..43.
    EXPECT_EQ(b.Pixel(40, 1 + lh / 2), clLime);
    EXPECT_EQ(b.Pixel(43, 1 + lh / 2), clLime);
    EXPECT_EQ(b.Pixel(42, 1 + lh + lh / 2), clYellow);
    EXPECT_NE(b.Pixel(39, 1 + lh / 2), clLime);
    EXPECT_NE(b.Pixel(44, 1 + lh / 2), clLime);
    // A breakpoint: a red dot from 2 to 12 pixels into its row.
    memo.Lines().LineProp(3)->Breakpoint = true;
    const Rendered dot = Render(memo);
    EXPECT_EQ(dot.Pixel(1 + 7, 1 + 3 * lh + 7), 0x0000FFu);
    EXPECT_NE(dot.Pixel(1 + 7, 1 + 2 * lh + 7), 0x0000FFu);

    // The arrow shows only for the active line, which follows the caret only when asked to.
    memo.ActiveLineSettings().SetShowActiveLineIndicator(true);
    memo.SetCaretY(2);
    EXPECT_EQ(memo.ActiveLine(), -1);
    auto lime = [](TColor c) { return c == clLime; };
    const Rendered noArrow = Render(memo);
    EXPECT_EQ(CountWhere(noArrow, 1, 40, 1 + 2 * lh, 1 + 3 * lh, lime), 0);
    memo.ActiveLineSettings().SetActiveLineAtCursor(true);
    memo.SetCaretY(3);
    memo.SetCaretY(2);
    EXPECT_EQ(memo.ActiveLine(), 2);
    const Rendered arrow = Render(memo);
    EXPECT_GT(CountWhere(arrow, 1 + 13, 1 + 22, 1 + 2 * lh, 1 + 3 * lh, lime), 0);
}

// The same digit in the same font: the gutter's copy stands exactly one pixel higher.
TEST_F(GutterView, ANumberStandsOnePixelAboveTheSameTextInItsRow) {
    memo.Lines().Put(0, "1");
    const Rendered b = Render(memo);
    const int lh = memo.LineHeight();
    auto inkRows = [&](int x0, int x1) {
        int top = -1, bottom = -1;
        for (int y = 1; y < 2 + lh; ++y) // below the border
            for (int x = x0; x < x1; ++x)
                if (IsInk(b.Pixel(x, y))) {
                    top = top < 0 ? y : top;
                    bottom = y;
                }
        return std::pair{top, bottom};
    };
    const auto number = inkRows(24, 24 + memo.CharWidth());
    const auto text = inkRows(48, 48 + memo.CharWidth());
    ASSERT_GE(number.first, 0);
    EXPECT_EQ(number.first, text.first - 1);
    EXPECT_EQ(number.second, text.second - 1);
}

TEST_F(GutterView, TheSuffixFollowsTheNumber) {
    const int cw = memo.CharWidth();
    const int lh = memo.LineHeight();
    // "1" stands at 24; its suffix takes the cells after it.
    EXPECT_EQ(CountWhere(Render(memo), 24 + cw, 44, 1, 1 + lh, IsInk), 0);
    memo.Gutter().SetNumberSuffix("W");
    EXPECT_GT(CountWhere(Render(memo), 24 + cw, 24 + 2 * cw, 1, 1 + lh, IsInk), 0);
}

TEST_F(GutterView, AnEmptyStoreStillShowsTheMarksOfItsFirstRow) {
    memo.Gutter().SetShowModified(true);
    memo.Clear();
    ASSERT_EQ(memo.Lines().Count(), 0);
    const Rendered b = Render(memo);
    const int lh = memo.LineHeight();
    EXPECT_EQ(b.Pixel(41, 1 + lh / 2), clLime);
    EXPECT_NE(b.Pixel(41, 1 + lh + lh / 2), clLime);
}

TEST_F(GutterView, APointMarkStaysInsideItsRow) {
    memo.Lines().LineProp(1)->PointMark = true;
    const Rendered b = Render(memo);
    const int lh = memo.LineHeight();
    auto mark = [](TColor c) { return c == clBlue || c == clNavy || c == 0xFFFF00u; };
    EXPECT_GT(CountWhere(b, 1, 16, 1 + lh, 1 + 2 * lh, mark), 0);
    EXPECT_EQ(CountWhere(b, 1, 45, 1, 1 + lh, mark) +
                  CountWhere(b, 16, 45, 1 + lh, 1 + 2 * lh, mark) +
                  CountWhere(b, 1, 45, 1 + 2 * lh, 200, mark),
              0);
}

TEST(Gradient, BandsStepTowardsTheEndColourOneStepShort) {
    TBitmap b(48, 4);
    DrawGradient(b.Canvas(), 0x000000, 0x0000F0, 48, TGradientDirection::gdHorizontal,
                 Rect(0, 0, 48, 4));
    // One pixel a band: band k has red round(k * 240 / 48) = 5k.
    for (int x = 0; x < 48; ++x)
        EXPECT_EQ(b.Pixel(x, 1), static_cast<TColor>(5 * x)) << "x = " << x;

    TBitmap v(3, 10);
    DrawGradient(v.Canvas(), clWhite, clBlack, 0, TGradientDirection::gdVertical,
                 Rect(0, 0, 3, 10));
    EXPECT_EQ(v.Pixel(1, 9), clWhite); // no steps count as one: all the start colour
}

} // namespace
