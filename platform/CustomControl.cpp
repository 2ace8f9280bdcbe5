#include <QImage>
#include <QPainter>
#include "platform/Controls.h"
#include "platform/Keys.h"
#include "platform/qt/ControlEvents.h"
#include "platform/qt/CustomControlHost.h"
#include "platform/qt/Input.h"
#include "platform/qt/Native.h"

// --- TCustomControl --------------------------------------------------------------------------

TCustomControl::TCustomControl(TWinControl* parent)
    : TWinControl(parent, TNativeWidget(new CustomControlHost(this, ParentWidgetFor(parent)))),
      canvas_(std::make_unique<TCanvas>()) {
    canvas_->Font().Assign(Font());
    canvas_->Brush().Color = Color();
}

TCustomControl::~TCustomControl() = default;

void TCustomControl::PaintTo(TBitmap& bitmap) {
    bitmap.SetSize(Width(), Height());
    QPainter* painter = PainterOf(bitmap.Canvas());
    if (!painter)
        return;
    AttachPainter(*canvas_, painter);
    try {
        Paint();
    } catch (...) {
        AttachPainter(*canvas_, nullptr);
        throw;
    }
    AttachPainter(*canvas_, nullptr);
}

void TCustomControl::KeyDown(std::uint16_t&, TShiftState) {}
void TCustomControl::KeyPress(char&) {}
bool TCustomControl::WantsKey(std::uint16_t key, TShiftState) const {
    return key != VK_RETURN && key != VK_ESCAPE;
}
bool TCustomControl::DoMouseWheel(TShiftState, int, TPoint) {
    return false;
}

void TCustomControl::PaintParentBackground(TCanvas& canvas, const std::vector<TRect>& area) {
    QPainter* painter = PainterOf(canvas);
    QWidget* self = WidgetOf(*this);
    QWidget* parent = self ? self->parentWidget() : nullptr;
    if (!painter || !parent || area.empty())
        return;
    QRegion region;
    for (const TRect& r : area)
        region += QRect(r.Left, r.Top, r.Width(), r.Height());
    region &= QRect(0, 0, Width(), Height());
    if (region.isEmpty())
        return;
    // The parent paints its part under this control into an image of its own (never into
    // the painter of a paint under way); its other children are left out, so the control
    // never paints itself while it paints.
    QImage behind(self->size(), QImage::Format_ARGB32_Premultiplied);
    behind.fill(Qt::transparent);
    parent->render(&behind, QPoint(0, 0), QRegion(QRect(self->pos(), self->size())),
                   QWidget::DrawWindowBackground);
    painter->save();
    painter->setClipRegion(region, Qt::IntersectClip);
    painter->drawImage(0, 0, behind);
    painter->restore();
}
