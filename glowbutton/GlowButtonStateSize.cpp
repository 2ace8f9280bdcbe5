// Size states and the AutoSize arithmetic of the glow button.

#include "glowbutton/GlowButtonStateSize.h"

#include <utility>

namespace {
// Width or height of the drop-down part.
constexpr int DropDownPart = 14;
} // namespace

TGlowButtonSizeStates::TGlowButtonSizeStates(TGlowSizeHost host) : host_(std::move(host)) {}

void TGlowButtonSizeStates::SetMaxButtonSizeState(TButtonSizeState value) {
    max_ = value;
    SwitchTo(value);
}

void TGlowButtonSizeStates::SetMinButtonSizeState(TButtonSizeState value) {
    min_ = value;
    if (value > state_)
        SwitchTo(value);
}

// Switching to the state already shown changes nothing: saving the layout again would
// overwrite the remembered one with a compacted one.
void TGlowButtonSizeStates::SwitchTo(TButtonSizeState value) {
    if (value == state_)
        return;
    // Leaving bsLarge remembers the layout.
    if (state_ == TButtonSizeState::bsLarge && host_.SaveLayout)
        host_.SaveLayout();
    state_ = value;
    if (autoSize_) {
        if (value == TButtonSizeState::bsLarge) {
            if (host_.RestoreLayout)
                host_.RestoreLayout();
        } else if (host_.CompactLayout) {
            host_.CompactLayout();
        }
    }
    sizeDirty_ = true;
    if (host_.Repaint)
        host_.Repaint();
}

TGlowAutoSize GlowAutoSize(int contentWidth, int contentHeight, int spacing, int marginHorz,
                           int marginVert, bool dropDownButton, bool dropDownAtBottom) {
    TGlowAutoSize size;
    size.Width = 3 * spacing + contentWidth + 2 + 2 * marginHorz;
    size.Height = 2 * spacing + contentHeight + 2 * marginVert;
    if (dropDownButton) {
        if (dropDownAtBottom)
            size.Height += DropDownPart;
        else
            size.Width += DropDownPart;
    }
    return size;
}
