#include "platform/PopupWindow.h"

#include <QWidget>

#include "platform/qt/Native.h"

TPopupWindow::TPopupWindow() : TCustomControl(nullptr) {
    QWidget* const widget = WidgetOf(*this);
    // A tooltip-like window: no frame from the window manager, above the others, never
    // activated and never given the focus, so the editor beneath keeps its caret and keys.
    widget->setWindowFlags(Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus);
    widget->setAttribute(Qt::WA_ShowWithoutActivating);
    SetTabStop(false);
}

TPopupWindow::~TPopupWindow() = default;

void TPopupWindow::Popup() {
    // A tooltip-like window comes up above the others when shown.
    SetVisible(true);
}

void TPopupWindow::Close() {
    SetVisible(false);
}
