#include "platform/Caret.h"

#include <QPainter>
#include <QTimer>
#include <QWidget>

#include <algorithm>
#include <vector>

#include "platform/Controls.h"
#include "platform/qt/CaretPaint.h"
#include "platform/qt/Native.h"

namespace {

std::uint32_t blinkTime = 530;
// Every caret that exists, to restart their blinking when the blink time changes and to
// find a control's caret when its host paints.
std::vector<TSystemCaret*>& Carets() {
    static std::vector<TSystemCaret*> carets;
    return carets;
}

} // namespace

struct TSystemCaret::Impl {
    QTimer timer;
    bool on = true; // the visible half of a blink
};

std::uint32_t GetCaretBlinkTime() {
    return blinkTime;
}

void SetCaretBlinkTime(std::uint32_t milliseconds) {
    blinkTime = milliseconds;
    for (TSystemCaret* caret : Carets())
        caret->SetPos(caret->Pos()); // restarts the blink with the caret on
}

TSystemCaret::TSystemCaret(TCustomControl& owner) : owner_(owner), impl_(std::make_unique<Impl>()) {
    QObject::connect(&impl_->timer, &QTimer::timeout, [this] {
        impl_->on = !impl_->on;
        Refresh();
    });
}

TSystemCaret::~TSystemCaret() {
    Destroy();
}

void TSystemCaret::Create(int width, int height) {
    Destroy();
    created_ = true;
    shown_ = false;
    width_ = width;
    height_ = height;
    Carets().push_back(this);
}

void TSystemCaret::Destroy() {
    if (!created_)
        return;
    Refresh();
    created_ = false;
    shown_ = false;
    impl_->timer.stop();
    std::erase(Carets(), this);
}

void TSystemCaret::SetPos(TPoint position) {
    Refresh();
    position_ = position;
    // A moved caret shows at once and starts its blink afresh.
    impl_->on = true;
    impl_->timer.stop();
    if (Showing() && blinkTime != kInfiniteBlink)
        impl_->timer.start(static_cast<int>(std::min<std::uint32_t>(blinkTime, 1u << 30)));
    Refresh();
}

void TSystemCaret::Show() {
    if (!created_ || shown_)
        return;
    shown_ = true;
    SetPos(position_);
}

void TSystemCaret::Hide() {
    if (!shown_)
        return;
    Refresh();
    shown_ = false;
    impl_->timer.stop();
}

void TSystemCaret::Refresh() {
    if (QWidget* widget = WidgetOf(owner_))
        widget->update(position_.X, position_.Y, width_, height_);
}

bool TSystemCaret::Lit() const {
    return Showing() && impl_->on;
}

void PaintSystemCaret(const TCustomControl& control, QPainter& painter) {
    for (TSystemCaret* caret : Carets()) {
        if (&caret->Owner() != &control || !caret->Lit())
            continue;
        // Inverted, like the desktop's caret, so it shows on any background.
        const TRect r = caret->Bounds();
        painter.save();
        painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
        painter.fillRect(r.Left, r.Top, r.Width(), r.Height(), Qt::white);
        painter.restore();
    }
}
