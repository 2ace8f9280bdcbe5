#include "platform/qt/ControlEvents.h"

#include <QCoreApplication>
#include <QEvent>
#include <QMouseEvent>
#include <QWidget>

#include "platform/qt/Input.h"
#include "platform/qt/Native.h"

// --- ControlEvents ---------------------------------------------------------------------------

ControlEvents::ControlEvents(TControl* control, QWidget* watched, bool owner)
    : QObject(watched), control_(control), watched_(watched), owner_(owner) {
    watched->installEventFilter(this);
    watched->setMouseTracking(true);
}

ControlEvents::~ControlEvents() {
    if (owner_ && control_) {
        control_->native_->widget = nullptr;
        control_->native_->client = nullptr;
        control_->events_ = nullptr;
    }
}

void ControlEvents::RedirectMouse(TControl* control, QWidget* watched) {
    if (control->events_) {
        control->events_->mouse_ = false;
        control->events_->mouseWidget_ = watched;
    }
    new ControlEvents(control, watched, /*owner=*/false);
}

QWidget* ControlEvents::MouseWidgetOf(TControl* control) {
    if (!control->events_)
        return nullptr;
    if (control->events_->mouseWidget_)
        return control->events_->mouseWidget_;
    return WidgetOf(*control);
}

void ControlEvents::SendMouseMove(TControl* control, TShiftState shift, int x, int y) {
    QWidget* target = MouseWidgetOf(control);
    QWidget* client = ClientWidgetOf(*control);
    if (!target || !client)
        return;
    const QPoint global = client->mapToGlobal(QPoint(x, y));
    const QPoint local = target == client ? QPoint(x, y) : target->mapFromGlobal(global);
    QMouseEvent move(QEvent::MouseMove, QPointF(local), QPointF(global), Qt::NoButton,
                     ButtonsFrom(shift), ModifiersFrom(shift));
    QCoreApplication::sendEvent(target, &move);
}

void ControlEvents::StoreBounds(TControl* control, int left, int top, int width, int height) {
    control->left_ = left;
    control->top_ = top;
    control->width_ = width;
    control->height_ = height;
}

void ControlEvents::StoreVisible(TControl* control, bool visible) {
    control->visible_ = visible;
}

QPoint ControlEvents::ToClient(QPoint local) const {
    QWidget* client = ClientWidgetOf(*control_);
    if (!client || client == watched_)
        return local;
    return client->mapFromGlobal(watched_->mapToGlobal(local));
}

void ControlEvents::PointerOver(bool over) {
    if (over == pointerOver_ || !control_)
        return;
    pointerOver_ = over;
    TControl* c = control_;
    if (over)
        GuardEvent([&] { c->MouseEnter(); });
    else
        GuardEvent([&] { c->MouseLeave(); });
}

// While a button is held, the desktop sends every pointer event to the pressed widget and
// reports the crossings only after the release. Enter and leave follow the pointer instead,
// as the moves show it, so a control sees the pointer go while it is held; the desktop's
// late crossing then finds nothing left to report.
bool ControlEvents::eventFilter(QObject* object, QEvent* event) {
    if (!control_ || object != watched_)
        return false;
    TControl* c = control_;
    switch (event->type()) {
    case QEvent::MouseMove:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseButtonRelease: {
        if (!mouse_)
            return false;
        auto* me = static_cast<QMouseEvent*>(event);
        const QPoint p = ToClient(me->position().toPoint());
        TShiftState shift = ShiftFrom(me->modifiers(), me->buttons());
        TMouseButton button = TMouseButton::mbLeft;
        if (me->button() == Qt::RightButton)
            button = TMouseButton::mbRight;
        else if (me->button() == Qt::MiddleButton)
            button = TMouseButton::mbMiddle;
        const bool over = watched_->rect().contains(me->position().toPoint());
        if (event->type() == QEvent::MouseMove) {
            GuardEvent([&] { c->MouseMove(shift, p.x(), p.y()); });
            if (me->buttons() != Qt::NoButton)
                PointerOver(over);
        } else if (event->type() == QEvent::MouseButtonRelease) {
            GuardEvent([&] { c->MouseUp(button, shift, p.x(), p.y()); });
        } else {
            shift.Double = event->type() == QEvent::MouseButtonDblClick;
            GuardEvent([&] { c->MouseDown(button, shift, p.x(), p.y()); });
        }
        return false;
    }
    case QEvent::Enter:
        if (mouse_)
            PointerOver(true);
        return false;
    case QEvent::Leave:
        if (mouse_)
            PointerOver(false);
        return false;
    default:
        return false;
    }
}
