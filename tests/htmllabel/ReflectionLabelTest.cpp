// The reflection label as the main window uses it: a caption over a panel, its mirrored copy
// starting 7 rows above the text's bottom and fading out over 20 rows.

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>

#include "BlankBitmap.h"
#include "htmllabel/AdvReflectionLabel.h"
#include "htmllabel/Reflection.h"
#include "platform/ExtCtrls.h"
#include "platform/Forms.h"
#include "platform/ImageList.h"

namespace {

constexpr TColor kPanel = 0x40C080; // no text or reflection pixel has it

TARGB Argb(TColor bgr) {
    return 0xFF000000u | ((bgr & 0xFF) << 16) | (bgr & 0xFF00) | ((bgr >> 16) & 0xFF);
}

// The pointer's handlers, reachable from the tests.
struct Label : TAdvReflectionLabel {
    using TAdvReflectionLabel::MouseLeave;
    using TAdvReflectionLabel::MouseMove;
    using TAdvReflectionLabel::TAdvReflectionLabel;
};

struct Caption : ::testing::Test {
    TForm form;
    TPanel panel{&form};
    Label label{&panel};

    Caption() {
        panel.SetBounds(0, 0, 300, 29);
        panel.SetBevelOuter(TBevelCut::bvNone);
        panel.SetColor(kPanel);
        label.SetBounds(0, 0, 240, 27);
        label.SetParentFont(false);
        label.Font().SetName("Tahoma");
        label.Font().SetHeight(-16);
        label.Font().SetStyle({TFontStyle::fsBold});
        label.SetReflectionSize(20);
        TStringList text;
        text.Add("<P align=\"left\">  left list:</P>");
        label.SetHTMLText(text);
    }
    std::unique_ptr<TBitmap> Paint() {
        auto b = Blank(label.Width(), label.Height());
        label.PaintTo(*b);
        return b;
    }
    // How many pixels of a fresh paint have colour `c`.
    int Painted(TColor c) {
        const auto b = Paint();
        int n = 0;
        for (int y = 0; y < b->Height(); ++y)
            for (int x = 0; x < b->Width(); ++x)
                n += b->Pixel(x, y) == c;
        return n;
    }
};

TEST_F(Caption, TheReflectionMirrorsTheTextFromSevenRowsAboveItsBottomAndFadesOutOver20Rows) {
    const auto painted = Paint();
    TGPBitmap* reflection = label.Reflection();
    ASSERT_NE(reflection, nullptr);
    const int ySize = label.YSize();
    ASSERT_GT(ySize, 12);
    ASSERT_LT(ySize + 2, 27);
    EXPECT_EQ(label.ReflectionLeft(), 0);
    EXPECT_EQ(static_cast<int>(reflection->GetHeight()), ySize);

    // Row i mirrors text row ySize - 1 - i (those above the reflection's own rows), with
    // the ramp's opacity over the opaque drawn pixel.
    int textPixels = 0;
    for (int i = 7; i < ySize; ++i)
        for (int j = 0; j < label.XSize(); ++j) {
            TARGB got = 0;
            reflection->GetPixel(j, i, got);
            const TColor source = painted->Pixel(j, ySize - 1 - i);
            textPixels += source != kPanel;
            ASSERT_EQ(got, ReflectedPixel(Argb(source), ReflectionRowOpacity(i, 20, 128, 0)))
                << j << "," << i;
        }
    EXPECT_GT(textPixels, 20);
    TARGB first = 0;
    reflection->GetPixel(0, 0, first);
    EXPECT_EQ(first >> 24, 128u);

    // On the label, reflection row 8 lies one row below the text's bottom: it differs from
    // the panel exactly where the mirrored text does.
    const int row = ySize + 1;
    for (int j = 0; j < label.XSize(); ++j) {
        TARGB mirrored = 0;
        reflection->GetPixel(j, 8, mirrored);
        const bool text = (mirrored & 0xFFFFFF) != (Argb(kPanel) & 0xFFFFFF);
        EXPECT_EQ(painted->Pixel(j, row) != kPanel, text) << j;
    }
}

TEST_F(Caption, OpacityOutsideItsRangeIsIgnoredAndTheMarkupIsOneLine) {
    label.SetReflectionOpacityStart(300);
    label.SetReflectionOpacityStart(-1);
    EXPECT_EQ(label.ReflectionOpacityStart(), 128);
    label.SetReflectionOpacityEnd(256);
    EXPECT_EQ(label.ReflectionOpacityEnd(), 0);
    label.SetReflectionOpacityEnd(255); // the range's ends are taken
    EXPECT_EQ(label.ReflectionOpacityEnd(), 255);
    label.SetReflectionOpacityStart(0);
    EXPECT_EQ(label.ReflectionOpacityStart(), 0);
    label.SetReflectionOpacityStart(128);
    label.SetReflectionOpacityEnd(0);
    EXPECT_EQ(TAdvReflectionLabel(&panel).BoundsRect(), Bounds(0, 0, 185, 40)); // a new one

    TStringList two;
    two.Add("a");
    two.Add("b");
    label.SetHTMLText(two);
    EXPECT_EQ(label.HTMLText().Count(), 1);
    EXPECT_EQ(label.Markup(), "ab");
    EXPECT_EQ(label.Version(), "1.5.1.0");
    // New text makes the reflection anew at the next paint, from the new text.
    Paint();
    const unsigned narrow = label.Reflection()->GetWidth();
    label.SetHTMLText(std::string_view("left list: 20000"));
    EXPECT_EQ(label.Markup(), "left list: 20000");
    Paint();
    EXPECT_EQ(label.Reflection()->GetWidth(), static_cast<unsigned>(label.XSize()));
    EXPECT_GT(label.Reflection()->GetWidth(), narrow);
    // Centred text is mirrored where it stands.
    label.SetHTMLText(std::string_view("<P align=\"center\">mid</P>"));
    Paint();
    EXPECT_EQ(label.ReflectionLeft(), (label.Width() - label.XSize()) / 2);
    EXPECT_GT(label.ReflectionLeft(), 50);

    // A new opacity rebuilds at once from what the label draws.
    Paint();
    label.SetReflectionOpacityStart(200);
    TARGB first = 0;
    label.Reflection()->GetPixel(0, 0, first);
    EXPECT_EQ(first >> 24, 200u);

    // Also before the label was ever painted; and a shorter ramp ends sooner.
    Label fresh(&panel);
    fresh.SetBounds(0, 0, 240, 27);
    fresh.SetHTMLText(std::string_view("fresh"));
    fresh.SetReflectionSize(4);
    fresh.SetReflectionOpacityStart(100);
    ASSERT_NE(fresh.Reflection(), nullptr);
    TARGB top = 0, fourth = 0;
    for (int x = 0; x < fresh.XSize() && (top >> 24) == 0; ++x)
        fresh.Reflection()->GetPixel(x, 0, top);
    EXPECT_EQ(top >> 24, 100u);
    for (int x = 0; x < fresh.XSize(); ++x) {
        fresh.Reflection()->GetPixel(x, 4, fourth);
        ASSERT_EQ(fourth >> 24, 0u) << x;
    }
}

TEST_F(Caption, LinksTakeTheURLColourAndBlinkTextTheLabelsColour) {
    label.SetHTMLText(std::string_view("<A href=\"x\">link</A> <BLINK>blink</BLINK>"));
    Paint(); // laid out with the old colours first
    label.SetURLColor(0x0000C0);
    label.SetColor(0x00C000);
    EXPECT_GT(Painted(0x0000C0), 20);
    EXPECT_GT(Painted(0x00C000), 20);
}

TEST_F(Caption, ALinkShowsTheHandUntilThePointerLeavesIt) {
    label.SetHTMLText(std::string_view("<A href=\"mailto:x@y\">link</A> text"));
    label.MouseMove({}, 5, 8);
    EXPECT_EQ(label.HoveredLink(), 1);
    EXPECT_EQ(label.Cursor(), TCursor::crHandPoint);
    label.MouseMove({}, label.XSize() - 3, 8); // on " text"
    EXPECT_EQ(label.HoveredLink(), -1);
    EXPECT_EQ(label.Cursor(), TCursor::crDefault);
    label.MouseMove({}, 5, 8);
    label.MouseLeave();
    EXPECT_EQ(label.HoveredLink(), -1);
}

TEST_F(Caption, TheCaptionIsPaintedInTheBoldWeightItsFontAsksFor) {
    const auto inked = [this] {
        const auto b = Paint();
        int dark = 0;
        for (int y = 0; y < label.YSize(); ++y)
            for (int x = 0; x < label.XSize(); ++x)
                dark += (b->Pixel(x, y) & 0xFF) < 0x40;
        return dark;
    };
    const int bold = inked();
    label.Font().SetStyle({});
    const int regular = inked();
    ASSERT_GT(regular, 30);
    EXPECT_GT(bold, regular + regular / 5);
}

TEST_F(Caption, APictureContainerOrImageListThatGoesFirstIsLetGo) {
    auto container = std::make_unique<TPictureContainer>();
    auto images = std::make_unique<TImageList>(8, 8);
    label.SetPictureContainer(container.get());
    label.SetHTMLText(std::string_view("<IMG src=\"pic\"><IMG src=\"IDX:0\">text"));
    Paint();
    const int textOnly = label.XSize();
    label.SetImages(images.get());
    EXPECT_EQ(label.Images(), images.get());
    TBitmap square(8, 8);
    images->Add(square);
    Paint();
    EXPECT_EQ(label.XSize(), textOnly + 8); // the list's image takes its room at once
    container.reset();
    images.reset();
    EXPECT_EQ(label.PictureContainer(), nullptr);
    EXPECT_EQ(label.Images(), nullptr);
    Paint(); // reaches neither
    EXPECT_GT(label.XSize(), 0);
}

TEST_F(Caption, TheMarkupIsLaidOutOncePerChangeAndPaintsAndHitTestsUseThatLayout) {
    Paint(); // stale: drawn, mirrored, drawn again
    EXPECT_EQ(label.LayoutCount(), 1);
    const int xSize = label.XSize(), ySize = label.YSize();
    Paint();
    label.MouseMove({}, 5, 8);
    label.MouseMove({}, 50, 8);
    EXPECT_EQ(label.LayoutCount(), 1);
    EXPECT_EQ(label.XSize(), xSize);
    EXPECT_EQ(label.YSize(), ySize);
    // Each change lays it out anew once: text, font, bounds.
    label.SetHTMLText(std::string_view("left list: 12"));
    Paint();
    Paint();
    EXPECT_EQ(label.LayoutCount(), 2);
    EXPECT_GT(label.XSize(), xSize);
    label.Font().SetHeight(-20);
    label.MouseMove({}, 5, 8);
    Paint();
    EXPECT_EQ(label.LayoutCount(), 3);
    label.SetBounds(0, 0, 60, 27); // "12" goes to a line that does not fit
    Paint();
    EXPECT_EQ(label.LayoutCount(), 4);
    EXPECT_LT(label.XSize(), 60);

    // A caption of no width is done with after one paint: nothing to mirror, no more work.
    label.SetHTMLText(std::string_view(""));
    Paint();
    const int laidOut = label.LayoutCount();
    Paint();
    Paint();
    EXPECT_EQ(label.LayoutCount(), laidOut);
    EXPECT_EQ(label.XSize(), 0);
    EXPECT_EQ(label.Reflection(), nullptr);
}

TEST_F(Caption, NewTextLetsGoOfThePicturesTheOldTextLoaded) {
    // A picture file named by the markup is read again once the text has changed.
    const std::string path = testing::TempDir() + "label-picture.bmp";
    const auto write = [&](TColor c) {
        TBitmap b(6, 6);
        b.Canvas().Brush().Color = c;
        b.Canvas().FillRect(Rect(0, 0, 6, 6));
        const std::vector<std::uint8_t> bytes = b.SaveToBytes();
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), static_cast<long>(bytes.size()));
    };
    const std::string markup = "<IMG src=\"FILE://" + path + "\">";
    write(0x0000FF);
    label.SetHTMLText(std::string_view(markup));
    EXPECT_EQ(Painted(0x0000FF), 36);
    write(0xFF0000);
    EXPECT_EQ(Painted(0xFF0000), 0); // kept while the text stays
    label.SetHTMLText(std::string_view("other"));
    label.SetHTMLText(std::string_view(markup));
    EXPECT_EQ(Painted(0xFF0000), 36);
    std::remove(path.c_str());
}

