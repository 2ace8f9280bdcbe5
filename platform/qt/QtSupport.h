#pragma once
// Private to the platform: conversions between the framework's values and Qt's, and the one
// way an event reaches a control's handler.

#include <QColor>
#include <QRect>
#include <QString>

#include <functional>
#include <string_view>

#include "platform/Forms.h"
#include "platform/SysColors.h"
#include "platform/qt/DisplayText.h"

class QWidget;
class TWinControl;

inline QColor ToQColor(TColor color) {
    const TColor rgb = ColorToRGB(color);
    return QColor(static_cast<int>(rgb & 0xFF), static_cast<int>((rgb >> 8) & 0xFF),
                  static_cast<int>((rgb >> 16) & 0xFF));
}

/// 0xAARRGGBB (Qt) to 0x00BBGGRR.
inline TColor FromQRgb(unsigned int argb) {
    return ((argb >> 16) & 0xFF) | (argb & 0xFF00) | ((argb & 0xFF) << 16);
}

inline QRect ToQRect(const TRect& r) {
    return QRect(r.Left, r.Top, r.Width(), r.Height());
}

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

/// The Qt widget that children of `parent` live in (nullptr for a top-level control).
QWidget* ParentWidgetFor(TWinControl* parent);
