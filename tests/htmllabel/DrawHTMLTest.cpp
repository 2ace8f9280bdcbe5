// The markup renderer: layout of runs into lines, alignment, lists, sizes, links, and what
// painting puts on a bitmap.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "BitmapProbe.h"
#include "BlankBitmap.h"
#include "htmllabel/DrawHTML.h"
#include "platform/Graphics.h"
#include "platform/ImageList.h"

namespace {

// The captions' font.
void CaptionFont(TCanvas& c) {
    c.Font().SetName("Tahoma");
    c.Font().SetHeight(-16);
    c.Font().SetStyle({TFontStyle::fsBold});
    c.Font().SetColor(clBlack);
}

struct Fixture {
    std::unique_ptr<TBitmap> bitmap = Blank(300, 120);
    TCanvas& canvas = bitmap->Canvas();
    Fixture() { CaptionFont(canvas); }

    THTMLLayout Layout(std::string_view markup, TRect r = Rect(0, 0, 240, 100)) {
        return LayoutHTML(canvas, markup, r, {});
    }
    int Width(std::string_view text, TFontStyles style = {TFontStyle::fsBold}) {
        canvas.Font().SetStyle(style);
        const int w = canvas.TextWidth(text);
        CaptionFont(canvas);
        return w;
    }
    int Gh() { return canvas.TextHeight("gh"); }
};

std::vector<std::string> Texts(const THTMLLayout& l) {
    std::vector<std::string> texts;
    for (const THTMLBox& b : l.Boxes)
        if (b.Kind == THTMLBoxKind::Text)
            texts.push_back(b.Text);
    return texts;
}

const THTMLBox& TextBox(const THTMLLayout& l, std::string_view text) {
    for (const THTMLBox& b : l.Boxes)
        if (b.Kind == THTMLBoxKind::Text && b.Text == text)
            return b;
    throw std::runtime_error("no box " + std::string(text));
}

} // namespace

TEST(DrawHTML, PlainCaptionIsOneLineOfThreeRuns) {
    Fixture f;
    const THTMLLayout l = f.Layout("left list: 12");
    ASSERT_EQ(l.Lines.size(), 1u);
    EXPECT_EQ(Texts(l), (std::vector<std::string>{"left ", "list: ", "12"}));
    const int width = f.Width("left ") + f.Width("list: ") + f.Width("12");
    EXPECT_EQ(l.XSize, width + 2);
    EXPECT_EQ(l.YSize, f.Gh());
    EXPECT_EQ(TextBox(l, "left ").Bounds.Left, 0);
    EXPECT_EQ(TextBox(l, "12").Bounds, Rect(width - f.Width("12"), 0, width, f.Gh()));
}

TEST(DrawHTML, BlanksAfterATagAreKeptAndTheParagraphEndsTheLine) {
    Fixture f;
    const THTMLLayout l = f.Layout("  <P align=\"left\">  left list:</P>more");
    ASSERT_EQ(l.Lines.size(), 2u);
    EXPECT_EQ(TextBox(l, "left ").Bounds.Left, 2 * f.Width(" "));
    EXPECT_EQ(TextBox(l, "more").Bounds.Top, f.Gh());
    EXPECT_EQ(l.YSize, 2 * f.Gh());
}

TEST(DrawHTML, AmpersandEntityDrawsOneAmpersandUnlessAmpersandsAreLiteral) {
    Fixture f;
    const THTMLLayout prefixed = f.Layout("a &amp; b");
    EXPECT_EQ(TextBox(prefixed, "&& ").Bounds.Width(), f.Width("& "));
    const THTMLLayout literal = f.Layout("x & y &amp; b");
    EXPECT_EQ(TextBox(literal, "&& ").Bounds.Width(), f.Width("&& "));
}

TEST(DrawHTML, BoldFollowsItsTagsInEitherCaseAndEscapedTagsAreText) {
    Fixture f;
    f.canvas.Font().SetStyle({});
    for (const char* markup : {"<B>x</B>y", "<b>x</b>y"}) {
        const THTMLLayout l = f.Layout(markup);
        EXPECT_TRUE(TextBox(l, "x").Font.Style.Contains(TFontStyle::fsBold)) << markup;
        EXPECT_FALSE(TextBox(l, "y").Font.Style.Contains(TFontStyle::fsBold)) << markup;
    }
    const THTMLLayout escaped = f.Layout("&lt;B&gt;x");
    EXPECT_EQ(Texts(escaped), std::vector<std::string>{"<B>x"});
    EXPECT_FALSE(escaped.Boxes[0].Font.Style.Contains(TFontStyle::fsBold));
}

