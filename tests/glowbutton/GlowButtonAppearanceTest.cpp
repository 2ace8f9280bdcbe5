// The glow button's colour scheme: the values a new button carries, change notification,
// assignment, and the choice and blending of the set a face is painted with.

#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

#include "drawing/ColorArithmetic.h"
#include "glowbutton/GlowButtonAppearance.h"

namespace {

using G = TGDIPGradient;
using S = TButtonFaceState;

// Every set in colours of its own, so a test sees which set a value came from.
void GiveEachSetItsOwnColours(TGlowButtonAppearance& a) {
    a.SetColor(0x000010);
    a.SetColorTo(0x000020);
    a.SetColorMirror(0x000030);
    a.SetColorMirrorTo(0x000040);
    a.SetBorderColor(0x000050);
    a.SetColorHot(0x001000);
    a.SetColorHotTo(0x002000);
    a.SetColorMirrorHot(0x003000);
    a.SetColorMirrorHotTo(0x004000);
    a.SetBorderColorHot(0x005000);
    a.SetColorDown(0x100000);
    a.SetColorDownTo(0x200000);
    a.SetColorMirrorDown(0x300000);
    a.SetColorMirrorDownTo(0x400000);
    a.SetBorderColorDown(0x500000);
    a.SetColorChecked(0x101010);
    a.SetColorCheckedTo(0x202020);
    a.SetColorMirrorChecked(0x303030);
    a.SetColorMirrorCheckedTo(0x404040);
    a.SetBorderColorChecked(0x505050);
    a.SetColorDisabled(0x0A0A0A);
    a.SetColorDisabledTo(0x0B0B0B);
    a.SetColorMirrorDisabled(0x0C0C0C);
    a.SetColorMirrorDisabledTo(0x0D0D0D);
    a.SetBorderColorDisabled(0x0E0E0E);
    a.SetGradient(G::ggDiagonalForward);
    a.SetGradientMirror(G::ggDiagonalBackward);
    a.SetGradientHot(G::ggVertical);
    a.SetGradientMirrorHot(G::ggDiagonalForward);
    a.SetGradientDown(G::ggDiagonalBackward);
    a.SetGradientMirrorDown(G::ggVertical);
    a.SetGradientChecked(G::ggDiagonalForward);
    a.SetGradientMirrorChecked(G::ggRadial);
    a.SetGradientDisabled(G::ggVertical);
    a.SetGradientMirrorDisabled(G::ggDiagonalBackward);
}

TGlowColorSet Set(const TGlowButtonAppearance& a, TGlowSetKind k) {
    return NamedColorSet(a, k);
}

// `a`'s fills and frame weighted by `p` against `b`'s, gradients from `gradients`.
TGlowColorSet Blend(const TGlowColorSet& a, const TGlowColorSet& b, int p,
                    const TGlowColorSet& gradients) {
    return {MixColors(a.Color, b.Color, p),
            MixColors(a.ColorTo, b.ColorTo, p),
            MixColors(a.ColorMirror, b.ColorMirror, p),
            MixColors(a.ColorMirrorTo, b.ColorMirrorTo, p),
            MixColors(a.BorderColor, b.BorderColor, p),
            gradients.Gradient,
            gradients.GradientMirror};
}

} // namespace

TEST(GlowButtonAppearance, ANewAppearanceHasTheValuesStoredForTheMainWindowButtons) {
    const TGlowButtonAppearance a;
    // The sixteen derived colours as the main window's form stores them.
    EXPECT_EQ(a.ColorChecked(), 16111818u);
    EXPECT_EQ(a.ColorCheckedTo(), 16367008u);
    EXPECT_EQ(a.ColorDisabled(), 15921906u);
    EXPECT_EQ(a.ColorDisabledTo(), 15921906u);
    EXPECT_EQ(a.ColorDown(), 16111818u);
    EXPECT_EQ(a.ColorDownTo(), 16367008u);
    EXPECT_EQ(a.ColorHot(), 16117985u);
    EXPECT_EQ(a.ColorHotTo(), 16372402u);
    EXPECT_EQ(a.ColorMirrorHot(), 16107693u);
    EXPECT_EQ(a.ColorMirrorHotTo(), 16775412u);
    EXPECT_EQ(a.ColorMirrorDown(), 16102556u);
    EXPECT_EQ(a.ColorMirrorDownTo(), 16768988u);
    EXPECT_EQ(a.ColorMirrorChecked(), 16102556u);
    EXPECT_EQ(a.ColorMirrorCheckedTo(), 16768988u);
    EXPECT_EQ(a.ColorMirrorDisabled(), 11974326u);
    EXPECT_EQ(a.ColorMirrorDisabledTo(), 15921906u);

    EXPECT_EQ(Set(a, TGlowSetKind::Normal),
              (TGlowColorSet{0xFFFFFF, 0xFFFFFF, 0xC0C0C0, 0xFFFFFF, 0xC0C0C0, G::ggVertical,
                             G::ggVertical}));
    EXPECT_EQ(a.BorderColorHot(), 0xFF0000u);
    EXPECT_EQ(a.BorderColorDown(), 0x800000u);
    EXPECT_EQ(a.BorderColorChecked(), 0xFF0000u);
    EXPECT_EQ(a.BorderColorDisabled(), 0x808080u);
    for (G g : {a.GradientHot(), a.GradientMirrorHot(), a.GradientDown(), a.GradientMirrorDown(),
                a.GradientChecked(), a.GradientDisabled(), a.GradientMirrorDisabled()})
        EXPECT_EQ(g, G::ggRadial);
    EXPECT_EQ(a.GradientMirrorChecked(), G::ggVertical);
    EXPECT_TRUE(a.SystemFont());
}

