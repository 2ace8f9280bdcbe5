// The glow button's state machine driven by events, as the control would feed it.

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <vector>

#include "glowbutton/GlowButtonState.h"

namespace {

// A button with a host that records what the model asked for.
struct Button {
    int clicks = 0;
    int invalidates = 0;
    int repaints = 0;
    std::vector<TButtonFaceState> repainted; // the face at each repaint
    int focusTaken = 0;
    bool timer = false;
    int timerInterval = 0;
    int timerStarts = 0;
    bool repeatTimer = false;
    int repeatInterval = 0;
    std::vector<Button*>* siblings = nullptr;
    TGlowButtonState state;

    Button() {
        TGlowButtonHost& h = state.Host();
        h.Invalidate = [this] { ++invalidates; };
        h.Repaint = [this] {
            ++repaints;
            repainted.push_back(state.FaceState());
        };
        h.SetFocus = [this] { ++focusTaken; };
        h.StartAnimationTimer = [this](int ms) {
            EXPECT_FALSE(timer) << "a second fade timer";
            timer = true;
            timerInterval = ms;
            ++timerStarts;
        };
        h.StopAnimationTimer = [this] { timer = false; };
        h.StartRepeatTimer = [this](int ms) {
            repeatTimer = true;
            repeatInterval = ms;
        };
        h.StopRepeatTimer = [this] { repeatTimer = false; };
        h.Click = [this] { ++clicks; };
        h.Siblings = [this] {
            std::vector<TGlowButtonState*> all;
            if (siblings)
                for (Button* b : *siblings)
                    all.push_back(&b->state);
            return all;
        };
    }

    int Hover() const { return state.PaintState().HoverProgress; }
    bool Pressed() const { return state.PaintState().Pressed; }
    // One tick of the fade timer, only while the model keeps it running.
    void Tick() {
        ASSERT_TRUE(timer);
        state.AnimationTick();
    }
    void RunFade() {
        for (int i = 0; i < 10 && timer; ++i)
            state.AnimationTick();
        ASSERT_FALSE(timer);
    }
    // A click with the pointer over the button from press to release.
    void ClickInside() {
        state.MouseEnter();
        state.MouseDown();
        state.MouseUp(true, true);
    }
};

struct Group {
    std::vector<std::unique_ptr<Button>> owned;
    std::vector<Button*> all;
    explicit Group(int count, int groupIndex) {
        for (int i = 0; i < count; ++i) {
            owned.push_back(std::make_unique<Button>());
            all.push_back(owned.back().get());
        }
        for (Button* b : all) {
            b->siblings = &all;
            b->state.SetGroupIndex(groupIndex);
        }
    }
    Button& operator[](int i) { return *all[i]; }
};

} // namespace

TEST(GlowButtonFade, EnteringFadesInWithFiveRepaintsAndStopsOnTheSixthTick) {
    Button b;
    b.state.MouseEnter();
    ASSERT_TRUE(b.timer);
    EXPECT_EQ(b.timerInterval, 30);
    EXPECT_TRUE(b.state.PaintState().HotForPaint);
    for (int expected : {20, 40, 60, 80, 100}) {
        const int before = b.invalidates;
        b.Tick();
        EXPECT_EQ(b.Hover(), expected);
        EXPECT_EQ(b.invalidates, before + 1);
        EXPECT_TRUE(b.timer);
    }
    const int before = b.invalidates;
    b.Tick();
    EXPECT_EQ(b.Hover(), 100);
    EXPECT_FALSE(b.timer);
    EXPECT_EQ(b.invalidates, before);
    EXPECT_EQ(b.state.PaintState().FadeKind, TGlowFadeKind::Idle);
    b.state.AnimationTick(); // a late tick changes nothing
    EXPECT_EQ(b.Hover(), 100);
}

