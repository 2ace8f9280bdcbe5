// The face painter rendered onto bitmaps first filled with a colour no face uses, so a pixel
// left unpainted shows: the glow split of odd and even faces, the frame, caption and notes
// placement and size, pictures, and the drop-down part.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>

#include "BitmapProbe.h"
#include "BlankBitmap.h"
#include "drawing/ColorArithmetic.h"
#include "glowbutton/GlowButtonFace.h"
#include "platform/Graphics.h"

namespace {

constexpr TColor kFrame = 0x00C000;

std::unique_ptr<TFont> FontNamed(const char* name, TColor color) {
    auto f = std::make_unique<TFont>();
    f->SetName(name);
    f->SetSize(10);
    f->SetColor(color);
    return f;
}

// One flat colour everywhere: both parts and both ends, so anything else on it is content.
TGlowColorSet Flat(TColor c) {
    return {c, c, c, c, kFrame, TGDIPGradient::ggVertical, TGDIPGradient::ggVertical};
}

// The boxes of the reddish (caption) and bluish (notes) ink on a face.
struct TInk {
    TRect Caption{1 << 20, 1 << 20, 0, 0};
    TRect Notes{1 << 20, 1 << 20, 0, 0};
};
TInk InkOf(const TBitmap& b) {
    TInk ink;
    for (int y = 0; y < b.Height(); ++y)
        for (int x = 0; x < b.Width(); ++x) {
            const TColor c = b.Pixel(x, y);
            TRect* box = (c & 0xFF) < 0x80 && (c >> 16) > 0xC0   ? &ink.Notes
                         : (c >> 16) < 0x80 && (c & 0xFF) > 0xC0 ? &ink.Caption
                                                                 : nullptr;
            if (box) {
                box->Left = std::min(box->Left, x);
                box->Top = std::min(box->Top, y);
                box->Right = std::max(box->Right, x + 1);
                box->Bottom = std::max(box->Bottom, y + 1);
            }
        }
    return ink;
}

} // namespace

TEST(GlowButtonFace, OddAndEvenFacesSplitUnderTheTopPartWithTheFrameOnTheLastRowAndColumn) {
    // Top colours are pure red shades, mirror colours pure blue shades.
    const TGlowColorSet set{0x000080,
                            0x0000FF,
                            0x800000,
                            0xFF0000,
                            kFrame,
                            TGDIPGradient::ggVertical,
                            TGDIPGradient::ggRadial};
    TGlowFaceContent content;
    content.Rounded = false;
    for (int height : {27, 26}) {
        for (bool measuring : {false, true}) {
            auto b = Blank(40, height);
            const TSize size = DrawGlowButtonFace(b->Canvas(), Rect(0, 0, 40, height), set, content,
                                                  {}, measuring);
            EXPECT_EQ(size, (TSize{0, 0}));
            const int lastTopRow = height == 27 ? 13 : 12;
            for (int y = 0; y < height; ++y)
                for (int x = 0; x < 40; ++x) {
                    const TColor c = b->Pixel(x, y);
                    if (x == 0 || y == 0 || x == 39 || y == height - 1)
                        ASSERT_EQ(c, kFrame) << x << "," << y << " h" << height;
                    else if (y <= lastTopRow)
                        ASSERT_TRUE((c & 0xFFFF00) == 0 && (c & 0xFF) >= 0x80)
                            << x << "," << y << " h" << height;
                    else
                        ASSERT_TRUE((c & 0x00FFFF) == 0 && (c >> 16) >= 0x80)
                            << x << "," << y << " h" << height;
                }
        }
    }

    // Without background neither glow nor frame is painted, but the focus frames are.
    auto bare = Blank(40, 27);
    DrawGlowButtonFace(bare->Canvas(), Rect(0, 0, 40, 27), set, content,
                       {.FocusBorder = true, .NoBackground = true}, false);
    EXPECT_EQ(bare->Pixel(0, 0), kUnpainted);
    EXPECT_EQ(bare->Pixel(20, 13), kUnpainted);
    EXPECT_EQ(bare->Pixel(20, 1), 0xE4AD89u);
    EXPECT_EQ(bare->Pixel(20, 25), 0xE4AD89u);
    EXPECT_EQ(bare->Pixel(38, 13), 0xE4AD89u);
    EXPECT_EQ(bare->Pixel(20, 26), kUnpainted);
    EXPECT_EQ(Count(*bare, kFrame), 0);
}

