#pragma once
// Private to the platform: conversions between the framework's values and Qt's (text goes
// through platform/qt/DisplayText.h).

#include <QColor>
#include <QRect>
#include <QString>

#include "platform/SysColors.h"
#include "platform/Types.h"
#include "platform/qt/DisplayText.h"

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