TEST(GlowButtonFade, EnteringDuringAFadeOutContinuesAndLeavingRestartsFromFull) {
    Button b;
    b.state.MouseEnter();
    b.RunFade();
    b.state.MouseLeave();
    EXPECT_FALSE(b.state.PaintState().HotForPaint);
    EXPECT_EQ(b.state.PaintState().FadeStep, -20);
    b.Tick();
    b.Tick();
    EXPECT_EQ(b.Hover(), 60);
    b.state.MouseEnter(); // the same timer keeps running
    EXPECT_EQ(b.timerStarts, 2);
    EXPECT_EQ(b.state.PaintState().FadeStep, 20);
    b.Tick();
    EXPECT_EQ(b.Hover(), 80);

    // Leaving half-way through a fade-in starts the fade-out at full hot colours.
    b.state.MouseLeave();
    EXPECT_EQ(b.Hover(), 100);
    b.Tick();
    EXPECT_EQ(b.Hover(), 80);
    for (int i = 0; i < 4; ++i)
        b.Tick();
    EXPECT_EQ(b.Hover(), 0);
    b.Tick();
    EXPECT_FALSE(b.timer);
    EXPECT_EQ(b.Hover(), 0);
}

TEST(GlowButtonPress, DraggingOutWhileHeldAndBackShowsThePressedLookAndOutsideReleaseNoClick) {
    Button b;
    b.state.MouseEnter();
    b.state.SetDropDownHot(true);
    const int paintsBefore = b.invalidates + b.repaints;
    b.state.MouseDown();
    EXPECT_GT(b.invalidates + b.repaints, paintsBefore);
    b.Tick();
    b.Tick();
    EXPECT_TRUE(b.Pressed());
    EXPECT_EQ(b.state.FaceState(), TButtonFaceState::Down);
    b.state.MouseLeave();
    EXPECT_FALSE(b.Pressed());
    EXPECT_FALSE(b.state.PaintState().Hover); // a drop-down part no longer shows hot
    EXPECT_FALSE(b.state.PaintState().DropDownHot);
    b.state.MouseEnter();
    EXPECT_TRUE(b.Pressed());
    b.state.MouseLeave();
    b.state.MouseUp(false, false);
    EXPECT_EQ(b.clicks, 0);
    EXPECT_EQ(b.state.FaceState(), TButtonFaceState::Up);
    // Coming back after the release no longer resumes the press, and the release fade runs on.
    b.state.MouseEnter();
    EXPECT_FALSE(b.Pressed());
    EXPECT_EQ(b.state.PaintState().PressProgress, 40);
    b.RunFade();
    EXPECT_EQ(b.state.PaintState().PressProgress, 0);
}

TEST(GlowButtonPress, ReleaseInsideClicksOnceAndThePressedLookLastsUntilTheReleaseFadeEnds) {
    Button b;
    int enters = 0;
    b.state.Host().OnMouseEnter = [&] { ++enters; };
    b.state.MouseEnter();
    b.state.MouseDown();
    EXPECT_EQ(b.focusTaken, 0); // only a tab stop takes the focus
    b.Tick();
    b.Tick();
    EXPECT_EQ(b.state.PaintState().PressProgress, 40);
    b.state.MouseUp(true, true);
    EXPECT_EQ(b.clicks, 1);
    EXPECT_EQ(enters, 2);        // raised again after a click inside
    b.state.MouseUp(true, true); // a release with no press of its own
    EXPECT_EQ(b.clicks, 1);
    EXPECT_EQ(b.state.FaceState(), TButtonFaceState::Up);
    EXPECT_TRUE(b.Pressed());
    b.Tick();
    EXPECT_EQ(b.state.PaintState().PressProgress, 20);
    EXPECT_TRUE(b.Pressed());
    b.Tick();
    b.Tick();
    EXPECT_EQ(b.state.PaintState().PressProgress, 0);
    EXPECT_FALSE(b.Pressed());
    EXPECT_FALSE(b.timer);
    b.state.SetTabStop(true);
    b.state.MouseDown();
    EXPECT_EQ(b.focusTaken, 1);
    b.Tick(); // a new press fades in, whatever the last fade's direction
    EXPECT_EQ(b.state.PaintState().PressProgress, 20);
}