TEST(DrawHTML, WrapsAtBlanksAndAlignsWithoutTheTrailingBlank) {
    Fixture f;
    const int first = f.Width("aaa ") + f.Width("bbb ");
    const int right = first + f.Width("ccc") / 2; // "ccc" does not fit after "bbb "
    const THTMLLayout l = f.Layout("<P align=\"right\">aaa bbb ccc", Rect(0, 0, right, 100));
    ASSERT_EQ(l.Lines.size(), 2u);
    EXPECT_EQ(l.Lines[0].Width, first - f.Width(" "));
    EXPECT_EQ(TextBox(l, "bbb ").Bounds.Right - f.Width(" "), right);
    EXPECT_EQ(TextBox(l, "ccc").Bounds, Rect(right - f.Width("ccc"), f.Gh(), right, 2 * f.Gh()));
    EXPECT_EQ(l.XSize, first - f.Width(" ") + 2);
}

TEST(DrawHTML, ASecondLineThatDoesNotFitIsDropped) {
    Fixture f;
    const THTMLLayout l = f.Layout("left list: 1234", Rect(0, 0, f.Width("left list: "), 27));
    ASSERT_EQ(l.Lines.size(), 1u);
    EXPECT_EQ(Texts(l), (std::vector<std::string>{"left ", "list: "}));
    EXPECT_EQ(l.YSize, f.Gh());
}

TEST(DrawHTML, ListItemsStartLinesWithABulletTwelvePixelsBeforeTheirText) {
    Fixture f;
    const THTMLLayout l = f.Layout("<UL><LI>one<LI>two</UL>");
    std::vector<const THTMLBox*> bullets;
    for (const THTMLBox& b : l.Boxes)
        if (b.Kind == THTMLBoxKind::Bullet)
            bullets.push_back(&b);
    ASSERT_EQ(bullets.size(), 2u);
    EXPECT_EQ(bullets[0]->Text, "\xB7");
    EXPECT_EQ(bullets[0]->Font.Name, "Symbol");
    EXPECT_EQ(TextBox(l, "one").Bounds.Left, bullets[0]->Bounds.Left + 12);
    EXPECT_EQ(TextBox(l, "two").Bounds.Left, bullets[1]->Bounds.Left + 12);
    // <UL> ends its own line, which is "gh" high; each item is a line of its own.
    EXPECT_EQ(TextBox(l, "one").Bounds.Top, f.Gh());
    EXPECT_EQ(TextBox(l, "two").Bounds.Top, TextBox(l, "one").Bounds.Bottom);
    const THTMLLayout square = f.Layout("<UL><LI type=\"square\" color=\"clRed\">x");
    EXPECT_EQ(square.Lines.size(), 2u);
    EXPECT_EQ(square.Boxes[0].Kind, THTMLBoxKind::SquareBullet);
    EXPECT_EQ(square.Boxes[0].Bounds, Rect(0, f.Gh() + 2, 8, f.Gh() + 10));
    EXPECT_EQ(square.Boxes[0].Color, kRed);
    ASSERT_EQ(l.Lines.size(), 3u);
    // A nested list's items are 12 pixels further in and get the even level's bullet.
    const THTMLLayout nested = f.Layout("<UL><UL><LI>x");
    EXPECT_EQ(TextBox(nested, "x").Bounds.Left, 24);
}

TEST(DrawHTML, EmptyTextIsOneGhHighAndNothingWide) {
    Fixture f;
    for (const char* markup : {"", "  \r\n", "<B>"}) {
        const THTMLLayout l = f.Layout(markup);
        EXPECT_EQ(l.YSize, f.Gh()) << markup;
        EXPECT_EQ(l.XSize, 0) << markup;
    }
}

