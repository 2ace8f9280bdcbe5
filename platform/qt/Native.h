#pragma once
// Private to the platform: the Qt side of the framework's objects. The public headers name
// only the opaque TNative... structs; the platform's own code and its tests reach the widgets,
// fonts, painters and images behind the framework's objects here.

#include <QFont>

#include "platform/Controls.h"
#include "platform/Graphics.h"

class QImage;
class QPainter;
class QWidget;

/// The widget behind a control, and the widget its children live in: the same one but for a
/// form, whose children live below its menu bar. Both become null when Qt deletes the widget.
struct TNativeWidget {
    explicit TNativeWidget(QWidget* widget, QWidget* client = nullptr)
        : widget(widget), client(client ? client : widget) {}
    QWidget* widget;
    QWidget* client;

    static TNativeWidget& Of(const TControl& control) { return *control.native_; }
};

inline QWidget* WidgetOf(const TControl& control) {
    return TNativeWidget::Of(control).widget;
}

/// The widget that children of `control` are placed in, at client coordinates.
inline QWidget* ClientWidgetOf(const TControl& control) {
    return TNativeWidget::Of(control).client;
}

/// The Qt widget that children of `parent` live in (nullptr for a top-level control).
inline QWidget* ParentWidgetFor(const TWinControl* parent) {
    return parent ? ClientWidgetOf(*parent) : nullptr;
}

/// A font description resolved into a Qt font; built on first use, dropped when it changes.
struct TNativeFont {
    QFont font;

    static QFont Of(const TFont& font);
};

inline QFont QFontOf(const TFont& font) {
    return TNativeFont::Of(font);
}

/// The painter a canvas draws with: a control's during its paint, a bitmap's own.
struct TNativeCanvas {
    QPainter* painter = nullptr;

    /// The painter drawing now, or nullptr. A bitmap's canvas starts its bitmap's painter.
    static QPainter* Painter(const TCanvas& canvas);
    /// Points the canvas at another painter; nullptr detaches it. Drawing without one does
    /// nothing.
    static void Attach(TCanvas& canvas, QPainter* painter);
    /// Puts the canvas's clip rectangle, if any, on `painter`.
    static void ApplyClip(const TCanvas& canvas, QPainter& painter);
};

inline QPainter* PainterOf(const TCanvas& canvas) {
    return TNativeCanvas::Painter(canvas);
}

inline void AttachPainter(TCanvas& canvas, QPainter* painter) {
    TNativeCanvas::Attach(canvas, painter);
}

/// Sets the canvas font on `painter` unless it has it already.
void ApplyFont(QPainter& painter, const TFont& font);

struct TNativeBitmap {
    /// The picture; ends any drawing in progress first.
    static const QImage& Image(const TBitmap& bitmap);
    /// The bitmap's painter, started when needed; nullptr for an empty bitmap.
    static QPainter* Painter(const TBitmap& bitmap);
};

inline const QImage& ImageOf(const TBitmap& bitmap) {
    return TNativeBitmap::Image(bitmap);
}