TEST(GlowButtonGroup, ADownMemberStaysDownUntilAnotherGoesDownUnlessAllowAllUp) {
    Group g(3, 1);
    g[0].ClickInside();
    EXPECT_TRUE(g[0].state.PaintState().Down);
    EXPECT_EQ(g[0].state.FaceState(), TButtonFaceState::Checked);
    g[0].ClickInside();
    EXPECT_TRUE(g[0].state.Down());
    EXPECT_EQ(g[0].clicks, 2);

    g[1].ClickInside();
    EXPECT_TRUE(g[1].state.Down());
    EXPECT_FALSE(g[0].state.Down());
    EXPECT_EQ(g[0].state.FaceState(), TButtonFaceState::Up);
    EXPECT_FALSE(g[2].state.Down());

    // A release outside keeps a down member's checked face.
    g[1].state.MouseDown();
    g[1].state.MouseUp(false, false);
    EXPECT_TRUE(g[1].state.Down());
    EXPECT_EQ(g[1].state.FaceState(), TButtonFaceState::Checked);

    g[1].state.SetAllowAllUp(true);
    g[1].ClickInside();
    EXPECT_FALSE(g[1].state.Down());
    g[1].state.SetDown(true);
    g[1].repainted.clear();
    g[1].state.SetDown(false); // going up repaints at once
    EXPECT_EQ(g[1].repainted, std::vector<TButtonFaceState>{TButtonFaceState::Up});
}

TEST(GlowButtonGroup, DownBroadcastsOnlyToTheSameGroupAndJoiningAGroupReleasesItsDownMember) {
    Group g(3, 1);
    g[2].state.SetGroupIndex(2);
    g[0].state.SetDown(true);
    g[2].state.SetDown(true);
    EXPECT_TRUE(g[0].state.Down());
    EXPECT_TRUE(g[2].state.Down());
    g[2].state.SetGroupIndex(1);
    EXPECT_FALSE(g[0].state.Down());
    EXPECT_TRUE(g[2].state.Down());

    Button plain;
    plain.state.SetDown(true);
    EXPECT_FALSE(plain.state.Down());
}

TEST(GlowButtonGroup, DownReadFromTheFormIsAppliedWhenLoaded) {
    Group g(2, 1);
    g[0].state.SetDown(true);
    g[1].state.SetLoading(true);
    g[1].state.SetDown(true);
    EXPECT_FALSE(g[1].state.Down());
    EXPECT_TRUE(g[0].state.Down());
    g[1].state.Loaded();
    EXPECT_TRUE(g[1].state.Down());
    EXPECT_FALSE(g[0].state.Down());
}

TEST(GlowButtonCheck, TheTogglePressedOutsideIsUndoneOnlyWhenItWentDown) {
    Button b;
    b.state.SetStyle(TAdvButtonStyle::bsCheck);
    b.state.MouseEnter();
    b.state.MouseDown();
    EXPECT_TRUE(b.state.Down()); // toggled on the press
    b.state.MouseLeave();
    b.state.MouseUp(false, false);
    EXPECT_FALSE(b.state.Down());
    EXPECT_EQ(b.clicks, 0);

    b.ClickInside();
    EXPECT_TRUE(b.state.Down());
    EXPECT_EQ(b.state.PreparePaint().Face, TButtonFaceState::Down);
    EXPECT_EQ(b.clicks, 1);
    b.repainted.clear();
    b.state.SetDown(true); // a check button's Down always repaints, changed or not
    EXPECT_EQ(b.repainted, std::vector<TButtonFaceState>{TButtonFaceState::Down});

    b.state.MouseDown();
    EXPECT_FALSE(b.state.Down());
    b.state.MouseLeave();
    b.state.MouseUp(false, false);
    EXPECT_FALSE(b.state.Down()); // went up on the press: stays up
    EXPECT_EQ(b.clicks, 1);
}

