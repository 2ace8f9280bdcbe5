#pragma once
// The glow button control: it joins the appearance, the state machine and the face painter.
// The control owns the fade timer and the repeat timer, feeds the state machine the
// framework's pointer, key and focus events, and paints the face the state machine settles.
//
// Decisions:
// - AutoSize measures with the face painter in measuring mode on a scratch bitmap when the
//   caption, the font or AutoSize change, so the size is right before the first paint.
// - The framework has no key-release handler for custom controls: the release of Space or
//   Enter is taken to follow its character, so the pressed look does not stay.
// - A release counts as inside when its point lies in the client rectangle; the control under
//   the cursor is then taken to be this button.

#include <memory>
#include <string>
#include <vector>

#include "glowbutton/GlowButtonAppearance.h"
#include "glowbutton/GlowButtonFace.h"
#include "glowbutton/GlowButtonState.h"
#include "platform/Controls.h"
#include "platform/ExtCtrls.h"

class TAdvCustomGlowButton : public TCustomControl {
public:
    explicit TAdvCustomGlowButton(TWinControl* parent);
    ~TAdvCustomGlowButton() override;

    const std::string& Caption() const { return caption_; }
    void SetCaption(std::string value);
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool value);
    int Spacing() const { return spacing_; }
    void SetSpacing(int value);
    int MarginHorz() const { return marginHorz_; }
    void SetMarginHorz(int value);
    int MarginVert() const { return marginVert_; }
    void SetMarginVert(int value);
    TButtonPosition Position() const { return position_; }
    void SetPosition(TButtonPosition value);

    TGlowButtonAppearance& Appearance() { return appearance_; }
    const TGlowButtonAppearance& Appearance() const { return appearance_; }

    /// The behaviour, for settings (Down, GroupIndex, Style...) and for tests.
    TGlowButtonState& State() { return state_; }
    const TGlowButtonState& State() const { return state_; }
    TTimer& AnimationTimer() { return animationTimer_; }
    TTimer& RepeatTimer() { return repeatTimer_; }

    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;

protected:
    void Paint() override;
    void Click() override;
    void MouseEnter() override;
    void MouseLeave() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void KeyDown(std::uint16_t& key, TShiftState shift) override;
    void KeyPress(char& key) override;
    void DoEnter() override;
    void DoExit() override;
    void FontChanged() override;

private:
    TGlowFaceContent Content() const;
    /// Measures the content and sets the size when AutoSize is on; else only repaints.
    void UpdateSize();

    TGlowButtonAppearance appearance_;
    TGlowButtonState state_;
    TTimer animationTimer_;
    TTimer repeatTimer_;

    std::string caption_;
    bool autoSize_ = false;
    int spacing_ = 2;
    int marginHorz_ = 1;
    int marginVert_ = 1;
    TButtonPosition position_ = TButtonPosition::bpStandalone;
    bool painting_ = false;
};

class TAdvGlowButton : public TAdvCustomGlowButton {
public:
    explicit TAdvGlowButton(TWinControl* parent) : TAdvCustomGlowButton(parent) {}
};