TEST(DrawHTML, LinksAreHitTestedAndNumberedInOrder) {
    Fixture f;
    const std::string markup = "<A href=\"one\">first</A> and <A href=\"two\">second</A>";
    std::string anchor = "unchanged";
    int x = 0, y = 0, link = 0;
    const int secondX = f.Width("first") + f.Width(" ") + f.Width("and ") + 3;
    f.canvas.Font().SetStyle({});
    EXPECT_TRUE(DrawHTML(f.canvas, markup, Rect(0, 0, 240, 100), nullptr, secondX, 5, true, anchor,
                         x, y, link));
    EXPECT_EQ(anchor, "two");
    EXPECT_EQ(link, 2);
    EXPECT_TRUE(
        DrawHTML(f.canvas, markup, Rect(0, 0, 240, 100), nullptr, 1, 5, true, anchor, x, y, link));
    EXPECT_EQ(anchor, "one");
    EXPECT_EQ(link, 1);
    // Between the links, and below the line: no link, and the anchor stays.
    const int andX = f.Width("first") + f.Width(" ") + 2;
    EXPECT_FALSE(DrawHTML(f.canvas, markup, Rect(0, 0, 240, 100), nullptr, andX, 5, true, anchor, x,
                          y, link));
    EXPECT_EQ(link, -1);
    EXPECT_EQ(anchor, "one");
    EXPECT_FALSE(DrawHTML(f.canvas, markup, Rect(0, 0, 240, 100), nullptr, 1, f.Gh(), true, anchor,
                          x, y, link));
    EXPECT_EQ(link, -1);
}

TEST(DrawHTML, LinkTextIsHitFromItsLeftToItsRightEdgeStrictlyInsideTheLine) {
    Fixture f;
    const THTMLLayout l = f.Layout("<A href=\"h\">ab</A>");
    const int right = f.Width("ab");
    const int gh = f.Gh();
    EXPECT_TRUE(HitTestHTML(l, {0, 1}).OnLink);
    EXPECT_TRUE(HitTestHTML(l, {right, gh - 1}).OnLink);
    EXPECT_FALSE(HitTestHTML(l, {right + 1, 1}).OnLink);
    EXPECT_FALSE(HitTestHTML(l, {-1, 1}).OnLink);
    EXPECT_FALSE(HitTestHTML(l, {0, 0}).OnLink);
    EXPECT_FALSE(HitTestHTML(l, {0, gh}).OnLink);
}

TEST(DrawHTML, TagsThatSizeColourHideAndEndLines) {
    Fixture f;
    // Closing tags bring back the base font's face and end the style they began.
    const THTMLLayout faced = f.Layout("<FONT face=\"Arial\" size=\"5\">a</FONT><I>b</I>c");
    EXPECT_EQ(TextBox(faced, "a").Font.Name, "ARIAL");
    EXPECT_EQ(TextBox(faced, "b").Font.Name, "Tahoma");
    EXPECT_TRUE(TextBox(faced, "b").Font.Style.Contains(TFontStyle::fsItalic));
    EXPECT_FALSE(TextBox(faced, "c").Font.Style.Contains(TFontStyle::fsItalic));
    const THTMLLayout sized = f.Layout("<FONT size=\"1\">x</FONT>y");
    EXPECT_EQ(TextBox(sized, "x").Font.Height, -11);
    EXPECT_LT(TextBox(sized, "x").Bounds.Height(), f.Gh());
    EXPECT_EQ(TextBox(sized, "y").Bounds.Height(), f.Gh());
    // <BLINK> writes in the canvas's brush colour, which its closing tag ends.
    f.canvas.Brush().Color = clYellow;
    const THTMLLayout blink = f.Layout("<BLINK>x</BLINK>y");
    EXPECT_EQ(TextBox(blink, "x").Font.Color, clYellow);
    EXPECT_EQ(TextBox(blink, "y").Font.Color, clBlack);
    EXPECT_EQ(Texts(f.Layout("a<Z>b</Z>c")), (std::vector<std::string>{"a", "c"}));
    const THTMLLayout highlight = f.Layout("<HI>x</HI>y");
    EXPECT_EQ(TextBox(highlight, "x").Background, clHighlight);
    EXPECT_EQ(TextBox(highlight, "x").Font.Color, clHighlightText);
    EXPECT_EQ(TextBox(highlight, "y").Background, clNone);
    EXPECT_EQ(TextBox(highlight, "y").Font.Color, clBlack);
    EXPECT_EQ(f.Layout("a<HR>b").Lines.size(), 2u);
}