TEST(GlowButtonCheck, InAGroupAClickTogglesDownOnceAndAReleaseOutsideUndoesIt) {
    Group g(1, 1);
    Button& b = g[0];
    b.state.SetStyle(TAdvButtonStyle::bsCheck);
    b.ClickInside();
    EXPECT_TRUE(b.state.Down());
    b.ClickInside();
    EXPECT_FALSE(b.state.Down());
    EXPECT_EQ(b.clicks, 2);
    b.state.MouseDown();
    b.state.MouseLeave();
    b.state.MouseUp(false, false);
    EXPECT_FALSE(b.state.Down()); // went down on the press, released outside: up again
    EXPECT_EQ(b.clicks, 2);
}

TEST(GlowButtonPress, AfterTheReleaseTheHoverFlagSaysWhetherThePointerIsOver) {
    Button b;
    b.state.SetDropDownButton(true);
    b.state.MouseEnter();
    b.state.MouseDown();
    b.state.MouseLeave();
    b.state.MouseUp(false, false);
    EXPECT_FALSE(b.state.PaintState().Hover);
    EXPECT_EQ(b.state.PaintState().DropDownState, 0); // the drop-down part not shown hovered
    b.ClickInside();
    EXPECT_TRUE(b.state.PaintState().Hover);
    EXPECT_EQ(b.state.PaintState().DropDownState, 1);
}

TEST(GlowButtonDisabled, WithoutDisabledColoursItStillCannotBeClicked) {
    Button b;
    b.state.SetShowDisabled(false);
    b.state.SetEnabled(false);
    TGlowButtonPaintState p = b.state.PreparePaint();
    EXPECT_EQ(p.Face, TButtonFaceState::Disabled);
    EXPECT_FALSE(p.DisabledColours);
    b.state.SetDefault(true);
    b.state.WindowCreated();
    b.ClickInside();
    b.state.KeyDown(GlowKeySpace);
    b.state.KeyPress(' ');
    EXPECT_FALSE(b.state.DialogKey(GlowKeyEnter, false));
    EXPECT_FALSE(b.state.DialogChar(true, true));
    EXPECT_EQ(b.clicks, 0);
    EXPECT_TRUE(b.state.PaintState().HotForPaint); // it shows what it would show enabled
    b.state.MouseLeave();
    EXPECT_FALSE(b.state.PaintState().HotForPaint);

    b.state.SetShowDisabled(true);
    b.state.MouseEnter();
    EXPECT_FALSE(b.state.PaintState().HotForPaint); // disabled colours show no hover
    b.state.MouseLeave();
    EXPECT_TRUE(b.state.PreparePaint().DisabledColours);
    b.state.SetEnabled(true);
    EXPECT_EQ(b.state.PreparePaint().Face, TButtonFaceState::Up);
}

TEST(GlowButtonDisabled, ADownGroupMemberComesBackChecked) {
    Group g(1, 1);
    g[0].state.SetDown(true);
    g[0].state.SetEnabled(false);
    EXPECT_EQ(g[0].state.PreparePaint().Face, TButtonFaceState::Disabled);
    g[0].state.SetEnabled(true);
    EXPECT_EQ(g[0].state.PreparePaint().Face, TButtonFaceState::Checked);
}

