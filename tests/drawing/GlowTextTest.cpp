// Caption text on both routes: which route a font takes, the hotkey prefix, the disabled grey,
// alignment by layout, the Arial fallback, and the caption's conversions.

#include <gtest/gtest.h>

#include <memory>

#include "drawing/AdvGDIP.h"
#include "drawing/GlowText.h"
#include "platform/Graphics.h"
#include "BitmapProbe.h"
#include "BlankBitmap.h"

namespace {

// The ink reaches the disabled grey itself in more than a few pixels.
bool InkIsGrey(const TBitmap& b) {
    int inked = 0;
    for (int y = 0; y < b.Height(); ++y)
        for (int x = 0; x < b.Width(); ++x)
            if (b.Pixel(x, y) == clGray)
                ++inked;
    return inked > 5;
}

std::unique_ptr<TFont> FontNamed(const char* name, TColor color = 0x0000C0) {
    auto f = std::make_unique<TFont>();
    f->SetName(name);
    f->SetSize(10);
    f->SetColor(color);
    return f;
}

} // namespace

TEST(GlowText, TheRouteIsGdipOnlyForAnOutlineFaceWithAntiAliasing) {
    const auto arial = FontNamed("Arial");
    EXPECT_TRUE(UsesGdipText(TAntiAlias::aaClearType, *arial));
    EXPECT_TRUE(UsesGdipText(TAntiAlias::aaAntiAlias, *arial));
    EXPECT_FALSE(UsesGdipText(TAntiAlias::aaNone, *arial));
    EXPECT_FALSE(UsesGdipText(TAntiAlias::aaClearType, *FontNamed("No Such Face 42")));
}

TEST(GlowText, GdipRouteShowsTheHotkeyAsAnUnderlineFallsBackToArialAndGreysWhenDisabled) {
    const auto arial = FontNamed("Arial");
    TCaptionStyle style;
    style.Font = arial.get();
    auto b = Blank(120, 30);
    TGPGraphics g(b->Canvas());
    const TRectF box{0, 0, 4096, 4096};
    const TRectF plain = MeasureGdipText(g, u"Merge it!", style, box);
    const TRectF prefixed = MeasureGdipText(g, u"&Merge it!", style, box);
    EXPECT_GT(plain.Width, 30);
    EXPECT_EQ(prefixed.Width, plain.Width);
    // A face that cannot be found is set in Arial.
    const auto missing = FontNamed("No Such Face 42");
    TCaptionStyle fallback = style;
    fallback.Font = missing.get();
    EXPECT_EQ(MeasureGdipText(g, u"Merge it!", fallback, box).Width, plain.Width);

    // The underline adds ink below the plain caption's.
    auto under = Blank(120, 30);
    {
        TGPGraphics gu(under->Canvas());
        DrawGdipText(gu, u"&Merit", style, {0, 0, 120, 30}); // no descenders
    }
    DrawGdipText(g, u"Merit", style, {0, 0, 120, 30});
    const TRect inkPlain = PaintedBox(*b, kUnpainted), inkUnder = PaintedBox(*under, kUnpainted);
    EXPECT_GT(inkUnder.Bottom, inkPlain.Bottom);
    // Centred by default: the ink's middle near the box's (moved 1 to the left).
    EXPECT_NEAR((inkPlain.Left + inkPlain.Right) / 2.0, 59, 3);
    EXPECT_NEAR((inkPlain.Top + inkPlain.Bottom) / 2.0, 15, 4);

    auto grey = Blank(120, 30);
    {
        TGPGraphics gg(grey->Canvas());
        style.Enabled = false;
        style.AntiAlias = TAntiAlias::aaAntiAlias;
        DrawGdipText(gg, u"Merge it!", style, {0, 0, 120, 30});
    }
    EXPECT_TRUE(InkIsGrey(*grey));
}

TEST(GlowText, GdiRouteAlignsByLayoutAndShowsTheHotkeyToo) {
    const auto font = FontNamed("No Such Face 42", 0x0000C0);
    TCaptionStyle style;
    style.Font = font.get();
    auto b = Blank(200, 30);
    const TSize plain = MeasureGdiText(b->Canvas(), "Merge it!", style);
    const TSize prefixed = MeasureGdiText(b->Canvas(), "&Merge it!", style);
    EXPECT_GT(plain.cx, 30);
    EXPECT_EQ(prefixed.cx, plain.cx);
    EXPECT_EQ(prefixed.cy, plain.cy);
    // Notes break at line ends even where the caption would not.
    const TSize notes = MeasureGdiNotes(b->Canvas(), "Merge\nit!", style);
    EXPECT_GE(notes.cy, 2 * plain.cy - 1);
    EXPECT_LT(notes.cx, plain.cx);

    style.Layout = TButtonLayout::blGlyphRightAdjusted;
    DrawGdiText(b->Canvas(), "Merge it!", style, Rect(0, 0, 200, 30));
    const TRect right = PaintedBox(*b, kUnpainted);
    EXPECT_GE(right.Right, 195);
    EXPECT_GT(right.Left, 100);

    auto left = Blank(200, 30);
    style.Layout = TButtonLayout::blGlyphLeftAdjusted;
    style.Enabled = false;
    DrawGdiText(left->Canvas(), "&Merit", style, Rect(0, 0, 200, 30));
    const TRect ink = PaintedBox(*left, kUnpainted);
    EXPECT_GE(ink.Left, 2);
    EXPECT_LE(ink.Left, 5);
    EXPECT_TRUE(InkIsGrey(*left));
    // The underline of the hotkey reaches below the plain caption's ink.
    auto plainLeft = Blank(200, 30);
    DrawGdiText(plainLeft->Canvas(), "Merit", style, Rect(0, 0, 200, 30));
    EXPECT_GT(ink.Bottom, PaintedBox(*plainLeft, kUnpainted).Bottom);
}

TEST(GlowText, CaptionsConvertBetweenBytesAndUtf16) {
    EXPECT_EQ(CaptionUtf16("A\xE9"), u"A\u00E9");     // Windows-1252 byte
    EXPECT_EQ(CaptionUtf16("\xC3\xA9!"), u"\u00E9!"); // UTF-8 sequence
    EXPECT_EQ(CaptionUtf16("\xF0\x9F\x98\x80"), u"\U0001F600");
    EXPECT_EQ(CaptionBytes(u"\u00E9\U0001F600x"), "\xC3\xA9\xF0\x9F\x98\x80x");
    EXPECT_EQ(CaptionBytes(u"\xD800"), "\xEF\xBF\xBD");
    // A high surrogate at the end of the text pairs with nothing after it.
    EXPECT_EQ(CaptionBytes(std::u16string_view(u"\xD800\xDC00", 1)), "\xEF\xBF\xBD");
}