TEST(DrawHTML, BackgroundsOfParagraphAndFontShadowsAndTheIndentTag) {
    Fixture f;
    std::string anchor;
    int x = 0, y = 0, link = 0;
    const int gh = f.Gh();
    // A paragraph gradient runs across the line box from the line's left, two pixels taller.
    DrawHTML(f.canvas, "<P bgcolor=\"#FF0000\" bgcolorto=\"#0000FF\" indent=\"20\">a</P>",
             Rect(10, 0, 200, 100), nullptr, -1, -1, false, anchor, x, y, link);
    EXPECT_EQ(PaintedBox(*f.bitmap, kUnpainted), Rect(30, 0, 200, gh + 2));
    EXPECT_GT(f.bitmap->Pixel(30, gh + 1) & 0xFF, 0xE0u); // red where the line starts
    EXPECT_GT(f.bitmap->Pixel(199, 0) >> 16, 0xE0u);      // blue at the rectangle's right

    // A font background fills its runs only.
    const THTMLLayout font = f.Layout("<FONT bgcolor=\"clLime\">a</FONT>b");
    EXPECT_EQ(TextBox(font, "a").Background, clLime);
    EXPECT_EQ(TextBox(font, "b").Background, clNone);
    auto filled = Blank(300, 120);
    CaptionFont(filled->Canvas());
    DrawHTML(filled->Canvas(), "<FONT bgcolor=\"clLime\">a</FONT>b", Rect(0, 0, 200, 100), nullptr,
             -1, -1, false, anchor, x, y, link);
    const TRect a = TextBox(font, "a").Bounds;
    TRect lime{300, 120, 0, 0};
    for (int py = 0; py < 120; ++py)
        for (int px = 0; px < 300; ++px)
            if (filled->Pixel(px, py) == clLime)
                lime = {std::min(lime.Left, px), std::min(lime.Top, py),
                        std::max(lime.Right, px + 1), std::max(lime.Bottom, py + 1)};
    EXPECT_EQ(lime, a);
    EXPECT_GT(Count(*filled, clLime), a.Width() * a.Height() / 2);

    // A shadow is the run again in grey, two pixels right and down, under the run.
    auto shadowed = Blank(300, 120);
    CaptionFont(shadowed->Canvas());
    DrawHTML(shadowed->Canvas(), "<SHAD>T</SHAD>", Rect(0, 0, 200, 100), nullptr, -1, -1, false,
             anchor, x, y, link);
    auto plain = Blank(300, 120);
    CaptionFont(plain->Canvas());
    DrawHTML(plain->Canvas(), "T", Rect(0, 0, 200, 100), nullptr, -1, -1, false, anchor, x, y,
             link);
    const TRect ink = PaintedBox(*plain, kUnpainted);
    EXPECT_EQ(PaintedBox(*shadowed, kUnpainted),
              Rect(ink.Left, ink.Top, ink.Right + 2, ink.Bottom + 2));
    EXPECT_GT(Count(*shadowed, clGray), 10);
    EXPECT_EQ(Count(*shadowed, clBlack), Count(*plain, clBlack));

    // The indent tag moves on to x when x is past what the line holds, and only then.
    const int ab = f.Width("ab");
    EXPECT_EQ(TextBox(f.Layout("ab<IND x=\"60\">c"), "c").Bounds.Left, 60);
    EXPECT_EQ(TextBox(f.Layout("ab<IND x=\"3\">c"), "c").Bounds.Left, ab);
    EXPECT_EQ(TextBox(f.Layout("ab<IND x=\"60px\">c"), "c").Bounds.Left, ab);
    EXPECT_EQ(TextBox(f.Layout("<IND x=\"60\">c", Rect(7, 0, 240, 100)), "c").Bounds.Left, 67);
}

TEST(DrawHTML, OffsetTagMovesTheRestOfItsLineAndTheLinesAfterIt) {
    Fixture f;
    const THTMLLayout l = f.Layout("a<OFS x=\"50\">b<BR>c</OFS><BR>d");
    EXPECT_EQ(TextBox(l, "b").Bounds.Left, 50);
    EXPECT_EQ(TextBox(l, "c").Bounds.Left, 50);
    EXPECT_EQ(TextBox(l, "d").Bounds.Left, 0);
}

