// Every pixel of the editor is its own: a paint leaves nothing of what was on the bitmap
// before, whatever the text, the scroll position and the settings. Only the scroll bars, child
// controls that paint themselves, are left out.

#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>
#include <sstream>
#include <string>

#include "ViewPixels.h"

namespace {

std::string Numbered(int count, const std::string& body) {
    std::string text;
    for (int i = 0; i < count; ++i)
        text += body + " " + std::to_string(i) + "\r\n";
    return text;
}

/// Where the editor left kUnpainted, outside the visible scroll bars: "none", or the count and
/// the first such pixel.
std::string UnpaintedPixels(TAdvMemo& memo) {
    const Rendered b = Render(memo);
    auto inBar = [&](TScrollBar& bar, int x, int y) {
        if (!bar.Visible())
            return false;
        const TRect r = bar.BoundsRect();
        return x >= r.Left && x < r.Right && y >= r.Top && y < r.Bottom;
    };
    int count = 0;
    int firstX = -1, firstY = -1;
    for (int y = 0; y < b.Height(); ++y)
        for (int x = 0; x < b.Width(); ++x) {
            if (b.Pixel(x, y) != kUnpainted || inBar(memo.VerticalBar(), x, y) ||
                inBar(memo.HorizontalBar(), x, y))
                continue;
            if (count++ == 0) {
                firstX = x;
                firstY = y;
            }
        }
    if (count == 0)
        return "none";
    std::ostringstream out;
    out << count << " pixels, first at " << firstX << "," << firstY;
    return out.str();
}

/// Applies each setting to a fresh editor and reports the unpainted pixels of each.
void ExpectEveryPixelPainted(std::initializer_list<std::function<void(TAdvMemo&)>> settings) {
    int index = 0;
    for (const auto& apply : settings) {
        TAdvMemo memo(nullptr);
        memo.SetBounds(0, 0, 500, 367);
        memo.Lines().SetText("first line\r\nsecond\r\n\r\nfourth, after an empty one");
        apply(memo);
        EXPECT_EQ(UnpaintedPixels(memo), "none") << "setting " << index;
        ++index;
    }
}

TEST(PaintCoverage, EveryPixelIsPaintedInEachSetting) {
    ExpectEveryPixelPainted({
        [](TAdvMemo&) {},
        // The editor's clear leaves 0 lines.
        [](TAdvMemo& m) { m.Clear(); },
        // The vertical bar, at the top and at the end.
        [](TAdvMemo& m) { m.Lines().SetText(Numbered(300, "x")); },
        [](TAdvMemo& m) {
            m.Lines().SetText(Numbered(300, "x"));
            m.VerticalBar().Scroll(TScrollCode::scBottom);
        },
        // Scrolled sideways, with a bar that takes the whole width and without any bar.
        [](TAdvMemo& m) {
            m.SetScrollBars(TScrollStyle::ssHorizontal);
            m.Lines().Put(1, std::string(200, 'w'));
            m.SetLeftCol(30);
        },
        [](TAdvMemo& m) {
            m.SetScrollBars(TScrollStyle::ssNone);
            m.Lines().Put(1, std::string(200, 'w'));
            m.SetLeftCol(30);
        },
        [](TAdvMemo& m) { m.CodeFolding().SetEnabled(true); },
        [](TAdvMemo& m) { m.Gutter().SetVisible(false); },
        [](TAdvMemo& m) { m.Gutter().SetGutterColorTo(clNone); },
        [](TAdvMemo& m) {
            m.Lines().LineProp(1)->Breakpoint = true;
            m.ActiveLineSettings().SetShowActiveLine(true);
            m.ActiveLineSettings().SetActiveLineAtCursor(true);
            m.SetCaretY(3);
        },
    });
}

// The square right of the horizontal bar (where the vertical bar would end, or ends) belongs
// to the editor too.
TEST(PaintCoverage, TheSquareBesideTheHorizontalBarIsPainted) {
    ExpectEveryPixelPainted({
        [](TAdvMemo& m) { m.Lines().Put(1, std::string(200, 'w')); },
        [](TAdvMemo& m) {
            m.Lines().Put(1, std::string(200, 'w'));
            m.SetLeftCol(30);
        },
        [](TAdvMemo& m) {
            m.Lines().SetText(Numbered(300, std::string(200, 'w')));
            m.SetLeftCol(40);
            m.SetTopLine(100);
        },
    });
}

// Without a border the pixels along the top and left edges, beside the gutter, are the
// editor's to paint.
TEST(PaintCoverage, WithoutABorderTheEdgesArePainted) {
    ExpectEveryPixelPainted({[](TAdvMemo& m) { m.SetBorderStyle(TBorderStyle::bsNone); }});
}

// The three-dimensional border is two pixels wide: the column between the gutter and the text
// margin and the row below the gutter are still inside.
TEST(PaintCoverage, WithA3DBorderTheGapsBesideTheGutterArePainted) {
    ExpectEveryPixelPainted({[](TAdvMemo& m) { m.SetCtl3D(true); }});
}

} // namespace
