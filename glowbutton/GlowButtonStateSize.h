#pragma once
// The glow button's size states and the AutoSize arithmetic, apart from painting. The layout
// values a size state saves and replaces (Layout, DropDownPosition) belong to the control, so
// the model asks the control to save, restore or compact them through callbacks.

#include <functional>

#include "glowbutton/GlowButtonTypes.h"

/// What the control does for the size states. Every member may be left empty.
struct TGlowSizeHost {
    std::function<void()> SaveLayout;    // remember Layout and DropDownPosition
    std::function<void()> RestoreLayout; // put the remembered ones back
    std::function<void()> CompactLayout; // Layout blGlyphLeft, DropDownPosition dpRight
    std::function<void()> Repaint;
};

class TGlowButtonSizeStates {
public:
    explicit TGlowButtonSizeStates(TGlowSizeHost host = {});

    TGlowSizeHost& Host() { return host_; }

    TButtonSizeState SizeState() const { return state_; }
    TButtonSizeState MaxButtonSizeState() const { return max_; }
    /// Stores the bound and switches the current state to it.
    void SetMaxButtonSizeState(TButtonSizeState value);
    TButtonSizeState MinButtonSizeState() const { return min_; }
    /// Stores the bound; a bound above the current state switches to it.
    void SetMinButtonSizeState(TButtonSizeState value);

    bool AutoSize() const { return autoSize_; }
    /// Only stores; the control runs its size update.
    void SetAutoSize(bool value) { autoSize_ = value; }

    /// A measuring pass is due (with AutoSize) before the next drawing pass.
    bool SizeDirty() const { return sizeDirty_; }
    void SizeMeasured() { sizeDirty_ = false; }

    /// Below bsLarge with AutoSize the picture is drawn at a fixed 16 x 16.
    bool SmallPicture() const { return autoSize_ && state_ != TButtonSizeState::bsLarge; }
    /// In bsGlyph with AutoSize the caption is left out. We read the AutoSize condition as
    /// covering both compact rules: without AutoSize the size states change nothing drawn.
    bool ShowsCaption() const { return !(autoSize_ && state_ == TButtonSizeState::bsGlyph); }

private:
    void SwitchTo(TButtonSizeState value);

    TGlowSizeHost host_;
    TButtonSizeState state_ = TButtonSizeState::bsLarge;
    TButtonSizeState max_ = TButtonSizeState::bsLarge;
    TButtonSizeState min_ = TButtonSizeState::bsGlyph;
    bool autoSize_ = false;
    bool sizeDirty_ = true;
};

struct TGlowAutoSize {
    int Width = 0;
    int Height = 0;
};

/// The button's size for a content of `contentWidth` x `contentHeight` from the measuring
/// pass: 3 x spacing + content + 2 + 2 x horizontal margin wide, 2 x spacing + content +
/// 2 x vertical margin high, and 14 more for a drop-down part (to the height when it sits at
/// the bottom, else to the width).
TGlowAutoSize GlowAutoSize(int contentWidth, int contentHeight, int spacing, int marginHorz,
                           int marginVert, bool dropDownButton, bool dropDownAtBottom);
