// The glow button's state machine. Each handler keeps the order of the button's procedure so
// code and behaviour can be read side by side.

#include "glowbutton/GlowButtonState.h"

#include <algorithm>
#include <utility>

TGlowButtonState::TGlowButtonState(TGlowButtonHost host) : host_(std::move(host)) {}

void TGlowButtonState::Invalidate() {
    if (host_.Invalidate)
        host_.Invalidate();
}

void TGlowButtonState::Repaint() {
    if (host_.Repaint)
        host_.Repaint();
}

void TGlowButtonState::Click() {
    if (host_.Click)
        host_.Click();
}

bool TGlowButtonState::CanFocus() const {
    return enabled_ && (!host_.CanFocus || host_.CanFocus());
}

void TGlowButtonState::EnsureAnimationTimer() {
    if (animating_)
        return;
    animating_ = true;
    if (host_.StartAnimationTimer)
        host_.StartAnimationTimer(GlowAnimationInterval);
}

void TGlowButtonState::StopAnimation() {
    fadeKind_ = TGlowFadeKind::Idle;
    animating_ = false;
    if (host_.StopAnimationTimer)
        host_.StopAnimationTimer();
}

// ---- Settings -------------------------------------------------------------------------------

void TGlowButtonState::SetDown(bool value) {
    // Remembered while the form is read.
    if (loading_) {
        downWhileLoading_ = value;
        hasDownWhileLoading_ = true;
        return;
    }
    // A plain button is never down.
    if (groupIndex_ == 0 && style_ == TAdvButtonStyle::bsButton)
        value = false;
    // A check button shows Down as its pressed face and tells no one.
    if (style_ == TAdvButtonStyle::bsCheck) {
        down_ = value;
        face_ = value ? TButtonFaceState::Down : TButtonFaceState::Up;
        Repaint();
        return;
    }
    // A down group member is released only by another one going down, unless AllowAllUp.
    if (value == down_ || (down_ && !allowAllUp_))
        return;
    down_ = value;
    if (value) {
        if (face_ == TButtonFaceState::Up)
            Invalidate();
        face_ = TButtonFaceState::Checked;
        Broadcast();
    } else {
        face_ = TButtonFaceState::Up;
        Repaint();
    }
}

void TGlowButtonState::SetAllowAllUp(bool value) {
    if (value == allowAllUp_)
        return;
    allowAllUp_ = value;
    Broadcast();
}

void TGlowButtonState::SetGroupIndex(int value) {
    if (value == groupIndex_)
        return;
    groupIndex_ = value;
    Broadcast();
}

void TGlowButtonState::SetEnabled(bool value) {
    if (value == enabled_)
        return;
    enabled_ = value;
    Invalidate();
}

void TGlowButtonState::SetShowDisabled(bool value) {
    if (value == showDisabled_)
        return;
    showDisabled_ = value;
    Invalidate();
}

void TGlowButtonState::Loaded() {
    loading_ = false;
    if (hasDownWhileLoading_ && downWhileLoading_ != down_)
        SetDown(downWhileLoading_);
    hasDownWhileLoading_ = false;
}

void TGlowButtonState::Broadcast() {
    if (!host_.Siblings)
        return;
    for (TGlowButtonState* other : host_.Siblings())
        if (other)
            other->ButtonPressed(groupIndex_, this);
}

void TGlowButtonState::ButtonPressed(int groupIndex, const TGlowButtonState* sender) {
    if (sender == this || groupIndex != groupIndex_)
        return;
    if (down_ && sender->Down()) {
        down_ = false;
        face_ = TButtonFaceState::Up;
        Invalidate();
    }
}

// ---- Pointer --------------------------------------------------------------------------------

void TGlowButtonState::MouseEnter() {
    // A disabled button turns hot only where it shows what it would show enabled.
    if (!enabled_ && showDisabled_)
        return;
    if (host_.OnMouseEnter)
        host_.OnMouseEnter();
    if (mouseInside_)
        return;
    hotForPaint_ = true;
    if (resumePressed_)
        pressed_ = true;
    EnsureAnimationTimer();
    // The fade-in continues from the current hover progress.
    if (!pressed_ && fadeKind_ != TGlowFadeKind::Press) {
        fadeStep_ = GlowFadeStep;
        fadeKind_ = TGlowFadeKind::Hover;
    }
    Invalidate();
    hover_ = true;
    mouseInside_ = true;
}

void TGlowButtonState::MouseLeave() {
    if (host_.OnMouseLeave)
        host_.OnMouseLeave();
    if (!mouseInside_)
        return;
    mouseInside_ = false;
    hover_ = false;
    hotForPaint_ = false;
    dropDownHot_ = false;
    if (pressed_ && held_) {
        // Held while leaving: coming back shows the pressed look again.
        pressed_ = false;
        fadeStep_ = -GlowFadeStep;
        fadeKind_ = TGlowFadeKind::Hover;
        Invalidate();
        resumePressed_ = true;
    } else {
        // The fade-out always starts from the full hot colours.
        pressed_ = false;
        hoverProgress_ = 100;
        fadeStep_ = -GlowFadeStep;
        fadeKind_ = TGlowFadeKind::Hover;
        Invalidate();
    }
    EnsureAnimationTimer();
}