TEST(DrawHTML, PaintingLeavesTheCanvasAsItWasAndCheckOnlyPaintsNothing) {
    Fixture f;
    f.canvas.Brush().Color = clWhite;
    std::string anchor;
    int x = 0, y = 0, link = 0;
    DrawHTML(f.canvas, "<FONT face=\"Arial\" size=\"5\" color=\"clRed\">x</FONT>",
             Rect(0, 0, 240, 100), nullptr, -1, -1, true, anchor, x, y, link);
    EXPECT_EQ(PaintedBox(*f.bitmap, kUnpainted), TRect{});
    DrawHTML(f.canvas, "<FONT face=\"Arial\" size=\"5\" color=\"clRed\">x", Rect(0, 0, 240, 100),
             nullptr, -1, -1, false, anchor, x, y, link);
    EXPECT_GT(Count(*f.bitmap, kRed), 10);
    EXPECT_EQ(f.canvas.Font().Name(), "Tahoma");
    EXPECT_EQ(f.canvas.Font().Height(), -16);
    EXPECT_EQ(f.canvas.Font().Color(), clBlack);
    EXPECT_EQ(f.canvas.Brush().Color, clWhite);
    EXPECT_EQ(f.canvas.Brush().Style, TBrushStyle::bsSolid);
}

TEST(DrawHTML, ErrorMarkZigzagsAboutTheLineBottom) {
    Fixture f;
    f.canvas.Font().SetColor(clWhite);
    std::string anchor;
    int x = 0, y = 0, link = 0;
    DrawHTML(f.canvas, "<E>mm</E>", Rect(5, 0, 240, 100), nullptr, -1, -1, false, anchor, x, y,
             link);
    const int b = f.Gh();
    // From x = 4 (5 rounded down to even, a multiple of 4: below first), every 2 pixels.
    EXPECT_EQ(f.bitmap->Pixel(4, b + 1), kRed);
    EXPECT_EQ(f.bitmap->Pixel(6, b - 1), kRed);
    EXPECT_EQ(f.bitmap->Pixel(8, b + 1), kRed);
    EXPECT_EQ(f.bitmap->Pixel(5, b), kRed);
    EXPECT_NE(f.bitmap->Pixel(4, b - 1), kRed);
    EXPECT_NE(f.bitmap->Pixel(3, b), kRed);
}

