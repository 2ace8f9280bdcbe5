#pragma once
// Private to the platform: carries Qt's mouse and enter/leave events of a widget to its
// control's handlers, and lets the platform update a control's stored state.

#include <QObject>
#include <QPointer>

#include <functional>

#include "platform/Controls.h"
#include "platform/Forms.h"

class QWidget;

class ControlEvents : public QObject {
public:
    /// Watches `watched` for `control`. The owner bridge is a child of the control's own
    /// widget; when Qt deletes that widget, the bridge tells the control it has none.
    ControlEvents(TControl* control, QWidget* watched, bool owner);
    ~ControlEvents() override;

    /// The control is going away: report nothing more.
    void Detach() { control_ = nullptr; }

    /// Mouse events come from `watched` (a scroll area's viewport) instead of the widget.
    static void RedirectMouse(TControl* control, QWidget* watched);
    /// Delivers a mouse move at client (x, y) to the widget that takes the control's mouse.
    static void SendMouseMove(TControl* control, TShiftState shift, int x, int y);

    /// Stored state that the platform changes without going through the setters.
    static void StoreBounds(TControl* control, int left, int top, int width, int height);
    static void StoreVisible(TControl* control, bool visible);
    static void CallResize(TControl* control) { control->Resize(); }

protected:
    bool eventFilter(QObject* object, QEvent* event) override;

private:
    QPoint ToClient(QPoint local) const;
    /// Tells the control that the pointer is now over the watched widget or not, once per
    /// crossing.
    void PointerOver(bool over);
    static QWidget* MouseWidgetOf(TControl* control);

    TControl* control_;
    QPointer<QWidget> watched_;
    bool owner_;
    bool mouse_ = true;
    bool pointerOver_ = false;      // the control was last told the pointer is over it
    QPointer<QWidget> mouseWidget_; // set when another widget takes the control's mouse
};

/// Runs an event handler so that no exception crosses Qt.
inline void GuardEvent(const std::function<void()>& handler) {
    if (Application) {
        Application->Guard(handler);
        return;
    }
    try {
        handler();
    } catch (...) {
        // No application to report to: nothing may escape into Qt's event loop.
    }
}
