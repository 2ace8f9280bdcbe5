#include "platform/ExtCtrls.h"

#include <QPainter>
#include <QTimer>
#include <QWidget>

#include "platform/qt/ControlEvents.h"
#include "platform/qt/Native.h"

class PanelWidget : public QWidget {
public:
    explicit PanelWidget(QWidget* parent) : QWidget(parent) {
        setAttribute(Qt::WA_OpaquePaintEvent);
    }
    void SetPanel(TPanel* panel) { panel_ = panel; }

protected:
    void paintEvent(QPaintEvent*) override {
        if (!panel_)
            return;
        QPainter painter(this);
        TCanvas canvas;
        AttachPainter(canvas, &painter);
        GuardEvent([&] { panel_->Paint(canvas); });
    }

private:
    TPanel* panel_ = nullptr;
};

namespace {

// One pixel of 3D frame: top and left in `topColor`, right and bottom in `bottomColor` (which
// also takes the top-right and bottom-left corners); then `r` shrinks by one on each side.
void Frame3D(TCanvas& canvas, TRect& r, TColor topColor, TColor bottomColor) {
    const int right = r.Right - 1, bottom = r.Bottom - 1;
    canvas.Pen().Color = topColor;
    canvas.MoveTo(r.Left, bottom);
    canvas.LineTo(r.Left, r.Top);
    canvas.LineTo(right, r.Top);
    canvas.Pen().Color = bottomColor;
    canvas.LineTo(right, bottom);
    canvas.LineTo(r.Left - 1, bottom);
    r = Rect(r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1);
}

void Bevel(TCanvas& canvas, TRect& r, TBevelCut cut) {
    if (cut == TBevelCut::bvRaised)
        Frame3D(canvas, r, clBtnHighlight, clBtnShadow);
    else if (cut == TBevelCut::bvLowered)
        Frame3D(canvas, r, clBtnShadow, clBtnHighlight);
}

int BevelWidth(TBevelCut cut) {
    return cut == TBevelCut::bvNone ? 0 : 1;
}

} // namespace

TPanel::TPanel(TWinControl* parent)
    : TWinControl(parent, TNativeWidget(new PanelWidget(ParentWidgetFor(parent)))) {
    static_cast<PanelWidget*>(WidgetOf(*this))->SetPanel(this);
    SetBounds(0, 0, 185, 41);
}

void TPanel::SetBevelOuter(TBevelCut cut) {
    if (bevelOuter_ == cut)
        return;
    bevelOuter_ = cut;
    AlignControls();
    Invalidate();
}

void TPanel::SetBevelInner(TBevelCut cut) {
    if (bevelInner_ == cut)
        return;
    bevelInner_ = cut;
    AlignControls();
    Invalidate();
}

TRect TPanel::InnerRect() const {
    const int inset = BevelWidth(bevelOuter_) + BevelWidth(bevelInner_);
    return Rect(inset, inset, std::max(inset, ClientWidth() - inset),
                std::max(inset, ClientHeight() - inset));
}

void TPanel::Paint(TCanvas& canvas) {
    canvas.Pen().Style = TPenStyle::psSolid;
    canvas.Pen().Width = 1;
    TRect r = ClientRect();
    Bevel(canvas, r, bevelOuter_);
    Bevel(canvas, r, bevelInner_);
    canvas.Brush().Style = TBrushStyle::bsSolid;
    canvas.Brush().Color = Color();
    canvas.FillRect(r);
}

void TPanel::PaintTo(TBitmap& bitmap) {
    bitmap.SetSize(Width(), Height());
    TCanvas canvas;
    AttachPainter(canvas, PainterOf(bitmap.Canvas()));
    Paint(canvas);
}

// --- TTimer ------------------------------------------------------------------------------------

struct TTimer::Impl {
    QTimer timer;
};

TTimer::TTimer() : impl_(std::make_unique<Impl>()) {
    // Fades and blinks step every few tens of milliseconds: a coarse timer would let them
    // stutter by up to a twentieth of their interval.
    impl_->timer.setTimerType(Qt::PreciseTimer);
    QObject::connect(&impl_->timer, &QTimer::timeout, [this] {
        if (OnTimer)
            GuardEvent([this] { OnTimer(this); });
    });
    Restart();
}

TTimer::~TTimer() = default;

void TTimer::SetEnabled(bool value) {
    enabled_ = value;
    Restart();
}

void TTimer::SetInterval(int milliseconds) {
    interval_ = milliseconds < 0 ? 0 : milliseconds;
    Restart();
}

void TTimer::Restart() {
    impl_->timer.stop();
    if (enabled_ && interval_ > 0)
        impl_->timer.start(interval_);
}
