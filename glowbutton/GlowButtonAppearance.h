#pragma once
// The colour scheme of one glow button: for each look (normal, hot, down, checked, disabled)
// the colours of the face's top and mirror parts, their gradient kinds and the frame colour;
// and the choice of the set a face is painted with, blended while the fades run.

#include "drawing/AdvGDIP.h"
#include "glowbutton/GlowButtonTypes.h"
#include "platform/Types.h"

class TGlowButtonAppearance : public TObject {
public:
    /// The colours a new button shows. The derived ones (down, checked, disabled) are stored
    /// values, not a rule: changing the hot colours later leaves them as they are.
    TGlowButtonAppearance();

    /// Copies every value of `source` through its setter, so the change handler runs once for
    /// each value that differs. Any other kind of object cannot be assigned (an exception).
    void Assign(const TObject& source);

    /// Called with the appearance as sender after a value really changed.
    TNotifyEvent OnChange;

    TColor BorderColor() const { return borderColor_; }
    void SetBorderColor(TColor value) { Change(borderColor_, value); }
    TColor BorderColorHot() const { return borderColorHot_; }
    void SetBorderColorHot(TColor value) { Change(borderColorHot_, value); }
    TColor BorderColorDown() const { return borderColorDown_; }
    void SetBorderColorDown(TColor value) { Change(borderColorDown_, value); }
    TColor BorderColorChecked() const { return borderColorChecked_; }
    void SetBorderColorChecked(TColor value) { Change(borderColorChecked_, value); }
    TColor BorderColorDisabled() const { return borderColorDisabled_; }
    void SetBorderColorDisabled(TColor value) { Change(borderColorDisabled_, value); }
    TColor Color() const { return color_; }
    void SetColor(TColor value) { Change(color_, value); }
    TColor ColorTo() const { return colorTo_; }
    void SetColorTo(TColor value) { Change(colorTo_, value); }
    TColor ColorChecked() const { return colorChecked_; }
    void SetColorChecked(TColor value) { Change(colorChecked_, value); }
    TColor ColorCheckedTo() const { return colorCheckedTo_; }
    void SetColorCheckedTo(TColor value) { Change(colorCheckedTo_, value); }
    TColor ColorDisabled() const { return colorDisabled_; }
    void SetColorDisabled(TColor value) { Change(colorDisabled_, value); }
    TColor ColorDisabledTo() const { return colorDisabledTo_; }
    void SetColorDisabledTo(TColor value) { Change(colorDisabledTo_, value); }
    TColor ColorDown() const { return colorDown_; }
    void SetColorDown(TColor value) { Change(colorDown_, value); }
    TColor ColorDownTo() const { return colorDownTo_; }
    void SetColorDownTo(TColor value) { Change(colorDownTo_, value); }
    TColor ColorHot() const { return colorHot_; }
    void SetColorHot(TColor value) { Change(colorHot_, value); }
    TColor ColorHotTo() const { return colorHotTo_; }
    void SetColorHotTo(TColor value) { Change(colorHotTo_, value); }
    TColor ColorMirror() const { return colorMirror_; }
    void SetColorMirror(TColor value) { Change(colorMirror_, value); }
    TColor ColorMirrorTo() const { return colorMirrorTo_; }
    void SetColorMirrorTo(TColor value) { Change(colorMirrorTo_, value); }
    TColor ColorMirrorHot() const { return colorMirrorHot_; }
    void SetColorMirrorHot(TColor value) { Change(colorMirrorHot_, value); }
    TColor ColorMirrorHotTo() const { return colorMirrorHotTo_; }
    void SetColorMirrorHotTo(TColor value) { Change(colorMirrorHotTo_, value); }
    TColor ColorMirrorDown() const { return colorMirrorDown_; }
    void SetColorMirrorDown(TColor value) { Change(colorMirrorDown_, value); }
    TColor ColorMirrorDownTo() const { return colorMirrorDownTo_; }
    void SetColorMirrorDownTo(TColor value) { Change(colorMirrorDownTo_, value); }
    TColor ColorMirrorChecked() const { return colorMirrorChecked_; }
    void SetColorMirrorChecked(TColor value) { Change(colorMirrorChecked_, value); }
    TColor ColorMirrorCheckedTo() const { return colorMirrorCheckedTo_; }
    void SetColorMirrorCheckedTo(TColor value) { Change(colorMirrorCheckedTo_, value); }
    TColor ColorMirrorDisabled() const { return colorMirrorDisabled_; }
    void SetColorMirrorDisabled(TColor value) { Change(colorMirrorDisabled_, value); }
    TColor ColorMirrorDisabledTo() const { return colorMirrorDisabledTo_; }
    void SetColorMirrorDisabledTo(TColor value) { Change(colorMirrorDisabledTo_, value); }
    TGDIPGradient Gradient() const { return gradient_; }
    void SetGradient(TGDIPGradient value) { Change(gradient_, value); }
    TGDIPGradient GradientMirror() const { return gradientMirror_; }
    void SetGradientMirror(TGDIPGradient value) { Change(gradientMirror_, value); }
    TGDIPGradient GradientHot() const { return gradientHot_; }
    void SetGradientHot(TGDIPGradient value) { Change(gradientHot_, value); }
    TGDIPGradient GradientMirrorHot() const { return gradientMirrorHot_; }
    void SetGradientMirrorHot(TGDIPGradient value) { Change(gradientMirrorHot_, value); }
    TGDIPGradient GradientDown() const { return gradientDown_; }
    void SetGradientDown(TGDIPGradient value) { Change(gradientDown_, value); }
    TGDIPGradient GradientMirrorDown() const { return gradientMirrorDown_; }
    void SetGradientMirrorDown(TGDIPGradient value) { Change(gradientMirrorDown_, value); }
    TGDIPGradient GradientChecked() const { return gradientChecked_; }
    void SetGradientChecked(TGDIPGradient value) { Change(gradientChecked_, value); }
    TGDIPGradient GradientMirrorChecked() const { return gradientMirrorChecked_; }
    void SetGradientMirrorChecked(TGDIPGradient value) { Change(gradientMirrorChecked_, value); }
    TGDIPGradient GradientDisabled() const { return gradientDisabled_; }
    void SetGradientDisabled(TGDIPGradient value) { Change(gradientDisabled_, value); }
    TGDIPGradient GradientMirrorDisabled() const { return gradientMirrorDisabled_; }
    void SetGradientMirrorDisabled(TGDIPGradient value) { Change(gradientMirrorDisabled_, value); }
    bool SystemFont() const { return systemFont_; }
    void SetSystemFont(bool value) { Change(systemFont_, value); }

private:
    template <typename T> void Change(T& field, T value) {
        if (field == value)
            return;
        field = value;
        if (OnChange)
            OnChange(this);
    }

