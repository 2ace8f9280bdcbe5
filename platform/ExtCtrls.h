#pragma once

#include <memory>

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

/// A message timer: while Enabled and with an Interval above 0, OnTimer fires every Interval
/// milliseconds on the main thread, between other events (a tick never interrupts a handler).
/// Enabling it, or setting the interval, starts the count afresh. A tick without an OnTimer
/// handler does nothing. A failure in the handler goes to the application's error box, like
/// any event's.
class TTimer : public TObject {
public:
    TTimer();
    ~TTimer() override;
    TTimer(const TTimer&) = delete;
    TTimer& operator=(const TTimer&) = delete;

    bool Enabled() const { return enabled_; }
    void SetEnabled(bool value);
    int Interval() const { return interval_; }
    /// In milliseconds; 0 stops the timer (a negative value counts as 0).
    void SetInterval(int milliseconds);

    TNotifyEvent OnTimer;

private:
    struct Impl;
    void Restart();

    std::unique_ptr<Impl> impl_;
    bool enabled_ = true;
    int interval_ = 1000;
};