TEST(GlowButtonKeyboard, SpaceShowsThePressAndClicksAndDefaultAndCancelNeedNoModifiers) {
    Button b;
    b.state.KeyDown(GlowKeySpace);
    EXPECT_EQ(b.repaints, 1);
    EXPECT_TRUE(b.Pressed());
    EXPECT_EQ(b.state.FaceState(), TButtonFaceState::Down);
    b.state.KeyPress(' ');
    EXPECT_EQ(b.clicks, 1);
    b.state.KeyUp(GlowKeySpace);
    EXPECT_FALSE(b.Pressed());
    EXPECT_EQ(b.state.FaceState(), TButtonFaceState::Up);
    b.state.KeyPress('a');
    EXPECT_EQ(b.clicks, 1);

    EXPECT_FALSE(b.state.DialogKey(GlowKeyEnter, false)); // not default
    b.state.SetDefault(true);
    b.state.WindowCreated();
    EXPECT_FALSE(b.state.DialogKey(GlowKeyEnter, true));
    EXPECT_EQ(b.clicks, 1);
    EXPECT_TRUE(b.state.DialogKey(GlowKeyEnter, false));
    EXPECT_EQ(b.clicks, 2);

    // Another glow button taking the focus takes over Enter; another control gives it back.
    b.state.FocusChanged(true, false);
    EXPECT_FALSE(b.state.DialogKey(GlowKeyEnter, false));
    b.state.FocusChanged(false, false);
    EXPECT_TRUE(b.state.DialogKey(GlowKeyEnter, false));

    EXPECT_FALSE(b.state.DialogKey(GlowKeyEscape, false));
    b.state.SetCancel(true);
    EXPECT_TRUE(b.state.DialogKey(GlowKeyEscape, false));
    EXPECT_FALSE(b.state.DialogChar(false, true)); // accelerators need Alt
    EXPECT_TRUE(b.state.DialogChar(true, true));
    EXPECT_EQ(b.clicks, 5);
}

TEST(GlowButtonKeyboard, FocusOutDropsThePressedLook) {
    Button b;
    b.state.FocusIn();
    EXPECT_TRUE(b.state.PaintState().Focused);
    b.state.KeyDown(GlowKeyEnter);
    b.state.FocusOut();
    EXPECT_FALSE(b.state.PaintState().Focused);
    EXPECT_FALSE(b.Pressed());
    EXPECT_EQ(b.state.FaceState(), TButtonFaceState::Up);
}

TEST(GlowButtonRepeat, HoldingClicksAfterThePausesWhileCapturedAndAFailedClickStopsIt) {
    Button b;
    b.state.SetRepeatClick(true);
    b.state.MouseEnter();
    b.state.MouseDown();
    EXPECT_TRUE(b.repeatTimer);
    EXPECT_EQ(b.repeatInterval, 400);
    b.state.RepeatTimerTick(true);
    EXPECT_EQ(b.repeatInterval, 100);
    EXPECT_EQ(b.clicks, 1);
    b.state.RepeatTimerTick(false);
    EXPECT_EQ(b.clicks, 1);
    b.state.MouseUp(true, true);
    EXPECT_FALSE(b.repeatTimer);
    EXPECT_EQ(b.clicks, 2);

    b.state.MouseDown();
    b.state.Host().Click = [] { throw std::runtime_error("click failed"); };
    EXPECT_THROW(b.state.RepeatTimerTick(true), std::runtime_error);
    EXPECT_FALSE(b.repeatTimer);
}

