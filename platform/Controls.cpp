#include "platform/Controls.h"

#include <QApplication>
#include <QCursor>
#include <QEvent>
#include <QMouseEvent>
#include <QPalette>
#include <QWheelEvent>
#include <QWidget>

#include <algorithm>

#include "platform/qt/ControlEvents.h"
#include "platform/qt/Convert.h"
#include "platform/qt/Input.h"
#include "platform/qt/Native.h"

// --- TControl --------------------------------------------------------------------------------

TControl::TControl(TWinControl* parent, const TNativeWidget& native)
    : parent_(parent), native_(std::make_unique<TNativeWidget>(native)),
      font_(std::make_unique<TFont>()) {
    QWidget* const widget = native_->widget;
    if (parent_) {
        font_->Assign(parent_->Font());
        parent_->controls_.push_back(this);
        loading_ = parent_->loading_;
    } else {
        visible_ = false; // a window shows when asked to
    }
    font_->OnChange = [this](TObject*) {
        if (!inheritingFont_)
            parentFont_ = false;
        FontChanged();
        if (auto* self = dynamic_cast<TWinControl*>(this))
            for (TControl* child : self->controls_)
                if (child->parentFont_) {
                    child->inheritingFont_ = true;
                    child->font_->Assign(*font_);
                    child->inheritingFont_ = false;
                }
    };
    if (widget) {
        // Windows hands mouse input to the control under the pointer and no further.
        widget->setAttribute(Qt::WA_NoMousePropagation);
        widget->setFont(QFontOf(*font_));
        widget->setGeometry(0, 0, 0, 0);
        events_ = new ControlEvents(this, widget, /*owner=*/true);
        TControl::ColorChanged();
        if (parent_)
            widget->show();
    }
}

TControl::~TControl() {
    if (parent_) {
        auto& siblings = parent_->controls_;
        siblings.erase(std::remove(siblings.begin(), siblings.end(), this), siblings.end());
    }
    if (events_)
        events_->Detach();
    delete native_->widget;
}

void TControl::PlaceWidget(int left, int top, int width, int height) {
    const bool resized = width != width_ || height != height_;
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    if (native_->widget)
        native_->widget->setGeometry(left, top, std::max(0, width), std::max(0, height));
    if (resized)
        Resize();
}

void TControl::SetBounds(int left, int top, int width, int height) {
    if (left == left_ && top == top_ && width == width_ && height == height_)
        return;
    PlaceWidget(left, top, width, height);
    if (align_ != TAlign::alNone && parent_ && !parent_->aligning_)
        parent_->AlignControls();
}

void TControl::SetAlign(TAlign align) {
    if (align_ == align)
        return;
    align_ = align;
    if (parent_)
        parent_->AlignControls();
}

void TControl::SetVisible(bool visible) {
    if (visible_ == visible)
        return;
    visible_ = visible;
    if (native_->widget)
        native_->widget->setVisible(visible);
    if (align_ != TAlign::alNone && parent_)
        parent_->AlignControls();
}

void TControl::SetEnabled(bool enabled) {
    if (enabled_ == enabled)
        return;
    enabled_ = enabled;
    if (native_->widget)
        native_->widget->setEnabled(enabled);
    Invalidate();
}

void TControl::SetColor(TColor color) {
    if (color_ == color)
        return;
    color_ = color;
    ColorChanged();
}

void TControl::SetParentFont(bool value) {
    if (parentFont_ == value)
        return;
    parentFont_ = value;
    if (value && parent_) {
        inheritingFont_ = true;
        font_->Assign(parent_->Font());
        inheritingFont_ = false;
    }
}

namespace {

void ApplyHint(QWidget* widget, const std::string& hint, bool show) {
    if (!widget)
        return;
    QString text = show ? QStr(hint) : QString();
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n")); // a CR LF starts a new line
    widget->setToolTip(text);
}

} // namespace

void TControl::SetHint(std::string hint) {
    hint_ = std::move(hint);
    ApplyHint(native_->widget, hint_, showHint_);
}

void TControl::SetShowHint(bool value) {
    showHint_ = value;
    ApplyHint(native_->widget, hint_, showHint_);
}

void TControl::Invalidate() {
    if (native_->widget)
        native_->widget->update();
}

void TControl::InvalidateRect(const TRect& r) {
    if (native_->widget && r.Width() > 0 && r.Height() > 0)
        native_->widget->update(ToQRect(r));
}

void TControl::Repaint() {
    if (native_->widget)
        native_->widget->repaint();
}

void TControl::PerformMouseMove(TShiftState shift, int x, int y) {
    ControlEvents::SendMouseMove(this, shift, x, y);
}

void TControl::PerformMouseWheel(TShiftState shift, int wheelDelta, int x, int y) {
    QWidget* const widget = native_->widget;
    if (!widget)
        return;
    const QPoint global = widget->mapToGlobal(QPoint(x, y));
    QWheelEvent wheel(QPointF(x, y), QPointF(global), QPoint(), QPoint(0, wheelDelta),
                      ButtonsFrom(shift), ModifiersFrom(shift), Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(widget, &wheel);
}

void TControl::PerformMouseClick(int x, int y) {
    QWidget* const client = ClientWidgetOf(*this);
    if (!client)
        return;
    QWidget* target = client->childAt(x, y);
    if (!target)
        target = client;
    const QPoint global = client->mapToGlobal(QPoint(x, y));
    const QPointF local(target->mapFromGlobal(global));
    for (const QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
        const Qt::MouseButtons held =
            type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton;
        QMouseEvent event(type, local, QPointF(global), Qt::LeftButton, held, Qt::NoModifier);
        QCoreApplication::sendEvent(target, &event);
    }
}

void TControl::Click() {
    if (OnClick)
        OnClick(this);
}

void TControl::MouseMove(TShiftState shift, int x, int y) {
    if (OnMouseMove)
        OnMouseMove(this, shift, x, y);
}

void TControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    if (OnMouseDown)
        OnMouseDown(this, button, shift, x, y);
}

void TControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    if (OnMouseUp)
        OnMouseUp(this, button, shift, x, y);
}

void TControl::FontChanged() {
    if (native_->widget)
        native_->widget->setFont(QFontOf(*font_));
    Invalidate();
}

void TControl::ColorChanged() {
    if (!native_->widget)
        return;
    QPalette palette = native_->widget->palette();
    palette.setColor(QPalette::Window, ToQColor(color_));
    palette.setColor(QPalette::Base, ToQColor(color_));
    native_->widget->setPalette(palette);
    native_->widget->update();
}

// --- TWinControl -----------------------------------------------------------------------------

TWinControl::TWinControl(TWinControl* parent, const TNativeWidget& native)
    : TControl(parent, native) {}

TWinControl::~TWinControl() {
    // Children that outlive their parent keep working; they just have none now.
    for (TControl* child : controls_)
        child->parent_ = nullptr;
}

void TWinControl::AlignControls() {
    if (aligning_)
        return;
    aligning_ = true;
    TRect r = AlignRect();
    auto place = [&](TAlign which) {
        for (TControl* c : controls_) {
            if (c->align_ != which || !c->visible_)
                continue;
            switch (which) {
            case TAlign::alTop:
                c->PlaceWidget(r.Left, r.Top, r.Width(), c->height_);
                r.Top = std::min(r.Bottom, r.Top + c->height_);
                break;
            case TAlign::alBottom:
                c->PlaceWidget(r.Left, r.Bottom - c->height_, r.Width(), c->height_);
                r.Bottom = std::max(r.Top, r.Bottom - c->height_);
                break;
            case TAlign::alLeft:
                c->PlaceWidget(r.Left, r.Top, c->width_, r.Height());
                r.Left = std::min(r.Right, r.Left + c->width_);
                break;
            case TAlign::alRight:
                c->PlaceWidget(r.Right - c->width_, r.Top, c->width_, r.Height());
                r.Right = std::max(r.Left, r.Right - c->width_);
                break;
            case TAlign::alClient:
                c->PlaceWidget(r.Left, r.Top, r.Width(), r.Height());
                break;
            case TAlign::alNone:
                break;
            }
        }
    };
    for (TAlign which :
         {TAlign::alTop, TAlign::alBottom, TAlign::alLeft, TAlign::alRight, TAlign::alClient})
        place(which);
    aligning_ = false;
}

void TWinControl::ApplyAnchors() {
    const int w = ClientWidth(), h = ClientHeight();
    const int dw = w - anchorWidth_, dh = h - anchorHeight_;
    // Before the first real size there is nothing to keep a distance to.
    if (anchorWidth_ > 0 && anchorHeight_ > 0 && (dw != 0 || dh != 0)) {
        for (TControl* c : controls_) {
            if (c->align_ != TAlign::alNone)
                continue;
            const TAnchors a = c->anchors_;
            int left = c->left_, top = c->top_, width = c->width_, height = c->height_;
            if (a.akRight) {
                if (a.akLeft)
                    width += dw;
                else
                    left += dw;
            }
            if (a.akBottom) {
                if (a.akTop)
                    height += dh;
                else
                    top += dh;
            }
            c->PlaceWidget(left, top, width, height);
        }
    }
    anchorWidth_ = w;
    anchorHeight_ = h;
}

void TWinControl::Resize() {
    ApplyAnchors();
    AlignControls();
}

void TWinControl::SetFocus() {
    QWidget* widget = WidgetOf(*this);
    if (!widget)
        return;
    // Qt gives the focus only inside the active window; on Windows SetFocus activates the
    // window it lands in. The offscreen platform activates nothing by itself.
    QWidget* window = widget->window();
    if (window->isVisible() && !window->isActiveWindow()) {
        window->activateWindow();
        if (!window->isActiveWindow()) {
            // Deprecated from Qt 6.5 on, with no synchronous replacement.
            QT_WARNING_PUSH
            QT_WARNING_DISABLE_DEPRECATED
            QApplication::setActiveWindow(window);
            QT_WARNING_POP
        }
    }
    widget->setFocus(Qt::OtherFocusReason);
}

void TWinControl::SetTabStop(bool value) {
    tabStop_ = value;
    if (QWidget* widget = WidgetOf(*this))
        widget->setFocusPolicy(value ? Qt::StrongFocus : Qt::NoFocus);
}

bool TWinControl::Focused() const {
    return WidgetOf(*this) && WidgetOf(*this)->hasFocus();
}

// --- Coordinates -------------------------------------------------------------------------------

TPoint TControl::ScreenToClient(TPoint p) const {
    QWidget* const client = ClientWidgetOf(*this);
    if (!client)
        return p;
    const QPoint local = client->mapFromGlobal(QPoint(p.X, p.Y));
    return {local.x(), local.y()};
}

TPoint CursorPos() {
    const QPoint p = QCursor::pos();
    return {p.x(), p.y()};
}