TEST(GlowButtonAppearance, OnlyARealChangeCallsTheHandler) {
    TGlowButtonAppearance a;
    std::vector<TObject*> senders;
    a.OnChange = [&](TObject* sender) { senders.push_back(sender); };

    a.SetColorHot(a.ColorHot());
    a.SetGradientMirror(a.GradientMirror());
    a.SetSystemFont(true);
    EXPECT_TRUE(senders.empty());

    a.SetColorMirrorDisabledTo(0x123456);
    a.SetGradientChecked(G::ggDiagonalBackward);
    a.SetSystemFont(false);
    EXPECT_EQ(a.ColorMirrorDisabledTo(), 0x123456u);
    EXPECT_EQ(a.GradientChecked(), G::ggDiagonalBackward);
    EXPECT_FALSE(a.SystemFont());
    EXPECT_EQ(senders, (std::vector<TObject*>{&a, &a, &a}));
}

TEST(GlowButtonAppearance, AssignCopiesEveryValueInItsOrderAndNotifiesPerDifference) {
    TGlowButtonAppearance source;
    GiveEachSetItsOwnColours(source);
    source.SetSystemFont(false);

    TGlowButtonAppearance full;
    full.Assign(source);
    for (TGlowSetKind k : {TGlowSetKind::Normal, TGlowSetKind::Hot, TGlowSetKind::Down,
                           TGlowSetKind::Checked, TGlowSetKind::Disabled})
        EXPECT_EQ(Set(full, k), Set(source, k)) << static_cast<int>(k);
    EXPECT_FALSE(full.SystemFont());

    // Three values differ: three calls, in the order of the copy (colours, frames, gradients).
    TGlowButtonAppearance other, target;
    other.SetGradientMirrorDisabled(G::ggVertical);
    other.SetBorderColorChecked(0x00AA00);
    other.SetColorMirrorHotTo(0x0000AA);
    std::vector<int> seen;
    target.OnChange = [&](TObject*) {
        seen.push_back((target.ColorMirrorHotTo() == 0x0000AA) +
                       (target.BorderColorChecked() == 0x00AA00) * 10 +
                       (target.GradientMirrorDisabled() == G::ggVertical) * 100);
    };
    target.Assign(other);
    EXPECT_EQ(seen, (std::vector<int>{1, 11, 111}));

    EXPECT_THROW(target.Assign(TObject()), std::invalid_argument);
}

