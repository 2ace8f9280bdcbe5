#include <QKeyEvent>
#include <QPainter>
#include <QWheelEvent>

#include "platform/Controls.h"
#include "platform/Keys.h"
#include "platform/qt/CustomControlHost.h"
#include "platform/qt/Input.h"
#include "platform/qt/QtSupport.h"

CustomControlHost::CustomControlHost(TCustomControl* control, QWidget* parent)
    : QWidget(parent), control_(control) {
    // The control paints every pixel itself: no erase, no flicker.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAutoFillBackground(false);
    setFocusPolicy(Qt::StrongFocus);
}

bool CustomControlHost::event(QEvent* event) {
    if (event->type() == QEvent::KeyPress && control_->WantTabs()) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) {
            keyPressEvent(key);
            return true;
        }
    }
    return QWidget::event(event);
}

void CustomControlHost::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing, false);
    TCanvas& canvas = control_->Canvas();
    canvas.Attach(&painter);
    GuardEvent([&] { control_->Paint(); });
    canvas.Attach(nullptr);
}

void CustomControlHost::keyPressEvent(QKeyEvent* event) {
    const TShiftState shift = ShiftFrom(event->modifiers(), Qt::NoButton);
    std::uint16_t key = VirtualKeyFromQt(event->key(), event->modifiers());
    if (key != 0)
        GuardEvent([&] { control_->KeyDown(key, shift); });

    // Alt+key is a menu access key on Windows, not typing.
    if (shift.Alt && !shift.Ctrl)
        return;
    QByteArray text = event->text().toUtf8();
    if (text.isEmpty() && shift.Ctrl && event->key() >= Qt::Key_A && event->key() <= Qt::Key_Z)
        text.append(static_cast<char>(1 + event->key() - Qt::Key_A)); // Ctrl+A is 1, ...
    if (text.isEmpty() && event->key() == Qt::Key_Backtab)
        text.append('\t');
    for (char byte : text) {
        if (byte == 0x7F) // Delete is a key, not a character
            continue;
        char ch = byte;
        GuardEvent([&] { control_->KeyPress(ch); });
    }
    event->accept();
}

void CustomControlHost::wheelEvent(QWheelEvent* event) {
    const int delta = event->angleDelta().y();
    if (delta == 0) {
        event->ignore();
        return;
    }
    const TShiftState shift = ShiftFrom(event->modifiers(), event->buttons());
    const QPoint global = event->globalPosition().toPoint();
    bool handled = false;
    GuardEvent([&] { handled = control_->DoMouseWheel(shift, delta, {global.x(), global.y()}); });
    event->setAccepted(handled);
}

void CustomControlHost::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    GuardEvent([&] { control_->DoEnter(); });
}

void CustomControlHost::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    GuardEvent([&] { control_->DoExit(); });
}

// --- TCustomControl --------------------------------------------------------------------------

TCustomControl::TCustomControl(TWinControl* parent)
    : TWinControl(parent, new CustomControlHost(this, ParentWidgetFor(parent))),
      canvas_(std::make_unique<TCanvas>()) {
    canvas_->Font().Assign(Font());
    canvas_->Brush().Color = Color();
}

TCustomControl::~TCustomControl() = default;

void TCustomControl::PaintTo(TBitmap& bitmap) {
    bitmap.SetSize(Width(), Height());
    QPainter* painter = bitmap.Canvas().Painter();
    if (!painter)
        return;
    canvas_->Attach(painter);
    try {
        Paint();
    } catch (...) {
        canvas_->Attach(nullptr);
        throw;
    }
    canvas_->Attach(nullptr);
}

void TCustomControl::KeyDown(std::uint16_t&, TShiftState) {}
void TCustomControl::KeyPress(char&) {}
bool TCustomControl::DoMouseWheel(TShiftState, int, TPoint) {
    return false;
}