TEST(GlowButtonFace, ACaptionIsCentredBesideItsPictureRoomAndMeasuredWithTheSpacing) {
    const TColor ground = 0xE0E0E0;
    for (TAntiAlias aa : {TAntiAlias::aaClearType, TAntiAlias::aaNone}) {
        const auto font = FontNamed("Arial", 0x0000C0);
        TGlowFaceContent content{.Caption = "Merge it!", .Font = font.get(), .AntiAlias = aa};
        auto b = Blank(100, 27);
        const TSize measured = DrawGlowButtonFace(b->Canvas(), Rect(0, 0, 100, 27), Flat(ground),
                                                  content, {.DrawsBorder = false}, true);
        DrawGlowButtonFace(b->Canvas(), Rect(0, 0, 100, 27), Flat(ground), content,
                           {.DrawsBorder = false}, false);
        const TRect ink = PaintedBox(*b, ground, Rect(0, 0, 100, 27));
        ASSERT_LT(ink.Left, ink.Right) << static_cast<int>(aa);
        if (aa != TAntiAlias::aaNone) {
            // Exactly the text's own size in a 4096 box, rounded, plus the spacing.
            TGPGraphics g(b->Canvas());
            const TRectF t =
                MeasureGdipText(g, u"Merge it!", {.Font = font.get()}, {0, 0, 4096, 4096});
            EXPECT_EQ(measured, (TSize{static_cast<int>(std::nearbyint(t.Width)) + 2,
                                       static_cast<int>(std::nearbyint(t.Height)) + 2}));
        }
        // (W + 2, H + 2): the ink is narrower than the text's box, never wider.
        EXPECT_GE(measured.cx - 2, ink.Width());
        EXPECT_LE(measured.cx - 2, ink.Width() + 8);
        EXPECT_GE(measured.cy - 2, ink.Height());
        // Centred in (2, 0, 98, 27): its middle at 51, give or take the glyphs' bearings.
        EXPECT_NEAR((ink.Left + ink.Right) / 2.0, 51.0 - (aa == TAntiAlias::aaNone ? 0 : 1), 2.0)
            << static_cast<int>(aa);
        EXPECT_NEAR((ink.Top + ink.Bottom) / 2.0, 13.5, 2.5) << static_cast<int>(aa);

        // The same caption given as UTF-16 is painted the same.
        auto wide = Blank(100, 27);
        TGlowFaceContent wideContent = content;
        wideContent.Caption.clear();
        wideContent.CaptionWide = u"Merge it!";
        DrawGlowButtonFace(wide->Canvas(), Rect(0, 0, 100, 27), Flat(ground), wideContent,
                           {.DrawsBorder = false}, false);
        EXPECT_EQ(PaintedBox(*wide, ground, Rect(0, 0, 100, 27)), ink) << static_cast<int>(aa);

        // Disabled: the caption is grey on both routes.
        auto off = Blank(100, 27);
        DrawGlowButtonFace(off->Canvas(), Rect(0, 0, 100, 27), Flat(ground), content,
                           {.Enabled = false, .DrawsBorder = false}, false);
        EXPECT_GT(Count(*off, clGray), 5) << static_cast<int>(aa);
        EXPECT_EQ(Count(*off, kUnpainted), 0);
    }
}

TEST(GlowButtonFace, BackslashNBreaksTheCaptionUnlessAFixedPictureSizeIsInForce) {
    const auto font = FontNamed("Arial", 0x0000C0);
    auto b = Blank(100, 60);
    const auto measure = [&](std::string caption, int fixed) {
        TGlowFaceContent content{
            .Caption = caption, .Font = font.get(), .PictureWidth = fixed, .PictureHeight = fixed};
        return DrawGlowButtonFace(b->Canvas(), Rect(0, 0, 100, 60), Flat(0xE0E0E0), content, {},
                                  true);
    };
    const TSize one = measure("Load List", 0);
    const TSize two = measure("Load\\nList", 0);
    const TSize upper = measure("Load\\NList", 0);
    const TSize spaced = measure("Load\\nList", 16);
    EXPECT_GT(two.cy, one.cy + (one.cy - 2) / 2);
    EXPECT_LT(two.cx, one.cx);
    EXPECT_EQ(upper, two);
    EXPECT_EQ(spaced, one);
}

