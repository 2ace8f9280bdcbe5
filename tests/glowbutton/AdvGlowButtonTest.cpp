// The glow button control as the framework drives it: clicks from a press and release, the
// hover fade on its own timer, AutoSize from the face painter's measure, and a full paint.

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "BitmapProbe.h"
#include "BlankBitmap.h"
#include "drawing/AdvGDIP.h"
#include "drawing/GlowText.h"
#include "glowbutton/AdvGlowButton.h"
#include "platform/ExtCtrls.h"
#include "platform/Forms.h"
#include "platform/Graphics.h"
#include "platform/ImageList.h"

namespace {

// The framework's handlers, reachable from the tests.
class Button : public TAdvGlowButton {
public:
    using TAdvGlowButton::KeyDown;
    using TAdvGlowButton::KeyPress;
    using TAdvGlowButton::KeyUp;
    using TAdvGlowButton::MouseDown;
    using TAdvGlowButton::MouseEnter;
    using TAdvGlowButton::MouseLeave;
    using TAdvGlowButton::MouseUp;
    using TAdvGlowButton::TAdvGlowButton;
};

struct Fixture : ::testing::Test {
    TForm form;
    Button button{&form};
    int clicks = 0;

    Fixture() {
        form.SetBounds(0, 0, 300, 200);
        button.SetBounds(10, 10, 80, 27);
        button.OnClick = [this](TObject*) { ++clicks; };
    }
};

using AdvGlowButton = Fixture;

TEST_F(AdvGlowButton, APressAndReleaseInsideClicksOnceAndAReleaseOutsideNever) {
    button.MouseDown(TMouseButton::mbLeft, {}, 5, 5);
    EXPECT_EQ(clicks, 0);
    button.MouseUp(TMouseButton::mbLeft, {}, 79, 26);
    EXPECT_EQ(clicks, 1);

    button.MouseDown(TMouseButton::mbLeft, {}, 5, 5);
    button.MouseUp(TMouseButton::mbLeft, {}, 80, 10); // just past the right edge
    EXPECT_EQ(clicks, 1);

    // The right button does not press it.
    button.MouseDown(TMouseButton::mbRight, {}, 5, 5);
    button.MouseUp(TMouseButton::mbRight, {}, 5, 5);
    EXPECT_EQ(clicks, 1);

    // Space typed on the button clicks it once; the pressed look lasts until the key is up.
    std::uint16_t key = 32;
    button.KeyDown(key, {});
    char space = ' ';
    button.KeyPress(space);
    EXPECT_EQ(clicks, 2);
    EXPECT_TRUE(button.State().PaintState().Pressed);
    button.KeyUp(key, {});
    EXPECT_FALSE(button.State().PaintState().Pressed);
}

TEST_F(AdvGlowButton, EnteringStartsTheFadeTimerWhoseFiveTicksReachFullHover) {
    EXPECT_FALSE(button.AnimationTimer().Enabled());
    button.MouseEnter();
    ASSERT_TRUE(button.AnimationTimer().Enabled());
    EXPECT_EQ(button.AnimationTimer().Interval(), GlowAnimationInterval);
    EXPECT_EQ(button.State().PaintState().HoverProgress, 0);

    // The timer's own handler, tick by tick; the colours blend on the way.
    auto centre = [this] {
        auto b = Blank(button.Width(), button.Height());
        button.PaintTo(*b);
        return b->Pixel(40, 5);
    };
    for (int tick = 1; tick <= 4; ++tick)
        button.AnimationTimer().OnTimer(&button.AnimationTimer());
    EXPECT_LT(button.State().PaintState().HoverProgress, 100);
    const TColor midway = centre();
    button.AnimationTimer().OnTimer(&button.AnimationTimer());
    EXPECT_EQ(button.State().PaintState().HoverProgress, 100);
    EXPECT_NE(centre(), midway);

    // Leaving fades out on the running timer alone, which then stops.
    button.MouseLeave();
    ASSERT_TRUE(button.AnimationTimer().Enabled());
    const auto start = std::chrono::steady_clock::now();
    while (button.AnimationTimer().Enabled() &&
           std::chrono::steady_clock::now() - start < std::chrono::seconds(5)) {
        Application->ProcessMessages();
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    EXPECT_FALSE(button.AnimationTimer().Enabled());
    EXPECT_EQ(button.State().PaintState().HoverProgress, 0);
    // Five ticks of 30 ms: not at once.
    EXPECT_GE(std::chrono::steady_clock::now() - start,
              std::chrono::milliseconds(4 * GlowAnimationInterval));
}

TEST_F(AdvGlowButton, AutoSizeGivesTheCaptionWidthPlus12ByItsHeightPlus8) {
    button.Font().SetName("Arial");
    button.Font().SetSize(10);
    button.Appearance().SetSystemFont(false); // painted in the button's own font
    button.SetCaption("Merge it!");
    EXPECT_EQ(button.Width(), 80); // not before AutoSize
    button.SetAutoSize(true);

    TBitmap b(1, 1);
    TGPGraphics g(b.Canvas());
    const TRectF t = MeasureGdipText(g, u"Merge it!", {.Font = &button.Font()}, {0, 0, 4096, 4096});
    const int w = static_cast<int>(std::nearbyint(t.Width));
    const int h = static_cast<int>(std::nearbyint(t.Height));
    EXPECT_EQ(button.Width(), w + 12);
    EXPECT_EQ(button.Height(), h + 8);

    // Wider margins widen it by both sides; taller ones heighten it alone.
    button.SetMarginHorz(button.MarginHorz() + 3);
    EXPECT_EQ(button.Width(), w + 12 + 6);
    button.SetMarginVert(button.MarginVert() + 2);
    EXPECT_EQ(button.Height(), h + 8 + 4);
    EXPECT_EQ(button.Width(), w + 12 + 6);

    // A longer caption widens it.
    button.SetCaption("Merge it! Merge it!");
    EXPECT_GT(button.Width(), w + 12 + 20);
}

TEST_F(AdvGlowButton, AutoSizeMeasuresTheFaceAndThePictureThatArePainted) {
    // A font of its own with the system font on: the caption is painted in the newer system
    // face, so the size is that face's; the button's own face would give another.
    const auto sized = [this](const char* face, bool systemFont) {
        auto b = std::make_unique<Button>(&form);
        b->Font().SetName(face);
        b->Font().SetSize(10);
        b->Appearance().SetSystemFont(systemFont);
        b->SetCaption("Merge it! \xC3\x97"
                      "3");
        b->SetAutoSize(true);
        return b->Width();
    };
    EXPECT_EQ(sized("Arial", true), sized("Segoe UI", false));
    EXPECT_NE(sized("Arial", true), sized("Arial", false));
    std::string painted;
    button.Font().SetName("Arial");
    button.OnDrawButton = [&](TObject*, TCanvas& canvas, TRect&, TGlowButtonDrawState) {
        painted = canvas.Font().Name();
    };
    button.SetCaption("Merge it!");
    button.SetAntiAlias(TAntiAlias::aaNone); // the plain text route leaves its font on the canvas
    auto b = Blank(button.Width(), button.Height());
    button.PaintTo(*b);
    EXPECT_EQ(painted, "Segoe UI");

    // While hot the hot picture shows, so a size taken then is the hot picture's.
    button.SetAutoSize(true);
    const int plain = button.Width();
    button.HotPicture().Assign(TBitmap(20, 8));
    button.MouseEnter();
    button.SetCaption("Merge it!!");
    button.SetCaption("Merge it!");
    EXPECT_EQ(button.Width(), plain + 20 + 2);
}

TEST_F(AdvGlowButton, ANewPictureResizesAnAutoSizeButtonAndAnEmptyOneTakesNoRoom) {
    button.SetCaption("Load");
    button.SetAutoSize(true);
    const int plain = button.Width();
    button.Picture().Assign(TBitmap(16, 16));
    EXPECT_EQ(button.Width(), plain + 16 + 2);
    button.Picture().Assign(nullptr);
    EXPECT_EQ(button.Width(), plain);
}

TEST_F(AdvGlowButton, OnReleaseDownTheHoverAndTheClickComeBeforeOnMouseUp) {
    std::vector<std::string> log;
    button.SetGroupIndex(1);
    button.SetAllowAllUp(true);
    button.OnMouseEnter = [&](TObject*) { log.push_back("enter"); };
    button.OnClick = [&](TObject*) { log.push_back("click"); };
    button.OnMouseUp = [&](TObject*, TMouseButton, TShiftState, int, int) {
        log.push_back(button.Down() ? "up, down" : "up");
    };
    button.MouseDown(TMouseButton::mbLeft, {}, 5, 5);
    button.MouseUp(TMouseButton::mbLeft, {}, 5, 5);
    EXPECT_EQ(log, (std::vector<std::string>{"enter", "click", "up, down"}));
}

TEST_F(AdvGlowButton, AMenuOrAListThatGoesFirstIsLetGo) {
    auto menu = std::make_unique<TPopupMenu>();
    button.SetDropDownButton(true);
    button.SetDropDownMenu(menu.get());
    menu.reset();
    EXPECT_EQ(button.DropDownMenu(), nullptr);
    int dropDowns = 0;
    button.OnDropDown = [&](TObject*) { ++dropDowns; };
    button.MouseDown(TMouseButton::mbLeft, {}, 75, 5); // the strip, with no menu to open
    button.MouseUp(TMouseButton::mbLeft, {}, 75, 5);
    EXPECT_EQ(dropDowns, 1);

    // A button that is all drop-down opens nothing on F4 when it has no menu, and says so.
    button.State().SetDropDownOnly(true);
    std::uint16_t f4 = GlowKeyF4;
    button.KeyDown(f4, {});
    EXPECT_EQ(dropDowns, 2);
    button.State().SetDropDownOnly(false);

    // Letting go of a menu by hand ends its hold too: it may go later without a word.
    auto other = std::make_unique<TPopupMenu>();
    button.SetDropDownMenu(other.get());
    button.SetDropDownMenu(nullptr);
    other.reset();
    EXPECT_EQ(button.DropDownMenu(), nullptr);
}

TEST_F(AdvGlowButton, TheDropDownPartSplitsWheneverTheHotSetShows) {
    // Focus shown hot: the hot set is painted, so the strip is split off by a line in its frame
    // colour, though the pointer is away.
    button.SetDropDownButton(true);
    button.SetFocusType(TFocusType::ftHot);
    button.State().FocusIn();
    auto b = Blank(button.Width(), button.Height());
    button.PaintTo(*b);
    EXPECT_EQ(b->Pixel(80 - 14, 5), button.Appearance().BorderColorHot());
    // Disabled colours win over the hot flag: no split.
    button.State().FocusOut();
    button.MouseEnter();
    button.SetEnabled(false);
    b = Blank(button.Width(), button.Height());
    button.PaintTo(*b);
    EXPECT_NE(b->Pixel(80 - 14, 5), button.Appearance().BorderColorDisabled());
    EXPECT_NE(b->Pixel(80 - 14, 5), button.Appearance().BorderColorHot());
}

TEST_F(AdvGlowButton, APaintedFaceLeavesNoPixelUnpaintedInside) {
    button.SetCaption("Load List 1");
    for (int pass = 0; pass < 3; ++pass) {
        if (pass == 1)
            button.MouseEnter();
        if (pass == 2)
            button.SetEnabled(false);
        auto b = Blank(button.Width(), button.Height());
        button.PaintTo(*b);
        EXPECT_EQ(Count(*b, kUnpainted), 0) << pass;
        // The caption is in the font's black unless the button is disabled.
        EXPECT_EQ(Count(*b, clBlack) > 0, pass < 2) << pass;
    }
    // The paint took the framework's Enabled.
    EXPECT_EQ(button.State().FaceState(), TButtonFaceState::Disabled);
    // Without ShowCaption no caption is painted.
    button.SetEnabled(true);
    button.MouseLeave();
    button.SetShowCaption(false);
    auto bare = Blank(button.Width(), button.Height());
    button.PaintTo(*bare);
    EXPECT_EQ(Count(*bare, clBlack), 0);
}

TEST_F(AdvGlowButton, TheParentShowsInTheCornersOfARoundedFaceAndThroughATransparentIdleOne) {
    TPanel panel(&form);
    panel.SetBounds(100, 100, 150, 60);
    panel.SetBevelOuter(TBevelCut::bvNone);
    panel.SetColor(0x00A000);
    Button on(&panel);
    on.SetBounds(20, 10, 60, 27);
    auto paint = [&on] {
        auto b = Blank(on.Width(), on.Height());
        on.PaintTo(*b);
        return b;
    };

    // A standalone rounded face leaves its four corner pixels to the parent.
    auto b = paint();
    for (TPoint p : {TPoint{0, 0}, TPoint{59, 0}, TPoint{0, 26}, TPoint{59, 26}})
        EXPECT_EQ(b->Pixel(p.X, p.Y), 0x00A000u) << p.X << "," << p.Y;
    EXPECT_NE(b->Pixel(1, 1), 0x00A000u);
    // Square corners are the frame's own.
    on.SetRounded(false);
    EXPECT_EQ(paint()->Pixel(0, 0), on.Appearance().BorderColor());
    on.SetRounded(true);
    // In the middle of a row its corners are its own; the left one of a row keeps its right.
    on.SetPosition(TButtonPosition::bpMiddle);
    EXPECT_NE(paint()->Pixel(0, 0), 0x00A000u);
    on.SetPosition(TButtonPosition::bpLeft);
    b = paint();
    EXPECT_EQ(b->Pixel(0, 26), 0x00A000u);
    EXPECT_NE(b->Pixel(59, 0), 0x00A000u);

    // Transparent: no face while idle, the face again once the pointer is in.
    on.SetTransparent(true);
    EXPECT_EQ(paint()->Pixel(30, 20), 0x00A000u);
    on.MouseEnter();
    EXPECT_NE(paint()->Pixel(30, 20), 0x00A000u);
}

TEST_F(AdvGlowButton, AClickAnswersTheFormAndAnAltAcceleratorClicks) {
    button.SetModalResult(6);
    button.SetCaption("&Load");
    EXPECT_FALSE(button.DialogChar('l', {}));
    EXPECT_FALSE(button.DialogChar('o', {.Alt = true}));
    EXPECT_EQ(clicks, 0);
    EXPECT_TRUE(button.DialogChar('L', {.Alt = true}));
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(form.ModalResult(), 6);
    button.SetCaption("&&Load"); // a plain ampersand marks nothing
    EXPECT_FALSE(button.DialogChar('l', {.Alt = true}));

    // Escape clicks a cancel button, not with Shift held.
    button.SetCancel(true);
    EXPECT_FALSE(button.DialogKey(27, {.Shift = true}));
    EXPECT_TRUE(button.DialogKey(27, {}));
    EXPECT_EQ(clicks, 2);

    // Enter clicks the default button through the form, unless another glow button has the
    // focus; then that one answers.
    button.SetDefault(true);
    EXPECT_TRUE(form.OfferDialogKey(13, {}));
    EXPECT_EQ(clicks, 3);
    Button other(&form);
    form.BroadcastFocusChanged(&other);
    EXPECT_FALSE(button.DialogKey(13, {}));
    form.BroadcastFocusChanged(nullptr);
    EXPECT_TRUE(button.DialogKey(13, {}));
    EXPECT_EQ(clicks, 4);
    EXPECT_EQ(button.Version(), "2.0.1.1");
    EXPECT_EQ(Button(&form).BoundsRect(), Bounds(0, 0, 100, 41)); // a new button's size
}

TEST_F(AdvGlowButton, TheDropDownMenuOpensUnderTheButtonAndSmallSizeStatesKeepItAtTheRight) {
    TPoint openedAt{-1, -1};
    int chosen = 0;
    PopupMenuSeam seam;
    seam.Answer = [&](const std::vector<TPopupEntry>& entries, TPoint screen) {
        openedAt = screen;
        return entries.size() == 2 ? 1 : -1;
    };
    TPopupMenu menu;
    menu.Items().Add(std::make_unique<TMenuItem>("one", "One"));
    menu.Items().Add(std::make_unique<TMenuItem>("two", "Two"))->OnClick = [&](TObject*) {
        ++chosen;
    };
    button.SetDropDownMenu(&menu);
    button.SetDropDownButton(true);
    // In the strip, 14 from the right; the menu takes the release.
    button.MouseDown(TMouseButton::mbLeft, {}, 75, 5);
    EXPECT_EQ(openedAt, form.ClientToScreen({10, 37}));
    EXPECT_EQ(chosen, 1); // the entry chosen is clicked
    EXPECT_EQ(clicks, 0); // not the button
    button.SetDropDownDirection(TDropDownDirection::ddRight);
    button.MouseDown(TMouseButton::mbLeft, {}, 75, 5);
    EXPECT_EQ(openedAt, form.ClientToScreen({90, 10}));

    button.SetAutoSize(true);
    button.SetDropDownPosition(TDropDownPosition::dpBottom);
    button.SetLayout(TButtonLayout::blGlyphTop);
    button.SetMaxButtonSizeState(TButtonSizeState::bsLabel);
    EXPECT_EQ(button.DropDownPosition(), TDropDownPosition::dpRight);
    EXPECT_EQ(button.Layout(), TButtonLayout::blGlyphLeft);
    button.SetMaxButtonSizeState(TButtonSizeState::bsLarge);
    EXPECT_EQ(button.DropDownPosition(), TDropDownPosition::dpBottom);
    EXPECT_EQ(button.Layout(), TButtonLayout::blGlyphTop);
}

TEST_F(AdvGlowButton, ThePictureTakesItsPlaceByLayoutAndTheHotOneShowsWhileHot) {
    auto picture = [](TColor c) {
        auto b = std::make_unique<TBitmap>(8, 8);
        b->Canvas().Brush().Color = c;
        b->Canvas().FillRect(Rect(0, 0, 8, 8));
        b->Canvas().SetPixel(0, 7, kBlue); // the colour key, left out when drawn
        return b;
    };
    auto boxOf = [this](TColor c) {
        auto b = Blank(button.Width(), button.Height());
        button.PaintTo(*b);
        TRect box{1000, 1000, -1, -1};
        for (int y = 0; y < b->Height(); ++y)
            for (int x = 0; x < b->Width(); ++x)
                if (b->Pixel(x, y) == c)
                    box = {std::min(box.Left, x), std::min(box.Top, y), std::max(box.Right, x + 1),
                           std::max(box.Bottom, y + 1)};
        return box;
    };
    button.SetBounds(10, 10, 80, 60);
    button.SetCaption("Ab");
    button.Picture().Assign(*picture(kRed));
    button.HotPicture().Assign(*picture(0x00FF00));
    const TRect left = boxOf(kRed);
    EXPECT_EQ(left.Width(), 8);
    button.SetLayout(TButtonLayout::blGlyphTop);
    const TRect top = boxOf(kRed);
    EXPECT_LT(left.Left, top.Left);
    EXPECT_LT(top.Top, left.Top);

    button.MouseEnter();
    EXPECT_EQ(boxOf(kRed).Right, -1);
    EXPECT_EQ(boxOf(0x00FF00), top);
}

TEST_F(AdvGlowButton, AssignCopiesTheLookTheContentAndTheBehaviour) {
    Button source(&form);
    source.SetCaption("Copy &me");
    source.SetPosition(TButtonPosition::bpLeft);
    source.Notes().Add("notes");
    source.NotesFont().SetHeight(-11);
    source.Appearance().SetColorHot(0x123456);
    source.SetModalResult(3);
    source.SetStyle(TAdvButtonStyle::bsCheck);
    source.SetDropDownPosition(TDropDownPosition::dpBottom);
    source.SetBounds(5, 6, 70, 30);
    source.SetTransparent(true);
    source.SetAnchors({true, true, true, false});
    button.Assign(source);
    EXPECT_TRUE(button.Transparent());
    EXPECT_TRUE(button.Anchors().akRight);
    EXPECT_EQ(button.Caption(), "Copy &me");
    EXPECT_EQ(button.Position(), TButtonPosition::bpLeft);
    EXPECT_EQ(button.Notes().Text(), "notes\r\n");
    EXPECT_EQ(button.NotesFont().Height(), -11);
    EXPECT_EQ(button.Appearance().ColorHot(), 0x123456u);
    EXPECT_EQ(button.ModalResult(), 3);
    EXPECT_EQ(button.Style(), TAdvButtonStyle::bsCheck);
    EXPECT_EQ(button.DropDownPosition(), TDropDownPosition::dpBottom);
    EXPECT_EQ(button.BoundsRect(), Bounds(5, 6, 70, 30));
}

TEST_F(AdvGlowButton, ImageListsShowByStateAndALostListIsLetGo) {
    auto list = std::make_unique<TImageList>(8, 8);
    TImageList hot(8, 8);
    for (TImageList* l : {list.get(), &hot}) {
        TBitmap square(8, 8);
        square.Canvas().Brush().Color = l == &hot ? 0x00FF00 : kRed;
        square.Canvas().FillRect(Rect(0, 0, 8, 8));
        l->Add(square);
    }
    button.SetImages(list.get());
    button.SetHotImages(&hot);
    auto painted = [this] {
        auto b = Blank(button.Width(), button.Height());
        button.PaintTo(*b);
        return b;
    };
    // No image index: nothing; then the image centred in the face.
    EXPECT_EQ(Count(*painted(), kRed), 0);
    button.SetImageIndex(0);
    auto b = painted();
    EXPECT_EQ(Count(*b, kRed), 64);
    EXPECT_EQ(b->Pixel(36, 10), kRed); // (80 - 8) div 2, (27 - 8) div 2
    button.MouseEnter();
    EXPECT_EQ(Count(*painted(), 0x00FF00), 64);
    button.MouseLeave();
    button.SetEnabled(false);
    b = painted();
    EXPECT_EQ(Count(*b, kRed), 0);
    const TColor grey = b->Pixel(40, 13);
    EXPECT_EQ(grey & 0xFF, (grey >> 8) & 0xFF); // greyed
    EXPECT_EQ(grey & 0xFF, (grey >> 16) & 0xFF);

    list.reset();
    EXPECT_EQ(button.Images(), nullptr);
}

} // namespace
