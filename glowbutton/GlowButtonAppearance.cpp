#include "glowbutton/GlowButtonAppearance.h"

#include <stdexcept>

#include "drawing/ColorArithmetic.h"

TGlowButtonAppearance::TGlowButtonAppearance() {
    constexpr TColor hot = 0xF5F0E1, hotTo = 0xF9D2B2;
    constexpr TColor mirrorHot = 0xF5C8AD, mirrorHotTo = 0xFFF8F4;
    // Down and checked are the hot colours with less red and green, so they lean to blue.
    const auto pressed = [](TColor c) { return AdjustBrightnessRGB(c, -10, -10, 0); };
    const auto greyed = [](TColor c) { return AdjustBrightness(c, -5); };

    SetColor(clWhite);
    SetColorTo(clWhite);
    SetColorMirror(clSilver);
    SetColorMirrorTo(clWhite);
    SetColorHot(hot);
    SetColorHotTo(hotTo);
    SetColorMirrorHot(mirrorHot);
    SetColorMirrorHotTo(mirrorHotTo);
    SetColorDown(pressed(hot));
    SetColorDownTo(pressed(hotTo));
    SetColorMirrorDown(pressed(mirrorHot));
    SetColorMirrorDownTo(pressed(mirrorHotTo));
    SetColorChecked(pressed(hot));
    SetColorCheckedTo(pressed(hotTo));
    SetColorMirrorChecked(pressed(mirrorHot));
    SetColorMirrorCheckedTo(pressed(mirrorHotTo));
    SetColorDisabled(greyed(clWhite));
    SetColorDisabledTo(greyed(clWhite));
    SetColorMirrorDisabled(greyed(clSilver));
    SetColorMirrorDisabledTo(greyed(clWhite));
    SetBorderColor(clSilver);
    SetBorderColorHot(clBlue);
    SetBorderColorDown(clNavy);
    SetBorderColorChecked(clBlue);
    SetBorderColorDisabled(clGray);
    SetGradient(TGDIPGradient::ggVertical);
    SetGradientMirror(TGDIPGradient::ggVertical);
    SetGradientHot(TGDIPGradient::ggRadial);
    SetGradientMirrorHot(TGDIPGradient::ggRadial);
    SetGradientDown(TGDIPGradient::ggRadial);
    SetGradientMirrorDown(TGDIPGradient::ggRadial);
    SetGradientChecked(TGDIPGradient::ggRadial);
    SetGradientMirrorChecked(TGDIPGradient::ggVertical);
    SetGradientDisabled(TGDIPGradient::ggRadial);
    SetGradientMirrorDisabled(TGDIPGradient::ggRadial);
    systemFont_ = true;
}

void TGlowButtonAppearance::Assign(const TObject& source) {
    const auto* s = dynamic_cast<const TGlowButtonAppearance*>(&source);
    if (!s)
        throw std::invalid_argument("Cannot assign this object to a TGlowButtonAppearance");
    SetColor(s->Color());
    SetColorTo(s->ColorTo());
    SetColorMirror(s->ColorMirror());
    SetColorMirrorTo(s->ColorMirrorTo());
    SetColorHot(s->ColorHot());
    SetColorHotTo(s->ColorHotTo());
    SetColorMirrorHot(s->ColorMirrorHot());
    SetColorMirrorHotTo(s->ColorMirrorHotTo());
    SetColorDown(s->ColorDown());
    SetColorDownTo(s->ColorDownTo());
    SetColorMirrorDown(s->ColorMirrorDown());
    SetColorMirrorDownTo(s->ColorMirrorDownTo());
    SetColorChecked(s->ColorChecked());
    SetColorCheckedTo(s->ColorCheckedTo());
    SetColorMirrorChecked(s->ColorMirrorChecked());
    SetColorMirrorCheckedTo(s->ColorMirrorCheckedTo());
    SetColorDisabled(s->ColorDisabled());
    SetColorDisabledTo(s->ColorDisabledTo());
    SetColorMirrorDisabled(s->ColorMirrorDisabled());
    SetColorMirrorDisabledTo(s->ColorMirrorDisabledTo());
    SetBorderColor(s->BorderColor());
    SetBorderColorHot(s->BorderColorHot());
    SetBorderColorDown(s->BorderColorDown());
    SetBorderColorChecked(s->BorderColorChecked());
    SetBorderColorDisabled(s->BorderColorDisabled());
    SetGradient(s->Gradient());
    SetGradientMirror(s->GradientMirror());
    SetGradientHot(s->GradientHot());
    SetGradientMirrorHot(s->GradientMirrorHot());
    SetGradientDown(s->GradientDown());
    SetGradientMirrorDown(s->GradientMirrorDown());
    SetGradientChecked(s->GradientChecked());
    SetGradientMirrorChecked(s->GradientMirrorChecked());
    SetGradientDisabled(s->GradientDisabled());
    SetGradientMirrorDisabled(s->GradientMirrorDisabled());
    SetSystemFont(s->SystemFont());
}