void TGlowButtonState::AnimationTick() {
    if (fadeKind_ == TGlowFadeKind::Idle)
        return;
    int& progress = fadeKind_ == TGlowFadeKind::Hover ? hoverProgress_ : pressProgress_;
    progress += fadeStep_;
    if ((fadeStep_ > 0 && progress > 100) || (fadeStep_ < 0 && progress < 0)) {
        progress = std::clamp(progress, 0, 100);
        if (fadeKind_ == TGlowFadeKind::Press && fadeStep_ < 0) {
            pressed_ = false;
            resumePressed_ = false;
        }
        StopAnimation();
    } else {
        Invalidate();
    }
}

void TGlowButtonState::MouseDown(bool inDropDownPart) {
    if (!enabled_)
        return;
    clickedByMouse_ = true;
    // Repeated clicks start after the initial pause.
    if (repeatClick_ && host_.StartRepeatTimer)
        host_.StartRepeatTimer(initRepeatPause_);
    pressed_ = true;
    held_ = true;
    if (tabStop_ && host_.SetFocus)
        host_.SetFocus();
    EnsureAnimationTimer();
    fadeStep_ = GlowFadeStep;
    fadeKind_ = TGlowFadeKind::Press;

    // Which target the press hit.
    const bool plain = (!dropDownOnly_ || dropDownButton_) &&
                       (!(inDropDownPart && dropDownButton_) || !dropDownSplit_) &&
                       (!dropDownButton_ || dropDownSplit_ || style_ == TAdvButtonStyle::bsCheck ||
                        groupIndex_ > 0);
    if (plain) {
        const bool check = style_ == TAdvButtonStyle::bsCheck;
        if (check)
            SetDown(!down_);
        if (!down_) {
            face_ = TButtonFaceState::Down;
            Invalidate();
        }
        if (check) {
            face_ = TButtonFaceState::Down;
            Repaint();
        }
        mouseDownInside_ = true;
        return;
    }

    // The drop-down part.
    hover_ = false;
    if (host_.DropDown)
        host_.DropDown();
    if (host_.HasDropDownMenu && host_.HasDropDownMenu()) {
        pressed_ = !dropDownSplit_;
        mouseInside_ = false;
        Repaint();
        if (host_.PopupDropDownMenu)
            host_.PopupDropDownMenu();
        pressed_ = false;
        if (!host_.PointerOverClient || !host_.PointerOverClient()) {
            mouseInside_ = false;
            hover_ = false;
            hotForPaint_ = false;
            dropDownHot_ = false;
        }
        Repaint();
    }
    Invalidate();
}

void TGlowButtonState::MouseUp(bool inside, bool underCursor,
                               const std::function<void()>& frameworkMouseUp) {
    fadeStep_ = -GlowFadeStep;
    fadeKind_ = TGlowFadeKind::Press;
    held_ = false;
    resumePressed_ = false;
    EnsureAnimationTimer();

    if ((dropDownButton_ || !dropDownOnly_) && mouseDownInside_) {
        mouseDownInside_ = false;
        const bool check = style_ == TAdvButtonStyle::bsCheck;
        if (groupIndex_ != 0 && check) {
            // A check button toggled on the press already: a release inside keeps that, one
            // outside after going down undoes it, as for a check button of no group.
            if (!inside && down_)
                SetDown(false);
            Repaint();
        } else if (groupIndex_ != 0) {
            if (inside) {
                SetDown(!down_);
                if (down_)
                    Repaint();
            } else {
                if (down_)
                    face_ = TButtonFaceState::Checked;
                Repaint();
            }
        } else {
            face_ = TButtonFaceState::Up;
            hover_ = false;
            if (check) {
                // Released outside after going down on the press: the toggle is undone.
                if (!inside && down_)
                    SetDown(false);
                Repaint();
            }
            if (inside && face_ == TButtonFaceState::Up)
                Invalidate();
        }
        // Re-synchronise the hover state with what is under the cursor, so OnMouseEnter is
        // raised again after a click inside. The notification that follows changes the hover
        // flag only when the mouse-inside flag disagrees, so the flag is set to what is true
        // first: a drop-down part never shows hovered with the pointer away.
        if (enabled_) {
            hover_ = underCursor;
            if (underCursor)
                MouseEnter();
            else
                MouseLeave();
        }
    }

    // The framework's release: the repeat timer stops, and a release inside clicks.
    if (host_.StopRepeatTimer)
        host_.StopRepeatTimer();
    const bool click = clickedByMouse_ && inside;
    clickedByMouse_ = false;
    if (click && enabled_)
        Click();
    if (frameworkMouseUp)
        frameworkMouseUp();

    if (style_ == TAdvButtonStyle::bsCheck || groupIndex_ > 0)
        Repaint();
    Invalidate();
}