TEST(GlowButtonFace, NotesMakeOneVerticallyCentredBlockBesideTheCaption) {
    const TColor ground = 0xE0E0E0;
    const auto font = FontNamed("Arial", 0x0000C0);
    const auto notesFont = FontNamed("Arial", 0xC00000);
    TGlowFaceContent content{.Caption = "Load",
                             .Font = font.get(),
                             .Notes = "second line",
                             .NotesFont = notesFont.get(),
                             .Layout = TButtonLayout::blGlyphRight};
    auto b = Blank(120, 50);
    const TSize size = DrawGlowButtonFace(b->Canvas(), Rect(0, 0, 120, 50), Flat(ground), content,
                                          {.DrawsBorder = false}, false);
    const TRect all = PaintedBox(*b, ground, Rect(0, 0, 120, 50));
    // Caption and notes are each in their own colour: red above, blue below.
    const auto [caption, notes] = InkOf(*b);
    ASSERT_LT(caption.Left, caption.Right);
    ASSERT_LT(notes.Left, notes.Right);
    EXPECT_LE(caption.Bottom, notes.Top);
    // The layout became left adjusted: both start at the left, not centred.
    EXPECT_LE(caption.Left, 6);
    EXPECT_LE(notes.Left, 6);
    EXPECT_NEAR((all.Top + all.Bottom) / 2.0, 25.0, 3.0);
    // Width: the wider of the two plus the spacing; height: both plus the spacing.
    EXPECT_GE(size.cx, notes.Width() + 2);
    EXPECT_GE(size.cy, caption.Height() + notes.Height() + 2);
}

TEST(GlowButtonFace, OnThePlainTextRouteWrapLeavesCaptionAndNotesWhereTheyStandWithoutIt) {
    // One line each, so wrapping changes nothing: the block stays centred, notes below.
    const TColor ground = 0xE0E0E0;
    const auto font = FontNamed("Arial", 0x0000C0);
    const auto notesFont = FontNamed("Arial", 0xC00000);
    TInk seen[2];
    for (bool wrap : {false, true}) {
        TGlowFaceContent content{.Caption = "Load",
                                 .Font = font.get(),
                                 .Notes = "notes",
                                 .NotesFont = notesFont.get(),
                                 .WordWrap = wrap,
                                 .AntiAlias = TAntiAlias::aaNone};
        auto b = Blank(120, 60);
        DrawGlowButtonFace(b->Canvas(), Rect(0, 0, 120, 60), Flat(ground), content,
                           {.DrawsBorder = false}, false);
        seen[wrap] = InkOf(*b);
        ASSERT_LT(seen[wrap].Caption.Top, seen[wrap].Caption.Bottom) << wrap;
        ASSERT_LT(seen[wrap].Notes.Top, seen[wrap].Notes.Bottom) << wrap;
        EXPECT_LE(seen[wrap].Caption.Bottom, seen[wrap].Notes.Top) << wrap;
        EXPECT_NEAR((seen[wrap].Caption.Top + seen[wrap].Notes.Bottom) / 2.0, 30.0, 3.0) << wrap;
    }
    EXPECT_EQ(seen[true].Caption, seen[false].Caption);
    EXPECT_EQ(seen[true].Notes, seen[false].Notes);
}