TEST(DrawHTML, MalformedMarkupIsConsumedWithoutEffect) {
    Fixture f;
    EXPECT_EQ(Texts(f.Layout("abc<")), std::vector<std::string>{"abc"});
    EXPECT_EQ(f.Layout("abc<").Lines.size(), 1u);
    EXPECT_EQ(Texts(f.Layout("abc<x")), std::vector<std::string>{"abc"});
    EXPECT_EQ(Texts(f.Layout("abc</")), std::vector<std::string>{"abc"});
    EXPECT_EQ(f.Layout("abc<L").Boxes.size(), 1u);
    EXPECT_EQ(Texts(f.Layout("a<Q>b<FONT size=\"3\" b")), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(Texts(f.Layout("<P align=center>x")), std::vector<std::string>{"x"});
    EXPECT_EQ(f.Layout("<P align=center>x").Boxes[0].Bounds.Left, 0);
    EXPECT_EQ(f.Layout("<P align=\"center\">x").Boxes[0].Bounds.Left, (240 - f.Width("x")) / 2);
}

TEST(DrawHTML, DrawHTMLLineTakesTheFirstLine) {
    Fixture f;
    int width = 0, height = 0;
    EXPECT_EQ(
        DrawHTMLLine(f.canvas, "<B>ab cd</B><BR>ef", Rect(0, 0, 240, 100), true, width, height),
        "<B>ab cd</B><BR>");
    EXPECT_EQ(width, f.Width("ab ") + f.Width("cd"));
    EXPECT_EQ(height, f.Gh());
    DrawHTMLLine(f.canvas, "ab<BR>cd", Rect(0, 0, 240, 100), false, width, height);
    EXPECT_EQ(PaintedBox(*f.bitmap, kUnpainted, Rect(0, f.Gh(), 240, 100)), TRect{});
    EXPECT_NE(PaintedBox(*f.bitmap, kUnpainted), TRect{});
}

TEST(DrawHTML, ScriptsKeepRoomAboveAndBelowTheLine) {
    Fixture f;
    const int gh = f.Gh();
    const THTMLLayout sup = f.Layout("a<SUP>b</SUP>");
    EXPECT_EQ(sup.YSize, gh + gh / 4);
    EXPECT_EQ(TextBox(sup, "a").Bounds.Bottom, gh + gh / 4);
    EXPECT_EQ(TextBox(sup, "b").Bounds.Bottom, gh);
    const THTMLLayout sub = f.Layout("a<sub>b</sub>c");
    EXPECT_EQ(sub.YSize, gh + gh / 4);
    EXPECT_EQ(TextBox(sub, "a").Bounds.Bottom, gh);
    EXPECT_EQ(TextBox(sub, "b").Bounds.Bottom, gh + gh / 4);
    EXPECT_EQ(TextBox(sub, "c").Bounds.Bottom, gh);
    // Both at once: each keeps its room and both shifts apply, cancelling out.
    const THTMLLayout both = f.Layout("a<SUB><SUP>b</SUP>c");
    EXPECT_EQ(both.YSize, gh + 2 * (gh / 4));
    EXPECT_EQ(TextBox(both, "a").Bounds.Bottom, gh + gh / 4);
    EXPECT_EQ(TextBox(both, "b").Bounds.Bottom, gh + gh / 4);
    EXPECT_EQ(TextBox(both, "c").Bounds.Bottom, gh + gh / 4);
}

TEST(DrawHTML, BlinkTextTakesTheCanvasBrushColourEvenWhenTheBrushIsClear) {
    Fixture f;
    f.canvas.Brush().Color = 0x00C000;
    f.canvas.Brush().Style = TBrushStyle::bsClear;
    std::string anchor;
    int x = 0, y = 0, link = 0;
    DrawHTML(f.canvas, "<BLINK>Blink</BLINK>", Rect(0, 0, 200, 100), nullptr, -1, -1, false, anchor,
             x, y, link);
    EXPECT_GT(Count(*f.bitmap, 0x00C000), 10);
    EXPECT_EQ(Count(*f.bitmap, clWhite), 0);
}

TEST(DrawHTML, ATabIsDrawnAsWideAsItIsMeasured) {
    Fixture f;
    const THTMLLayout l = f.Layout("a\tb");
    ASSERT_EQ(Texts(l), (std::vector<std::string>{"a\tb"}));
    const TRect box = l.Boxes[0].Bounds;
    ASSERT_GT(box.Width(), f.Width("ab") + 8); // the tab takes room
    std::string anchor;
    int x = 0, y = 0, link = 0;
    DrawHTML(f.canvas, "a\tb", Rect(0, 0, 240, 100), nullptr, -1, -1, false, anchor, x, y, link);
    // The "b" ends where the measured run ends, give or take its side bearing.
    EXPECT_NEAR(PaintedBox(*f.bitmap, kUnpainted).Right, box.Right, 3);
}

TEST(DrawHTML, RotatedTextTurnsAboutItsOriginAndItsClosingTagBringsTheLevelFontBack) {
    Fixture f;
    std::string anchor;
    int x = 0, y = 0, link = 0;
    DrawHTML(f.canvas, "<R a=\"90\">Turned</R> level", Rect(10, 60, 290, 120), nullptr, -1, -1,
             false, anchor, x, y, link);
    const int turnedWidth = f.Width("Turned");
    const int lineTop = 60 + f.Gh() - f.canvas.TextHeight("Turned");
    // Turned a quarter counter-clockwise about its box's top-left: it rises from there.
    const TRect turned = PaintedBox(*f.bitmap, kUnpainted, Rect(0, 0, 10 + f.Gh() + 2, 120));
    ASSERT_LT(turned.Left, turned.Right);
    EXPECT_GT(turned.Height(), turned.Width());
    EXPECT_NEAR(turned.Bottom, lineTop, 3);
    EXPECT_NEAR(turned.Height(), turnedWidth, 4);
    // The rest of the line lies level on it, after the room the turned run took.
    const TRect level = PaintedBox(*f.bitmap, kUnpainted, Rect(10 + turnedWidth, 0, 300, 120));
    EXPECT_GE(level.Top, 60);
    EXPECT_LT(level.Height(), f.Gh() + 1);
    EXPECT_EQ(f.canvas.Font().Orientation(), 0); // the canvas is level again
    // Nested turns come undone one at a time; a stray closing tag does nothing.
    const THTMLLayout nested = f.Layout("<R a=\"90\">a<R a=\"450\">b</R>c</R>d</R>e");
    EXPECT_EQ(TextBox(nested, "a").Font.Orientation, 900);
    EXPECT_EQ(TextBox(nested, "b").Font.Orientation, 900); // 450 turns as 90 does
    EXPECT_EQ(TextBox(nested, "c").Font.Orientation, 900);
    EXPECT_EQ(TextBox(nested, "d").Font.Orientation, 0);
    EXPECT_EQ(TextBox(nested, "e").Font.Orientation, 0);
}

TEST(DrawHTML, ListImagesTakeRoomWrapAndShowTheirAltPictureUnderThePoint) {
    Fixture f;
    TImageList images(10, 10);
    for (const TColor c : {kRed, kBlue}) {
        TBitmap b(10, 10);
        b.Canvas().Brush().Color = c;
        b.Canvas().FillRect(Rect(0, 0, 10, 10));
        images.Add(b);
    }
    const THTMLLayout wrapped = LayoutHTML(f.canvas, "aaa <IMG src=\"idx:0\"><IMG src=\"IDX:7\">",
                                           Rect(0, 0, f.Width("aaa ") + 9, 100), {&images});
    ASSERT_EQ(wrapped.Lines.size(), 2u);
    EXPECT_EQ(wrapped.Boxes.back().Bounds, Rect(0, f.Gh(), 10, f.Gh() + 10));
    EXPECT_EQ(wrapped.Lines[1].Width, 10); // the missing image takes no room

    TImageList tall(4, 40);
    tall.Add(TBitmap(4, 40));
    const int gh = f.Gh();
    EXPECT_EQ(TextBox(LayoutHTML(f.canvas, "<IMG src=\"IDX:0\" align=\"top\">x",
                                 Rect(0, 0, 200, 100), {&tall}),
                      "x")
                  .Bounds.Bottom,
              gh);
    EXPECT_EQ(TextBox(LayoutHTML(f.canvas, "x<IMG src=\"IDX:0\" align=\"middle\">",
                                 Rect(0, 0, 200, 100), {&tall}),
                      "x")
                  .Bounds.Bottom,
              40 - (40 - gh) / 2);
    EXPECT_EQ(TextBox(LayoutHTML(f.canvas,
                                 "<IMG src=\"IDX:0\" align=\"top\">x<IMG src=\"IDX:0\" "
                                 "align=\"wrap\">",
                                 Rect(0, 0, 200, 100), {&tall}),
                      "x")
                  .Bounds.Bottom,
              gh);

    const std::string markup = "<A href=\"h\"><IMG src=\"IDX:0\" alt=\"IDX:1\"></A>";
    for (const int at : {0, 5, 10}) {
        auto b = Blank(40, 40);
        std::string anchor;
        int x = 0, y = 0, link = 0;
        const bool hit = DrawHTML(b->Canvas(), markup, Rect(0, 0, 40, 40), &images, at, at, false,
                                  anchor, x, y, link);
        // Strictly inside the picture only.
        EXPECT_EQ(hit, at == 5) << at;
        EXPECT_EQ(anchor, at == 5 ? "h" : "") << at;
        EXPECT_EQ(Count(*b, at == 5 ? kBlue : kRed), 100) << at;
        EXPECT_EQ(x, 12);
    }
}

TEST(DrawHTML, ParagraphBackgroundFillsItsLinesAcrossTheRectangle) {
    Fixture f;
    std::string anchor;
    int x = 0, y = 0, link = 0;
    f.canvas.Font().SetColor(clWhite);
    DrawHTML(f.canvas, "<P bgcolor=\"clYellow\">a<BR>b</P>c", Rect(10, 0, 200, 100), nullptr, -1,
             -1, false, anchor, x, y, link);
    EXPECT_EQ(PaintedBox(*f.bitmap, kUnpainted, Rect(0, 0, 300, 2 * f.Gh())),
              Rect(10, 0, 200, 2 * f.Gh()));
    EXPECT_EQ(f.bitmap->Pixel(199, 2 * f.Gh() - 1), clYellow);
    EXPECT_NE(f.bitmap->Pixel(150, 2 * f.Gh()), clYellow);
}

TEST(DrawHTML, RuleLiesOnePixelBelowItsLineBox) {
    Fixture f;
    std::string anchor;
    int x = 0, y = 0, link = 0;
    DrawHTML(f.canvas, "<HR>", Rect(3, 0, 200, 100), nullptr, -1, -1, false, anchor, x, y, link);
    EXPECT_EQ(PaintedBox(*f.bitmap, kUnpainted), Rect(3, f.Gh() + 1, 200, f.Gh() + 2));
    EXPECT_EQ(f.bitmap->Pixel(3, f.Gh() + 1), clBlack);
}