TEST(GlowButtonDropDown, ASplitPartOpensTheMenuWithoutPressingTheButton) {
    Button b;
    int dropDowns = 0;
    int menus = 0;
    bool pressedWhileOpen = true;
    b.state.SetDropDownButton(true);
    b.state.Host().DropDown = [&] { ++dropDowns; };
    b.state.Host().HasDropDownMenu = [] { return true; };
    bool insideWhileOpen = true;
    b.state.Host().PopupDropDownMenu = [&] {
        ++menus;
        pressedWhileOpen = b.Pressed();
        insideWhileOpen = b.state.PaintState().MouseInside;
    };
    b.state.Host().PointerOverClient = [] { return true; };
    b.state.MouseEnter();
    b.state.MouseDown(true);
    EXPECT_EQ(dropDowns, 1);
    EXPECT_EQ(menus, 1);
    EXPECT_FALSE(pressedWhileOpen);
    EXPECT_FALSE(insideWhileOpen); // the menu has the pointer
    EXPECT_EQ(b.state.FaceState(), TButtonFaceState::Up);
    EXPECT_TRUE(b.state.PaintState().HotForPaint); // the pointer stayed over the button

    // The main part of the same button is a plain press.
    b.state.MouseDown(false);
    EXPECT_EQ(b.state.FaceState(), TButtonFaceState::Down);
    EXPECT_EQ(dropDowns, 1);

    // The part shows while hovered or held, and hot only while the pointer is over it.
    Button c;
    c.state.SetDropDownButton(true);
    EXPECT_EQ(c.state.PaintState().DropDownState, 0);
    c.state.MouseEnter();
    EXPECT_EQ(c.state.PaintState().DropDownState, 1);
    c.state.SetDropDownHot(true);
    EXPECT_EQ(c.state.PaintState().DropDownState, 2);
    c.state.MouseDown(false);
    c.state.MouseLeave();
    EXPECT_EQ(c.state.PaintState().DropDownState, 1);

    // Not split: the whole button opens the menu and looks pressed meanwhile.
    Button whole;
    whole.state.SetDropDownButton(true);
    whole.state.SetDropDownSplit(false);
    bool hasMenu = true;
    whole.state.Host().HasDropDownMenu = [&] { return hasMenu; };
    whole.state.Host().PopupDropDownMenu = [&] {
        pressedWhileOpen = whole.Pressed();
        whole.state.MouseEnter(); // the pointer crosses the button while the menu is open
    };
    whole.state.MouseEnter();
    whole.state.SetDropDownHot(true);
    whole.state.MouseDown(false);
    EXPECT_TRUE(pressedWhileOpen);
    EXPECT_FALSE(whole.state.PaintState().DropDownHot);
    EXPECT_FALSE(whole.Pressed());
    // No pointer-over answer: it has gone.
    EXPECT_FALSE(whole.state.PaintState().HotForPaint);
    EXPECT_FALSE(whole.state.PaintState().MouseInside);
    int wholeMenus = 0;
    whole.state.Host().PopupDropDownMenu = [&] { ++wholeMenus; };
    EXPECT_TRUE(whole.state.DialogChar(true, true)); // the accelerator opens it too
    whole.state.SetDefault(true);
    whole.state.WindowCreated();
    EXPECT_TRUE(whole.state.DialogKey(GlowKeyEnter, false)); // and so does Enter
    EXPECT_EQ(wholeMenus, 2);
    EXPECT_EQ(whole.clicks, 0);
    hasMenu = false; // without a menu Enter clicks
    EXPECT_TRUE(whole.state.DialogKey(GlowKeyEnter, false));
    EXPECT_EQ(whole.clicks, 1);
    // A check button's Enter toggles and clicks even so, showing the pressed face meanwhile.
    hasMenu = true;
    whole.state.SetStyle(TAdvButtonStyle::bsCheck);
    EXPECT_TRUE(whole.state.DialogKey(GlowKeyEnter, false));
    EXPECT_EQ(wholeMenus, 2);
    EXPECT_EQ(whole.clicks, 2);
    EXPECT_TRUE(whole.state.Down());
    whole.repainted.clear();
    EXPECT_TRUE(whole.state.DialogKey(GlowKeyEnter, false));
    EXPECT_FALSE(whole.state.Down());
    EXPECT_EQ(whole.repainted,
              (std::vector<TButtonFaceState>{TButtonFaceState::Up, TButtonFaceState::Down}));
    EXPECT_EQ(whole.clicks, 3);
}

TEST(GlowButtonDropDown, F4OpensTheMenuWithThePressedFaceOnlyWhenThereIsOne) {
    Button b;
    bool hasMenu = false;
    int dropDowns = 0;
    TButtonFaceState faceWhileOpen = TButtonFaceState::Up;
    b.state.Host().HasDropDownMenu = [&] { return hasMenu; };
    b.state.Host().DropDown = [&] { ++dropDowns; };
    b.state.Host().PopupDropDownMenu = [&] { faceWhileOpen = b.state.FaceState(); };
    b.state.KeyDown(GlowKeyF4);
    EXPECT_EQ(dropDowns, 0);
    hasMenu = true;
    b.state.KeyDown(GlowKeyF4);
    EXPECT_EQ(dropDowns, 1);
    EXPECT_EQ(faceWhileOpen, TButtonFaceState::Down);
    EXPECT_EQ(b.repainted, std::vector<TButtonFaceState>{TButtonFaceState::Up});
    EXPECT_EQ(b.clicks, 0);
}