    TColor borderColor_ = 0;
    TColor borderColorHot_ = 0;
    TColor borderColorDown_ = 0;
    TColor borderColorChecked_ = 0;
    TColor borderColorDisabled_ = 0;
    TColor color_ = 0;
    TColor colorTo_ = 0;
    TColor colorChecked_ = 0;
    TColor colorCheckedTo_ = 0;
    TColor colorDisabled_ = 0;
    TColor colorDisabledTo_ = 0;
    TColor colorDown_ = 0;
    TColor colorDownTo_ = 0;
    TColor colorHot_ = 0;
    TColor colorHotTo_ = 0;
    TColor colorMirror_ = 0;
    TColor colorMirrorTo_ = 0;
    TColor colorMirrorHot_ = 0;
    TColor colorMirrorHotTo_ = 0;
    TColor colorMirrorDown_ = 0;
    TColor colorMirrorDownTo_ = 0;
    TColor colorMirrorChecked_ = 0;
    TColor colorMirrorCheckedTo_ = 0;
    TColor colorMirrorDisabled_ = 0;
    TColor colorMirrorDisabledTo_ = 0;
    TGDIPGradient gradient_ = TGDIPGradient::ggRadial;
    TGDIPGradient gradientMirror_ = TGDIPGradient::ggRadial;
    TGDIPGradient gradientHot_ = TGDIPGradient::ggRadial;
    TGDIPGradient gradientMirrorHot_ = TGDIPGradient::ggRadial;
    TGDIPGradient gradientDown_ = TGDIPGradient::ggRadial;
    TGDIPGradient gradientMirrorDown_ = TGDIPGradient::ggRadial;
    TGDIPGradient gradientChecked_ = TGDIPGradient::ggRadial;
    TGDIPGradient gradientMirrorChecked_ = TGDIPGradient::ggRadial;
    TGDIPGradient gradientDisabled_ = TGDIPGradient::ggRadial;
    TGDIPGradient gradientMirrorDisabled_ = TGDIPGradient::ggRadial;
    bool systemFont_ = false;
};

/// The seven values a face is painted with.
struct TGlowColorSet {
    TColor Color = 0;
    TColor ColorTo = 0;
    TColor ColorMirror = 0;
    TColor ColorMirrorTo = 0;
    TColor BorderColor = 0;
    TGDIPGradient Gradient = TGDIPGradient::ggVertical;
    TGDIPGradient GradientMirror = TGDIPGradient::ggVertical;

    bool operator==(const TGlowColorSet&) const = default;
};

enum class TGlowSetKind { Normal, Hot, Down, Checked, Disabled };

/// One of the five named sets of `a`, unblended.
TGlowColorSet NamedColorSet(const TGlowButtonAppearance& a, TGlowSetKind kind);

/// What of the button and its animation the choice of the set depends on.
struct TColorSetInputs {
    TButtonFaceState FaceState = TButtonFaceState::Up;
    bool Enabled = true;
    bool ShowDisabled = true;
    TAdvButtonStyle Style = TAdvButtonStyle::bsButton;
    int GroupIndex = 0;
    bool Transparent = false;
    TButtonPosition Position = TButtonPosition::bpStandalone;
    bool Focused = false;
    TFocusType FocusType = TFocusType::ftBorder;
    bool TimerRunning = false; ///< the fade animation's timer exists
    int HoverProgress = 0;     ///< 0 to 100
    int PressProgress = 0;     ///< 0 to 100
    bool Hot = false;          ///< the pointer has entered
    bool Hover = false;
    bool Pressed = false; ///< the pressed look is showing
    bool Held = false;    ///< left button held since a press on the button
};

/// The set a paint uses, by the five steps: base set, animation blend, the group frame while
/// held, disabled over all, and the hot set for a focused button shown hot. `chosen`, when
/// given, receives the named set the steps settled on (blends count as their base set).
TGlowColorSet SelectColorSet(const TGlowButtonAppearance& a, const TColorSetInputs& in,
                             TGlowSetKind* chosen = nullptr);