TEST(GlowButtonFace, WithoutACaptionTheGlyphIsCentredItsKeyColourLeftOutAndATinyOneIgnored) {
    const TColor ground = 0xE0E0E0;
    TBitmap glyph(6, 4);
    glyph.Canvas().Brush().Color = 0x00FFFF; // the key: the bottom-left pixel's colour
    glyph.Canvas().FillRect(Rect(0, 0, 6, 4));
    glyph.Canvas().SetPixel(1, 1, 0x0000FF);
    glyph.Canvas().SetPixel(4, 2, 0xFF0000);

    TGlowFaceContent content{.Glyph = &glyph};
    auto b = Blank(40, 27);
    const TSize size = DrawGlowButtonFace(b->Canvas(), Rect(0, 0, 40, 27), Flat(ground), content,
                                          {.DrawsBorder = false}, false);
    EXPECT_EQ(size, (TSize{6, 4}));
    // At (17, 11): (40 - 6) div 2 and (27 - 4) div 2.
    EXPECT_EQ(PaintedBox(*b, ground, Rect(0, 0, 40, 27)), Rect(18, 12, 22, 14));
    EXPECT_EQ(b->Pixel(18, 12), 0x0000FFu);
    EXPECT_EQ(b->Pixel(21, 13), 0xFF0000u);

    // A fixed size stretches it.
    content.PictureWidth = 12;
    content.PictureHeight = 8;
    auto big = Blank(40, 27);
    DrawGlowButtonFace(big->Canvas(), Rect(0, 0, 40, 27), Flat(ground), content,
                       {.DrawsBorder = false}, false);
    // At (14, 9), each glyph pixel now two by two.
    EXPECT_EQ(PaintedBox(*big, ground, Rect(0, 0, 40, 27)), Rect(16, 11, 24, 15));

    // Two by two is the smallest glyph there is.
    TBitmap two(2, 2);
    two.Canvas().Brush().Color = 0x00FFFF;
    two.Canvas().FillRect(Rect(0, 0, 2, 2));
    two.Canvas().SetPixel(1, 0, 0x0000FF);
    auto small = Blank(40, 27);
    EXPECT_EQ(DrawGlowButtonFace(small->Canvas(), Rect(0, 0, 40, 27), Flat(ground), {.Glyph = &two},
                                 {.DrawsBorder = false}, false),
              (TSize{2, 2}));
    EXPECT_EQ(small->Pixel(20, 12), 0x0000FFu);

    TBitmap tiny(1, 1);
    tiny.Canvas().SetPixel(0, 0, 0x0000FF);
    auto none = Blank(40, 27);
    const TSize noSize = DrawGlowButtonFace(none->Canvas(), Rect(0, 0, 40, 27), Flat(ground),
                                            {.Glyph = &tiny}, {.DrawsBorder = false}, false);
    EXPECT_EQ(noSize, (TSize{0, 0}));
    EXPECT_EQ(Count(*none, ground), 40 * 27);
}

TEST(GlowButtonFace, TheDropDownStripIsSplitOffDarkerAndCarriesItsArrow) {
    const TColor c = 0xD0D0D0;
    TGlowFaceContent content{.DropDownButton = true};
    for (int overStrip : {1, 2}) {
        auto b = Blank(50, 27);
        DrawGlowButtonFace(b->Canvas(), Rect(0, 0, 50, 27), Flat(c), content,
                           {.PressedLook = true, .DropDownState = overStrip}, false);
        // The split line along the strip's left edge, 14 from the right.
        for (int y = 2; y < 25; ++y) {
            if (y < 12 || y > 15) {
                ASSERT_EQ(b->Pixel(36, y), kFrame) << y;
            }
        }
        // The part away from the pointer is a shade darker.
        const TColor face = overStrip == 2 ? c : AdjustBrightness(c, -10);
        const TColor strip = overStrip == 2 ? AdjustBrightness(c, -10) : c;
        EXPECT_EQ(b->Pixel(10, 5), face) << overStrip;
        EXPECT_EQ(b->Pixel(10, 20), face) << overStrip;
        EXPECT_EQ(b->Pixel(44, 4), strip) << overStrip;
        EXPECT_EQ(b->Pixel(44, 22), strip) << overStrip;
        // The arrow: black, its top row at (40, 13) to (44, 13) below white highlights.
        for (int x = 40; x <= 44; ++x)
            EXPECT_EQ(b->Pixel(x, 13), clBlack) << x;
        EXPECT_EQ(b->Pixel(42, 15), clBlack);
        EXPECT_EQ(b->Pixel(42, 16), clWhite);
    }

    // A strip at the bottom: a line along its top, the face above it darker.
    content.DropDownPosition = TDropDownPosition::dpBottom;
    auto low = Blank(50, 40);
    DrawGlowButtonFace(low->Canvas(), Rect(0, 0, 50, 40), Flat(c), content,
                       {.PressedLook = true, .DropDownState = 1}, false);
    EXPECT_EQ(low->Pixel(10, 26), kFrame);
    EXPECT_EQ(low->Pixel(10, 5), AdjustBrightness(c, -10));
    EXPECT_EQ(low->Pixel(10, 20), AdjustBrightness(c, -10));
    EXPECT_EQ(low->Pixel(10, 32), c);
    EXPECT_EQ(low->Pixel(22, 32), clBlack); // (50 - 5) div 2, 26 + (14 - 3) div 2 + 1
    content.DropDownPosition = TDropDownPosition::dpRight;

    // Not pressed: one glow over the whole face, no split line; disabled: a grey arrow.
    auto plain = Blank(50, 27);
    DrawGlowButtonFace(plain->Canvas(), Rect(0, 0, 50, 27), Flat(c), content,
                       {.Enabled = false, .DropDownState = 1}, false);
    EXPECT_EQ(plain->Pixel(36, 5), c);
    EXPECT_EQ(plain->Pixel(10, 5), c);
    EXPECT_EQ(plain->Pixel(40, 13), clGray);
}

