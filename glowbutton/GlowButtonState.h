#pragma once
// The glow button's state machine, kept apart from painting: pointer, press, keyboard, focus,
// Down and groups, and the hover and press fades. It takes input events and tells its control
// what to do through a small host of callbacks (repaint, timers, click, siblings). The face
// painter reads PaintState() and changes nothing.
//
// Decisions:
// - No timer lives here: the host starts and stops a 30 ms message timer and calls
//   AnimationTick(); the model remembers whether it asked for one, so "ensure the timer" never
//   starts a second one.
// - Geometry stays with the control: it tells the model whether a press hit the drop-down part
//   and whether a release lay inside the client rectangle.
// - A disabled button gets no input from the framework; the model drops pointer-enter, presses
//   and keys while disabled so that a stray event cannot click it. Leaving is always handled.
// - Linked actions are the control's business; the model behaves as with no action linked.
//   Design time is not modelled either: the control does not feed the model while designing.
// - Host().Click is the whole click (ModalResult copied to the form, then OnClick); the model
//   calls it for a release inside after a press, for Space and Enter, default and cancel keys,
//   accelerators and repeat ticks.
// - The control calls PreparePaint() at the start of each paint: it settles the face state
//   for an enabled or disabled button, as a paint always has.

#include <functional>
#include <vector>

#include "glowbutton/GlowButtonTypes.h"

/// Which progress the animation timer advances.
enum class TGlowFadeKind { Idle, Hover, Press };

/// Virtual-key codes the model reacts to.
inline constexpr int GlowKeyEnter = 13;
inline constexpr int GlowKeyEscape = 27;
inline constexpr int GlowKeySpace = 32;
inline constexpr int GlowKeyF4 = 0x73;

/// Interval of the fade timer, in milliseconds.
inline constexpr int GlowAnimationInterval = 30;
/// Progress added or taken per fade tick.
inline constexpr int GlowFadeStep = 20;

class TGlowButtonState;

/// What the control does for the model. Every member may be left empty.
struct TGlowButtonHost {
    std::function<void()> Invalidate;             // repaint later
    std::function<void()> Repaint;                // repaint now
    std::function<void(int)> StartAnimationTimer; // interval in ms
    std::function<void()> StopAnimationTimer;
    std::function<void(int)> StartRepeatTimer; // (re)start with this interval in ms
    std::function<void()> StopRepeatTimer;
    std::function<void()> Click;    // ModalResult copy, then OnClick
    std::function<void()> DropDown; // OnDropDown
    std::function<bool()> HasDropDownMenu;
    std::function<void()> PopupDropDownMenu; // returns when the menu closes
    std::function<bool()> PointerOverClient; // asked after the drop-down menu closes
    /// OnMouseEnter and OnMouseLeave: raised by the model, also when it re-synchronises the
    /// hover state after a release, so the control does not raise them itself.
    std::function<void()> OnMouseEnter;
    std::function<void()> OnMouseLeave;
    std::function<bool()> CanFocus;
    std::function<void()> SetFocus;
    /// The glow buttons among the parent's controls (this one may be among them).
    std::function<std::vector<TGlowButtonState*>()> Siblings;
};

/// A snapshot of what the face painter needs.
struct TGlowButtonPaintState {
    TButtonFaceState Face = TButtonFaceState::Up;
    int HoverProgress = 0; // 0..100
    int PressProgress = 0; // 0..100
    int FadeStep = GlowFadeStep;
    TGlowFadeKind FadeKind = TGlowFadeKind::Idle;
    bool HotForPaint = false;
    bool Pressed = false;
    bool Held = false;
    bool MouseInside = false;
    bool Hover = false;
    bool DropDownHot = false;
    bool Focused = false;
    bool Down = false;
    bool Enabled = true;
    bool DisabledColours = false; // disabled and ShowDisabled
    /// Drop-down part: 0 plain, 1 shown (hover or held), 2 hot (the pointer is over it).
    int DropDownState = 0;
};

class TGlowButtonState {
public:
    explicit TGlowButtonState(TGlowButtonHost host = {});

    TGlowButtonHost& Host() { return host_; }