TEST(GlowButtonAppearance, TheIdleButtonPaintsWithTheSetOfItsState) {
    TGlowButtonAppearance a;
    GiveEachSetItsOwnColours(a);
    const auto pick = [&](TColorSetInputs in) { return SelectColorSet(a, in); };

    EXPECT_EQ(pick({}), Set(a, TGlowSetKind::Normal));
    EXPECT_EQ(pick({.Hot = true}), Set(a, TGlowSetKind::Hot));
    EXPECT_EQ(pick({.FaceState = S::Down, .Hot = true}), Set(a, TGlowSetKind::Down));
    EXPECT_EQ(pick({.FaceState = S::Checked, .Hot = true}), Set(a, TGlowSetKind::Checked));
    EXPECT_EQ(pick({.FaceState = S::Down, .Style = TAdvButtonStyle::bsCheck}),
              Set(a, TGlowSetKind::Checked));
    EXPECT_EQ(pick({.FaceState = S::Disabled}), Set(a, TGlowSetKind::Disabled));
    EXPECT_EQ(pick({.FaceState = S::Down, .Enabled = false, .Hot = true}),
              Set(a, TGlowSetKind::Disabled));

    // Not shown disabled: the set its face state would select otherwise.
    EXPECT_EQ(pick({.Enabled = false, .ShowDisabled = false}), Set(a, TGlowSetKind::Normal));
    EXPECT_EQ(pick({.FaceState = S::Down, .Enabled = false, .ShowDisabled = false}),
              Set(a, TGlowSetKind::Down));
    EXPECT_EQ(pick({.Enabled = false, .ShowDisabled = false, .Hot = true}),
              Set(a, TGlowSetKind::Hot));

    // A held button in a row keeps the plain frame; alone it keeps its own.
    TGlowColorSet held = Set(a, TGlowSetKind::Down);
    held.BorderColor = a.BorderColor();
    EXPECT_EQ(pick({.FaceState = S::Down, .Position = TButtonPosition::bpMiddle, .Held = true}),
              held);
    EXPECT_EQ(pick({.FaceState = S::Down, .Held = true}), Set(a, TGlowSetKind::Down));

    // Focus shown hot: the hot set unless the pressed look shows.
    EXPECT_EQ(pick({.Focused = true, .FocusType = TFocusType::ftHot}), Set(a, TGlowSetKind::Hot));
    EXPECT_EQ(pick({.Focused = true, .FocusType = TFocusType::ftHotBorder}),
              Set(a, TGlowSetKind::Hot));
    EXPECT_EQ(pick({.Focused = true}), Set(a, TGlowSetKind::Normal));
    EXPECT_EQ(pick({.FaceState = S::Down,
                    .Focused = true,
                    .FocusType = TFocusType::ftHot,
                    .Pressed = true}),
              Set(a, TGlowSetKind::Down));
}

TEST(GlowButtonAppearance, TheFadesBlendBetweenTheSets) {
    TGlowButtonAppearance a;
    GiveEachSetItsOwnColours(a);
    const TGlowColorSet normal = Set(a, TGlowSetKind::Normal), hot = Set(a, TGlowSetKind::Hot),
                        down = Set(a, TGlowSetKind::Down), checked = Set(a, TGlowSetKind::Checked);
    const auto pick = [&](TColorSetInputs in) { return SelectColorSet(a, in); };

    // Hover: fills and frame from normal to hot, gradients of the base set.
    EXPECT_EQ(pick({.TimerRunning = true, .HoverProgress = 40, .Hot = true}),
              Blend(hot, normal, 40, hot));
    EXPECT_EQ(pick({.TimerRunning = true, .HoverProgress = 40}), Blend(hot, normal, 40, normal));
    // No hover blend on a transparent button, nor without the timer.
    EXPECT_EQ(pick({.Transparent = true, .TimerRunning = true, .HoverProgress = 40}), normal);
    EXPECT_EQ(pick({.HoverProgress = 40, .Hot = true}), hot);

    // Press of a plain button: from hot to down, frame too.
    EXPECT_EQ(
        pick({.FaceState = S::Down, .TimerRunning = true, .PressProgress = 60, .Pressed = true}),
        Blend(down, hot, 60, down));
    // Press of a check button: fills from checked to down, frame of the base set.
    TGlowColorSet checkPress = Blend(down, checked, 60, checked);
    checkPress.BorderColor = checked.BorderColor;
    EXPECT_EQ(pick({.FaceState = S::Down,
                    .Style = TAdvButtonStyle::bsCheck,
                    .TimerRunning = true,
                    .PressProgress = 60,
                    .Pressed = true}),
              checkPress);

    // A checked face under the pointer mixes checked into down by the press progress.
    TGlowColorSet checkedHover = Blend(checked, down, 30, checked);
    checkedHover.BorderColor = checked.BorderColor;
    EXPECT_EQ(
        pick({.FaceState = S::Checked, .TimerRunning = true, .PressProgress = 30, .Hover = true}),
        checkedHover);
    // ... and so does an ungrouped one without it; a grouped one stays checked.
    EXPECT_EQ(pick({.FaceState = S::Checked, .TimerRunning = true, .PressProgress = 30}),
              checkedHover);
    EXPECT_EQ(
        pick({.FaceState = S::Checked, .GroupIndex = 1, .TimerRunning = true, .PressProgress = 30}),
        checked);

    // A disabled button shows no blending.
    EXPECT_EQ(pick({.Enabled = false, .TimerRunning = true, .HoverProgress = 40, .Hot = true}),
              Set(a, TGlowSetKind::Disabled));
}
