#pragma once

#include "platform/Controls.h"

/// A plain container with an outer and an inner bevel, each one pixel wide.
class TPanel : public TWinControl {
public:
    explicit TPanel(TWinControl* parent);

    TBevelCut BevelOuter() const { return bevelOuter_; }
    void SetBevelOuter(TBevelCut cut);
    TBevelCut BevelInner() const { return bevelInner_; }
    void SetBevelInner(TBevelCut cut);

    /// The area inside the bevels.
    TRect InnerRect() const;

private:
    TBevelCut bevelOuter_ = TBevelCut::bvRaised;
    TBevelCut bevelInner_ = TBevelCut::bvNone;
};
