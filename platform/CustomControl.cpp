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
bool TCustomControl::DoMouseWheel(TShiftState, int, TPoint) {
    return false;
}
