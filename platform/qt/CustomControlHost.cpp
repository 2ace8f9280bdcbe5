#include "platform/qt/CustomControlHost.h"

#include <QContextMenuEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QPainter>
#include <QUrl>
#include <QWheelEvent>

#include "platform/Controls.h"
#include "platform/Forms.h"
#include "platform/Keys.h"
#include "platform/qt/CaretPaint.h"
#include "platform/qt/ControlEvents.h"
#include "platform/qt/Input.h"
#include "platform/qt/Native.h"

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
    AttachPainter(canvas, &painter);
    GuardEvent([&] { control_->Paint(); });
    AttachPainter(canvas, nullptr);
    PaintSystemCaret(*control_, painter);
}

void CustomControlHost::keyPressEvent(QKeyEvent* event) {
    const TShiftState shift = ShiftFrom(event->modifiers(), Qt::NoButton);
    std::uint16_t key = VirtualKeyFromQt(event->key(), event->modifiers());
    QByteArray text = event->text().toUtf8();

    // The form's dialog keys and Alt accelerators come before the control.
    if (TForm* form = ParentForm(control_)) {
        bool taken = false;
        if (key != 0 && !control_->WantsKey(key, shift))
            GuardEvent([&] { taken = form->OfferDialogKey(key, shift); });
        if (!taken && shift.Alt && !shift.Ctrl && text.size() == 1)
            GuardEvent([&] { taken = form->OfferDialogChar(text[0], shift); });
        if (taken) {
            event->accept();
            return;
        }
    }
    if (key != 0)
        GuardEvent([&] { control_->KeyDown(key, shift); });

    // Alt+key is a menu access key on Windows, not typing.
    if (shift.Alt && !shift.Ctrl)
        return;
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

// --- key releases, context menus, cursor, dropped files -------------------------------------

Qt::CursorShape QtCursorShape(TCursor cursor);

void CustomControlHost::keyReleaseEvent(QKeyEvent* event) {
    if (event->isAutoRepeat())
        return;
    const TShiftState shift = ShiftFrom(event->modifiers(), Qt::NoButton);
    std::uint16_t key = VirtualKeyFromQt(event->key(), event->modifiers());
    if (key != 0)
        GuardEvent([&] { control_->KeyUp(key, shift); });
    event->accept();
}

void CustomControlHost::contextMenuEvent(QContextMenuEvent* event) {
    // From the keyboard the request carries no point, as on the desktop: (-1, -1).
    const bool byMouse = event->reason() == QContextMenuEvent::Mouse;
    const TPoint client = byMouse ? TPoint{event->pos().x(), event->pos().y()} : TPoint{-1, -1};
    const TPoint screen =
        byMouse ? TPoint{event->globalPos().x(), event->globalPos().y()} : TPoint{-1, -1};
    GuardEvent([&] { control_->ContextPopup(client, screen); });
    event->accept();
}

void CustomControlHost::mouseMoveEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    TCursor cursor = TCursor::crDefault;
    GuardEvent([&] { cursor = control_->CursorAt(p.x(), p.y()); });
    if (cursor == TCursor::crDefault)
        unsetCursor();
    else
        setCursor(QtCursorShape(cursor));
    QWidget::mouseMoveEvent(event);
}

void CustomControlHost::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void CustomControlHost::dropEvent(QDropEvent* event) {
    std::vector<std::string> files;
    for (const QUrl& url : event->mimeData()->urls()) {
        if (url.isLocalFile())
            files.push_back(url.toLocalFile().toStdString());
    }
    if (files.empty())
        return;
    event->acceptProposedAction();
    GuardEvent([&] { control_->FilesDropped(files); });
}