TEST(GlowButtonFace, APictureBesideOrAboveTheCaptionAddsItsSizeAndTheSpacing) {
    const TColor ground = 0xE0E0E0;
    const auto font = FontNamed("Arial", 0x0000C0);
    TBitmap glyph(6, 4);
    glyph.Canvas().Brush().Color = 0x00FF00;
    glyph.Canvas().FillRect(Rect(0, 0, 6, 4));
    glyph.Canvas().SetPixel(0, 3, 0x00FFFF); // the key
    const auto draw = [&](TButtonLayout layout, const TBitmap* g, TBitmap& onto) {
        TGlowFaceContent content{
            .Caption = "Load", .Font = font.get(), .Glyph = g, .Layout = layout};
        const TSize size = DrawGlowButtonFace(onto.Canvas(), Rect(0, 0, 100, 40), Flat(ground),
                                              content, {.DrawsBorder = false}, true);
        DrawGlowButtonFace(onto.Canvas(), Rect(0, 0, 100, 40), Flat(ground), content,
                           {.DrawsBorder = false}, false);
        return size;
    };
    const auto greenBox = [](const TBitmap& b) {
        TRect box{100, 40, 0, 0};
        for (int y = 0; y < 40; ++y)
            for (int x = 0; x < 100; ++x)
                if (b.Pixel(x, y) == 0x00FF00) {
                    box.Left = std::min(box.Left, x);
                    box.Top = std::min(box.Top, y);
                    box.Right = std::max(box.Right, x + 1);
                    box.Bottom = std::max(box.Bottom, y + 1);
                }
        return box;
    };
    auto scratch = Blank(100, 40);
    const TSize text = draw(TButtonLayout::blGlyphLeft, nullptr, *scratch);
    // No picture: the spacing is not added for one either way.
    EXPECT_EQ(draw(TButtonLayout::blGlyphTop, nullptr, *scratch), text);

    // Beside: the width grows by the picture and the spacing; the height is the taller.
    for (TButtonLayout layout : {TButtonLayout::blGlyphLeft, TButtonLayout::blGlyphRight}) {
        auto b = Blank(100, 40);
        const TSize size = draw(layout, &glyph, *b);
        EXPECT_EQ(size, (TSize{text.cx + 6 + 2, text.cy})) << static_cast<int>(layout);
        const TRect pic = greenBox(*b);
        EXPECT_EQ(pic.Width(), 6);
        EXPECT_EQ(pic.Height(), 4);
        EXPECT_EQ(pic.Top, 18); // (40 - 4) div 2
        const TRect caption =
            PaintedBox(*b, ground,
                       Rect(layout == TButtonLayout::blGlyphLeft ? pic.Right : 0, 0,
                            layout == TButtonLayout::blGlyphLeft ? 100 : pic.Left, 40));
        ASSERT_LT(caption.Left, caption.Right);
        if (layout == TButtonLayout::blGlyphLeft)
            EXPECT_LT(pic.Right, caption.Left);
        else
            EXPECT_GT(pic.Left, caption.Right);
    }
    // Right adjusted: the picture at the content's right edge, w - pw - 2 + spacing.
    auto adjusted = Blank(100, 40);
    draw(TButtonLayout::blGlyphRightAdjusted, &glyph, *adjusted);
    EXPECT_EQ(greenBox(*adjusted).Left, 100 - 8 - 2 + 2);
    // Above: the height grows by the picture and the spacing; the width is the wider.
    auto top = Blank(100, 40);
    const TSize above = draw(TButtonLayout::blGlyphTop, &glyph, *top);
    EXPECT_EQ(above, (TSize{text.cx, text.cy - 2 + 4 + 2 + 2}));
    EXPECT_EQ(greenBox(*top).Left, 47); // (100 - 6) div 2
    // Below: the picture's height without the spacing, the caption above it.
    auto bottom = Blank(100, 40);
    EXPECT_EQ(draw(TButtonLayout::blGlyphBottom, &glyph, *bottom), (TSize{text.cx, text.cy + 4}));
    EXPECT_GT(greenBox(*bottom).Top, 20);
    const TRect over = PaintedBox(*bottom, ground, Rect(0, 0, 100, greenBox(*bottom).Top));
    ASSERT_LT(over.Left, over.Right);
    EXPECT_NEAR((over.Left + over.Right) / 2.0, 50.0, 3.0);
    // Only both sizes above 0 make a fixed size: with one of them 0 the glyph keeps its own.
    TGlowFaceContent half{.Glyph = &glyph, .PictureWidth = 0, .PictureHeight = 16};
    auto natural = Blank(100, 40);
    EXPECT_EQ(DrawGlowButtonFace(natural->Canvas(), Rect(0, 0, 100, 40), Flat(ground), half,
                                 {.DrawsBorder = false}, false),
              (TSize{6, 4}));
}