void TGlowButtonState::RepeatTimerTick(bool hasCapture) {
    if (host_.StartRepeatTimer)
        host_.StartRepeatTimer(repeatPause_);
    if (pressed_ && hasCapture) {
        try {
            Click();
        } catch (...) {
            if (host_.StopRepeatTimer)
                host_.StopRepeatTimer();
            throw;
        }
    }
}

// ---- Keyboard -------------------------------------------------------------------------------

void TGlowButtonState::KeyDown(int key) {
    if (!enabled_)
        return;
    if (key == GlowKeyEnter || key == GlowKeySpace) {
        pressed_ = true;
        face_ = TButtonFaceState::Down;
        Repaint();
    } else if (key == GlowKeyF4) {
        if (dropDownOnly_ || (host_.HasDropDownMenu && host_.HasDropDownMenu()))
            KeyboardDropDown();
    }
}

void TGlowButtonState::KeyPress(char ch) {
    if (!enabled_)
        return;
    if (ch == ' ' || ch == '\r')
        Click();
}

void TGlowButtonState::KeyUp(int /*key*/) {
    pressed_ = false;
    face_ = TButtonFaceState::Up;
    Repaint();
}

bool TGlowButtonState::DialogKey(int key, bool shiftCtrlOrAlt) {
    const bool ours = (key == GlowKeyEnter && defaultActive_) || (key == GlowKeyEscape && cancel_);
    if (!ours || shiftCtrlOrAlt || !CanFocus())
        return false;
    KeyboardClick();
    face_ = TButtonFaceState::Up;
    return true;
}

bool TGlowButtonState::DialogChar(bool altHeld, bool isAccelerator) {
    if (!altHeld || !isAccelerator || !CanFocus())
        return false;
    if (dropDownOnly_ || (host_.HasDropDownMenu && host_.HasDropDownMenu()))
        KeyboardDropDown();
    else
        Click();
    return true;
}

void TGlowButtonState::KeyboardClick() {
    const bool dropDownTarget = (dropDownOnly_ && !dropDownButton_) ||
                                (dropDownButton_ && style_ == TAdvButtonStyle::bsButton &&
                                 groupIndex_ <= 0 && !dropDownSplit_);
    if (dropDownTarget) {
        if (host_.HasDropDownMenu && host_.HasDropDownMenu())
            KeyboardDropDown();
        else
            Click();
        return;
    }
    if (style_ == TAdvButtonStyle::bsCheck) {
        SetDown(!down_);
        face_ = TButtonFaceState::Down;
        Repaint();
    }
    Click();
}

void TGlowButtonState::KeyboardDropDown() {
    if (host_.DropDown)
        host_.DropDown();
    face_ = TButtonFaceState::Down;
    Invalidate();
    if (host_.PopupDropDownMenu)
        host_.PopupDropDownMenu();
    face_ = TButtonFaceState::Up;
    Repaint();
}

// ---- Focus ----------------------------------------------------------------------------------

void TGlowButtonState::FocusIn() {
    Invalidate();
    focused_ = true;
}

void TGlowButtonState::FocusOut() {
    pressed_ = false;
    face_ = TButtonFaceState::Up;
    focused_ = false;
    Invalidate();
}

void TGlowButtonState::FocusChanged(bool focusedIsGlowButton, bool focusedIsThis) {
    defaultActive_ = focusedIsGlowButton ? focusedIsThis : default_;
}

// ---- Paint ----------------------------------------------------------------------------------

TGlowButtonPaintState TGlowButtonState::PreparePaint() {
    if (enabled_) {
        if (face_ == TButtonFaceState::Disabled)
            face_ = down_ && groupIndex_ != 0 ? TButtonFaceState::Checked : TButtonFaceState::Up;
    } else {
        face_ = TButtonFaceState::Disabled;
        mouseDownInside_ = false;
    }
    if (style_ == TAdvButtonStyle::bsCheck && down_)
        face_ = TButtonFaceState::Down;
    return PaintState();
}

TGlowButtonPaintState TGlowButtonState::PaintState() const {
    TGlowButtonPaintState s;
    s.Face = face_;
    s.HoverProgress = hoverProgress_;
    s.PressProgress = pressProgress_;
    s.FadeStep = fadeStep_;
    s.FadeKind = fadeKind_;
    s.HotForPaint = hotForPaint_;
    s.Pressed = pressed_;
    s.Held = held_;
    s.MouseInside = mouseInside_;
    s.Hover = hover_;
    s.DropDownHot = dropDownHot_;
    s.Focused = focused_;
    s.Down = down_;
    s.Enabled = enabled_;
    s.DisabledColours = !enabled_ && showDisabled_;
    if ((hover_ || held_) && dropDownButton_)
        s.DropDownState = dropDownHot_ ? 2 : 1;
    return s;
}