TGlowColorSet NamedColorSet(const TGlowButtonAppearance& a, TGlowSetKind kind) {
    switch (kind) {
    case TGlowSetKind::Normal:
        return {a.Color(),       a.ColorTo(),  a.ColorMirror(),   a.ColorMirrorTo(),
                a.BorderColor(), a.Gradient(), a.GradientMirror()};
    case TGlowSetKind::Hot:
        return {a.ColorHot(),       a.ColorHotTo(),  a.ColorMirrorHot(),   a.ColorMirrorHotTo(),
                a.BorderColorHot(), a.GradientHot(), a.GradientMirrorHot()};
    case TGlowSetKind::Down:
        return {a.ColorDown(),       a.ColorDownTo(),  a.ColorMirrorDown(),   a.ColorMirrorDownTo(),
                a.BorderColorDown(), a.GradientDown(), a.GradientMirrorDown()};
    case TGlowSetKind::Checked:
        return {a.ColorChecked(),         a.ColorCheckedTo(),     a.ColorMirrorChecked(),
                a.ColorMirrorCheckedTo(), a.BorderColorChecked(), a.GradientChecked(),
                a.GradientMirrorChecked()};
    case TGlowSetKind::Disabled:
        break;
    }
    return {a.ColorDisabled(),         a.ColorDisabledTo(),     a.ColorMirrorDisabled(),
            a.ColorMirrorDisabledTo(), a.BorderColorDisabled(), a.GradientDisabled(),
            a.GradientMirrorDisabled()};
}

namespace {

// The four fill colours of `a` weighted by `percent` against those of `b`.
void MixFills(TGlowColorSet& into, const TGlowColorSet& a, const TGlowColorSet& b, int percent) {
    into.Color = MixColors(a.Color, b.Color, percent);
    into.ColorTo = MixColors(a.ColorTo, b.ColorTo, percent);
    into.ColorMirror = MixColors(a.ColorMirror, b.ColorMirror, percent);
    into.ColorMirrorTo = MixColors(a.ColorMirrorTo, b.ColorMirrorTo, percent);
}

} // namespace

TGlowColorSet SelectColorSet(const TGlowButtonAppearance& a, const TColorSetInputs& in,
                             TGlowSetKind* chosen) {
    using S = TButtonFaceState;
    const bool check = in.Style == TAdvButtonStyle::bsCheck;
    const bool shownDisabled = (in.FaceState == S::Disabled || !in.Enabled) && in.ShowDisabled;
    const bool checkDown = check && in.FaceState == S::Down;
    const auto set = [&a](TGlowSetKind k) { return NamedColorSet(a, k); };
    TGlowSetKind kind = TGlowSetKind::Normal;
    const auto take = [&](TGlowSetKind k) {
        kind = k;
        return set(k);
    };

    // Base set.
    TGlowColorSet result;
    if (shownDisabled) {
        result = take(TGlowSetKind::Disabled);
    } else if (in.FaceState == S::Down && !check) {
        result = take(TGlowSetKind::Down);
    } else if (in.FaceState == S::Checked || checkDown) {
        result = take(TGlowSetKind::Checked);
        if (in.TimerRunning &&
            (in.Hover || (!check && (in.GroupIndex <= 0 || in.FaceState == S::Down))))
            MixFills(result, result, set(TGlowSetKind::Down), in.PressProgress);
    } else if (in.Hot) {
        result = take(TGlowSetKind::Hot);
    } else {
        result = take(TGlowSetKind::Normal);
    }

    // Blending while the fades run.
    if (in.TimerRunning) {
        if (!in.Pressed && !in.Transparent && in.FaceState != S::Checked && !checkDown) {
            const TGlowColorSet hot = set(TGlowSetKind::Hot), normal = set(TGlowSetKind::Normal);
            MixFills(result, hot, normal, in.HoverProgress);
            result.BorderColor = MixColors(hot.BorderColor, normal.BorderColor, in.HoverProgress);
        } else if (check && in.Pressed) {
            MixFills(result, set(TGlowSetKind::Down), set(TGlowSetKind::Checked), in.PressProgress);
        } else if (!check && in.Pressed && in.FaceState != S::Checked) {
            const TGlowColorSet down = set(TGlowSetKind::Down), hot = set(TGlowSetKind::Hot);
            MixFills(result, down, hot, in.PressProgress);
            result.BorderColor = MixColors(down.BorderColor, hot.BorderColor, in.PressProgress);
        }
    }

    // A held button in a row keeps the plain frame.
    if (in.Position != TButtonPosition::bpStandalone && in.Held)
        result.BorderColor = a.BorderColor();

    // No blending shows on a disabled button.
    if (shownDisabled)
        result = take(TGlowSetKind::Disabled);

    // Focus shown as the hot look.
    if (in.Focused &&
        (in.FocusType == TFocusType::ftHot || in.FocusType == TFocusType::ftHotBorder) &&
        !in.Pressed)
        result = take(TGlowSetKind::Hot);
    if (chosen)
        *chosen = kind;
    return result;
}