    // Settings.
    bool Down() const { return down_; }
    void SetDown(bool value);
    bool AllowAllUp() const { return allowAllUp_; }
    void SetAllowAllUp(bool value);
    int GroupIndex() const { return groupIndex_; }
    void SetGroupIndex(int value);
    TAdvButtonStyle Style() const { return style_; }
    void SetStyle(TAdvButtonStyle value) { style_ = value; } // only stores
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool value);
    bool ShowDisabled() const { return showDisabled_; }
    void SetShowDisabled(bool value);
    bool Default() const { return default_; }
    void SetDefault(bool value) { default_ = value; }
    bool Cancel() const { return cancel_; }
    void SetCancel(bool value) { cancel_ = value; }
    bool TabStop() const { return tabStop_; }
    void SetTabStop(bool value) { tabStop_ = value; }
    bool RepeatClick() const { return repeatClick_; }
    void SetRepeatClick(bool value) { repeatClick_ = value; }
    int InitRepeatPause() const { return initRepeatPause_; }
    void SetInitRepeatPause(int value) { initRepeatPause_ = value; }
    int RepeatPause() const { return repeatPause_; }
    void SetRepeatPause(int value) { repeatPause_ = value; }
    bool DropDownButton() const { return dropDownButton_; }
    void SetDropDownButton(bool value) { dropDownButton_ = value; }
    bool DropDownSplit() const { return dropDownSplit_; }
    void SetDropDownSplit(bool value) { dropDownSplit_ = value; }
    /// The whole button acts as the drop-down part (a descendant's choice; False here).
    bool DropDownOnly() const { return dropDownOnly_; }
    void SetDropDownOnly(bool value) { dropDownOnly_ = value; }
    /// While the form is read, Down is remembered and applied by Loaded().
    void SetLoading(bool value) { loading_ = value; }
    void Loaded();

    // Pointer.
    /// The framework's mouse-enter and mouse-leave notifications.
    void MouseEnter();
    void MouseLeave();
    /// Left button down; `inDropDownPart` from the control's geometry.
    void MouseDown(bool inDropDownPart = false);
    /// Left button up; `inside` = the point lies in the client rectangle; `underCursor` = the
    /// control under the cursor is this button (re-synchronises the hover state).
    /// `frameworkMouseUp` (OnMouseUp) runs after the click, before the closing repaint.
    void MouseUp(bool inside, bool underCursor, const std::function<void()>& frameworkMouseUp = {});
    void SetDropDownHot(bool value) { dropDownHot_ = value; }
    void AnimationTick();
    /// `hasCapture`: the button holds the mouse capture.
    void RepeatTimerTick(bool hasCapture);

    // Keyboard.
    void KeyDown(int key);
    void KeyPress(char ch);
    void KeyUp(int key);
    /// A dialog key from the form; true when consumed.
    bool DialogKey(int key, bool shiftCtrlOrAlt);
    /// A dialog character; true when consumed.
    bool DialogChar(bool altHeld, bool isAccelerator);

    // Focus.
    void FocusIn();
    void FocusOut();
    /// Any control got the focus.
    void FocusChanged(bool focusedIsGlowButton, bool focusedIsThis);
    void WindowCreated() { defaultActive_ = default_; }
    bool DefaultActive() const { return defaultActive_; }

    /// A sibling went down in `groupIndex`.
    void ButtonPressed(int groupIndex, const TGlowButtonState* sender);

    /// Settles the face state for a paint (disabled, re-enabled, checked) and returns a
    /// snapshot for the face painter.
    TGlowButtonPaintState PreparePaint();
    TGlowButtonPaintState PaintState() const;

    TButtonFaceState FaceState() const { return face_; }
    bool AnimationTimerRunning() const { return animating_; }

private:
    void Invalidate();
    void Repaint();
    void Click();
    void EnsureAnimationTimer();
    void StopAnimation();
    void Broadcast();
    void KeyboardClick();
    void KeyboardDropDown();
    bool CanFocus() const;

    TGlowButtonHost host_;

    bool down_ = false;
    bool allowAllUp_ = false;
    int groupIndex_ = 0;
    TAdvButtonStyle style_ = TAdvButtonStyle::bsButton;
    bool enabled_ = true;
    bool showDisabled_ = true;
    bool default_ = false;
    bool cancel_ = false;
    bool tabStop_ = false;
    bool repeatClick_ = false;
    int initRepeatPause_ = 400;
    int repeatPause_ = 100;
    bool dropDownButton_ = false;
    bool dropDownSplit_ = true;
    bool dropDownOnly_ = false;
    bool loading_ = false;
    bool downWhileLoading_ = false;
    bool hasDownWhileLoading_ = false;

    TButtonFaceState face_ = TButtonFaceState::Up;
    bool mouseInside_ = false;
    bool hover_ = false;
    bool hotForPaint_ = false;
    bool pressed_ = false;
    bool held_ = false;
    bool resumePressed_ = false;
    bool mouseDownInside_ = false;
    bool clickedByMouse_ = false;
    bool dropDownHot_ = false;
    bool focused_ = false;
    bool defaultActive_ = false;

    bool animating_ = false;
    int hoverProgress_ = 0;
    int pressProgress_ = 0;
    int fadeStep_ = GlowFadeStep;
    TGlowFadeKind fadeKind_ = TGlowFadeKind::Idle;
};
