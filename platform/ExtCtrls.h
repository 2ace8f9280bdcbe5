#pragma once

#include "platform/Controls.h"

/// A plain container with an outer and an inner bevel, each one pixel wide, filled with its
/// Color. No caption is drawn.
class TPanel : public TWinControl {
public:
    explicit TPanel(TWinControl* parent);

    TBevelCut BevelOuter() const { return bevelOuter_; }
    void SetBevelOuter(TBevelCut cut);
    TBevelCut BevelInner() const { return bevelInner_; }
    void SetBevelInner(TBevelCut cut);

    /// The area inside the bevels.
    TRect InnerRect() const;

    /// Renders the panel as it paints on screen into `bitmap` (sized to the panel).
    void PaintTo(TBitmap& bitmap);

protected:
    /// Aligned children share the area inside the bevels.
    TRect AlignRect() const override { return InnerRect(); }

private:
    friend class PanelWidget;
    void Paint(TCanvas& canvas);

    TBevelCut bevelOuter_ = TBevelCut::bvRaised;
    TBevelCut bevelInner_ = TBevelCut::bvNone;
};