TEST(Reflection, RowsRampWithHalvesToEvenAndCentredOrRightTextIsMirroredWhereItStands) {
    EXPECT_EQ(ReflectionRowOpacity(0, 20, 128, 0), 128);
    EXPECT_EQ(ReflectionRowOpacity(19, 20, 128, 0), 6);  // 6.4
    EXPECT_EQ(ReflectionRowOpacity(10, 20, 128, 0), 64); // 64.0
    EXPECT_EQ(ReflectionRowOpacity(15, 20, 130, 0), 32); // 32.5 to even
    EXPECT_EQ(ReflectionRowOpacity(5, 20, 130, 0), 98);  // 97.5 to even
    EXPECT_EQ(ReflectionRowOpacity(20, 20, 128, 50), 0); // rows below the ramp: none
    EXPECT_EQ(ReflectionRowOpacity(0, 1, 128, 0), 128);
    EXPECT_EQ(ReflectionRowOpacity(0, 0, 128, 0), 0);
    EXPECT_EQ(ReflectionRowOpacity(0, 20, 0, 0), 0);
    EXPECT_EQ(ReflectionRowOpacity(3, 4, 0, 255), 191); // 191.25
    EXPECT_EQ(ReflectedPixel(0xFF102030, 128), 0x80102030u);
    EXPECT_EQ(ReflectedPixel(0x7F102030, 1), 0x00102030u); // 0.498
    EXPECT_EQ(ReflectedPixel(0x00102030, 255), 0u);

    EXPECT_EQ(ReflectionX("<P ALIGN = \"Center\">x</P>", 101, 20), 40);
    EXPECT_EQ(ReflectionX("<p align=\"right\">x</p>", 100, 30), 70);
    EXPECT_EQ(ReflectionX("<p align=\"left\">x</p>", 100, 30), 0);
}

} // namespace
