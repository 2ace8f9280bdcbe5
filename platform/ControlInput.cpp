// Cursors, screen coordinates, and the input a custom control may take beyond keys and clicks:
// key releases, context-menu requests, dropped files.

#include <QCursor>
#include <QWidget>

#include "platform/Controls.h"
#include "platform/qt/Native.h"

Qt::CursorShape QtCursorShape(TCursor cursor) {
    switch (cursor) {
    case TCursor::crIBeam:
        return Qt::IBeamCursor;
    case TCursor::crHandPoint:
        return Qt::PointingHandCursor;
    case TCursor::crHourGlass:
        return Qt::WaitCursor;
    case TCursor::crCross:
        return Qt::CrossCursor;
    case TCursor::crSizeWE:
        return Qt::SizeHorCursor;
    case TCursor::crSizeNS:
        return Qt::SizeVerCursor;
    case TCursor::crDrag:
        return Qt::DragMoveCursor;
    case TCursor::crNo:
        return Qt::ForbiddenCursor;
    case TCursor::crDefault:
    case TCursor::crArrow:
        break;
    }
    return Qt::ArrowCursor;
}

void TControl::SetCursor(TCursor cursor) {
    cursor_ = cursor;
    QWidget* widget = WidgetOf(*this);
    if (!widget)
        return;
    if (cursor == TCursor::crDefault)
        widget->unsetCursor();
    else
        widget->setCursor(QtCursorShape(cursor));
}

TPoint TControl::ClientToScreen(TPoint client) const {
    QWidget* widget = ClientWidgetOf(*this);
    if (!widget)
        return client;
    const QPoint global = widget->mapToGlobal(QPoint(client.X, client.Y));
    return {global.x(), global.y()};
}

void TCustomControl::KeyUp(std::uint16_t&, TShiftState) {}
void TCustomControl::ContextPopup(TPoint, TPoint) {}
void TCustomControl::FilesDropped(const std::vector<std::string>&) {}

TCursor TCustomControl::CursorAt(int, int) const {
    return Cursor();
}

void TCustomControl::SetAcceptDrops(bool value) {
    if (QWidget* widget = WidgetOf(*this))
        widget->setAcceptDrops(value);
}