TEST(GlowButtonFace, ARowOfButtonsRoundsOnlyItsOuterCornersAndTheArrowFollowsTheCaption) {
    const TColor ground = 0xE0E0E0;
    const auto frameAt = [&](TButtonPosition position, bool active) {
        auto b = Blank(40, 27);
        TGlowFaceContent content{.Position = position};
        DrawGlowButtonFace(b->Canvas(), Rect(0, 0, 40, 27), Flat(ground), content,
                           {.GroupFrameActive = active}, false);
        return b;
    };
    const auto left = frameAt(TButtonPosition::bpLeft, false);
    EXPECT_NE(left->Pixel(0, 0), kFrame); // rounded
    EXPECT_EQ(left->Pixel(0, 13), kFrame);
    EXPECT_EQ(left->Pixel(39, 13), AdjustBrightness(kFrame, -5));
    const auto right = frameAt(TButtonPosition::bpRight, true);
    EXPECT_NE(right->Pixel(39, 0), kFrame);
    EXPECT_EQ(right->Pixel(39, 13), kFrame);
    EXPECT_EQ(right->Pixel(0, 13), AdjustBrightness(kFrame, -5));
    const auto middle = frameAt(TButtonPosition::bpMiddle, false);
    EXPECT_EQ(middle->Pixel(0, 13), 0xE6E6E6u);
    EXPECT_EQ(middle->Pixel(20, 0), kFrame);
    EXPECT_EQ(middle->Pixel(20, 26), kFrame);

    // Beside a caption the arrow's top row lies 8 above the caption's bottom.
    const auto font = FontNamed("Arial", 0x0000C0);
    auto b = Blank(80, 40);
    TGlowFaceContent content{.Caption = "Load", .Font = font.get(), .DropDownButton = true};
    DrawGlowButtonFace(b->Canvas(), Rect(0, 0, 80, 40), Flat(ground), content,
                       {.DrawsBorder = false}, false);
    const TRect caption = PaintedBox(*b, ground, Rect(0, 0, 66, 40));
    int arrowTop = -1;
    for (int y = 0; y < 40 && arrowTop < 0; ++y)
        if (b->Pixel(70, y) == clBlack && b->Pixel(72, y) == clBlack)
            arrowTop = y;
    ASSERT_GE(arrowTop, 0);
    EXPECT_NEAR(arrowTop, caption.Bottom - 8, 3);

    // On the GDI route the caption's bottom is taken as centred in the face.
    content.AntiAlias = TAntiAlias::aaNone;
    auto gdi = Blank(80, 40);
    DrawGlowButtonFace(gdi->Canvas(), Rect(0, 0, 80, 40), Flat(ground), content,
                       {.DrawsBorder = false}, false);
    const int H = MeasureGdiText(gdi->Canvas(), "Load", {.Font = font.get()}).cy;
    for (int x = 70; x <= 74; ++x)
        EXPECT_EQ(gdi->Pixel(x, (40 + H) / 2 - 8), clBlack) << x;
}
