#include "htmllabel/AdvReflectionLabel.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

#include "htmllabel/DrawHTML.h"
#include "htmllabel/Reflection.h"
#include "platform/Cursors.h"
#include "platform/Graphics.h"
#include "platform/ImageList.h"
#include "platform/Shell.h"

TAdvReflectionLabel::TAdvReflectionLabel(TWinControl* parent) : TCustomControl(parent) {
    SetTabStop(false);
    SetBounds(Left(), Top(), 185, 40);
    Font().SetSize(12);
    Font().SetStyle({TFontStyle::fsBold});
    htmlText_.OnChange = [this](TObject*) {
        pictureCache_.ClearPictures();
        hoveredImage_ = -1;
        Relayout();
    };
}

TAdvReflectionLabel::~TAdvReflectionLabel() = default;

// --- Properties -------------------------------------------------------------------------------

void TAdvReflectionLabel::SetHTMLText(const TStrings& value) {
    std::string text = value.Text();
    std::erase_if(text, [](char c) { return c == '\r' || c == '\n'; });
    htmlText_.SetText(text);
}

void TAdvReflectionLabel::SetHTMLText(std::string_view markup) {
    TStringList text;
    text.Add(markup);
    SetHTMLText(text);
}

std::string TAdvReflectionLabel::Markup() const {
    std::string markup;
    for (int i = 0; i < htmlText_.Count(); ++i)
        markup += htmlText_[i];
    return markup;
}

void TAdvReflectionLabel::SetURLColor(TColor value) {
    if (value == urlColor_)
        return;
    urlColor_ = value;
    Relayout();
}

void TAdvReflectionLabel::SetImages(TImageList* value) {
    if (value == images_.List())
        return;
    images_.SetList(value);
    Relayout();
}

void TAdvReflectionLabel::SetPictureContainer(TPictureContainer* value) {
    if (value == PictureContainer())
        return;
    pictureContainer_.Set(value);
    Relayout();
}

void TAdvReflectionLabel::SetReflectionSize(int value) {
    if (value == reflectionSize_)
        return;
    reflectionSize_ = value;
    MarkStale();
}

void TAdvReflectionLabel::SetReflectionAxis(int value) {
    if (value == reflectionAxis_)
        return;
    reflectionAxis_ = value;
    Invalidate();
}

void TAdvReflectionLabel::SetReflectionOpacityStart(int value) {
    if (value < 0 || value > 255 || value == opacityStart_)
        return;
    opacityStart_ = value;
    RebuildReflection();
    Invalidate();
}

void TAdvReflectionLabel::SetReflectionOpacityEnd(int value) {
    if (value < 0 || value > 255 || value == opacityEnd_)
        return;
    opacityEnd_ = value;
    RebuildReflection();
    Invalidate();
}

void TAdvReflectionLabel::SetTransparent(bool value) {
    if (value == transparent_)
        return;
    transparent_ = value;
    Invalidate();
}

void TAdvReflectionLabel::Rename(std::string name) {
    if (!Loading() && Markup() == Name()) {
        SetHTMLText(std::string_view(name));
    }
    SetName(std::move(name));
}

void TAdvReflectionLabel::Loaded() {
    TCustomControl::Loaded();
    Relayout();
}

void TAdvReflectionLabel::MarkStale() {
    stale_ = true;
    Invalidate();
}

void TAdvReflectionLabel::Relayout() {
    layout_.reset();
    MarkStale();
}

void TAdvReflectionLabel::FontChanged() {
    TCustomControl::FontChanged();
    Relayout();
}

// <BLINK> text takes the label's colour.
void TAdvReflectionLabel::ColorChanged() {
    TCustomControl::ColorChanged();
    Relayout();
}

void TAdvReflectionLabel::Resize() {
    TCustomControl::Resize();
    if (!Loading())
        Relayout();
}

// --- Layout and painting ------------------------------------------------------------------

const THTMLLayout& TAdvReflectionLabel::Layout() {
    if (!layout_) {
        // Measured as painted: the label's font, and its colour as the brush <BLINK> takes.
        TBitmap scratch(1, 1);
        TCanvas& canvas = scratch.Canvas();
        canvas.Font().Assign(Font());
        canvas.Brush().Color = Color();
        THTMLLayoutOptions options;
        options.URLColor = urlColor_;
        options.HoveredImage = hoveredImage_;
        layout_ = LayoutHTML(canvas, Markup(), ClientRect(),
                             {images_.List(), &pictureCache_, PictureContainer()}, options);
        ++layoutCount_;
        xSize_ = layout_->XSize;
        ySize_ = layout_->YSize;
    }
    return *layout_;
}

void TAdvReflectionLabel::FollowPointer(TPoint point) {
    const THTMLHit hit = HitTestHTML(Layout(), point);
    const int image = hit.ImageHasAlt ? hit.Image : -1;
    if (image == hoveredImage_)
        return;
    hoveredImage_ = image;
    Relayout();
}

void TAdvReflectionLabel::PaintOn(TCanvas& canvas, bool withReflection) {
    // 1. The client rectangle.
    const TRect client = ClientRect();
    // 2. The background: the label's colour, or what lies behind it.
    if (transparent_) {
        PaintParentBackground(canvas, {client});
    } else {
        canvas.Brush().Color = Color();
        canvas.Pen().Color = Color();
        canvas.FillRect(client);
    }
    // 3. Font and brush.
    canvas.Font().Assign(Font());
    canvas.Brush().Color = Color();
    // 4. The reflection under the text, where the text ends.
    if (withReflection && reflection_ && !stale_) {
        TGPGraphics g(canvas);
        g.DrawImage(reflection_.get(), reflectionX_, ySize_ + reflectionAxis_,
                    static_cast<int>(reflection_->GetWidth()),
                    static_cast<int>(reflection_->GetHeight()));
    }
    // 5.-6. The markup, a linked picture under the pointer showing its ALT picture.
    PaintHTML(canvas, Layout(), {shadowColor_, shadowOffset_});
}

void TAdvReflectionLabel::Paint() {
    FollowPointer(ScreenToClient(CursorPos()));
    PaintOn(Canvas(), true);
    // 7. A stale reflection is made from what was just drawn, then the label paints again.
    if (stale_ && !Loading() && ySize_ > 0 && RebuildReflection())
        PaintOn(Canvas(), true);
}

// The reflection, step by step: where it starts, a copy of the drawn area, flipped, then each
// row's opacity over each pixel's alpha.
bool TAdvReflectionLabel::RebuildReflection() {
    if (Loading())
        return false;
    Layout();
    if (ySize_ <= 0)
        return false;
    stale_ = false;
    if (xSize_ <= 0) { // nothing drawn, nothing to mirror
        reflection_.reset();
        return false;
    }
    reflectionX_ = ReflectionX(Markup(), Width(), xSize_);

    TBitmap drawn(std::max(Width(), reflectionX_ + xSize_), std::max(Height(), ySize_));
    PaintOn(drawn.Canvas(), false);
    TBitmap area(xSize_, ySize_);
    area.Canvas().CopyRect(Rect(0, 0, xSize_, ySize_), drawn,
                           Rect(reflectionX_, 0, reflectionX_ + xSize_, ySize_));
    const std::vector<std::uint8_t> bytes = area.SaveToBytes();
    if (bytes.empty())
        throw std::runtime_error("Could not allocate memory for reflection Label");
    TGPBitmap flipped(bytes);
    flipped.RotateFlip(TRotateFlip::Rotate180FlipX); // upside down, not mirrored

    auto reflection = std::make_unique<TGPBitmap>(xSize_, ySize_);
    for (int i = 0; i < ySize_; ++i) {
        const int opacity = ReflectionRowOpacity(i, reflectionSize_, opacityStart_, opacityEnd_);
        for (int j = 0; j < xSize_; ++j) {
            TARGB pixel = 0;
            flipped.GetPixel(j, i, pixel);
            reflection->SetPixel(j, i, ReflectedPixel(pixel, opacity));
        }
    }
    reflection_ = std::move(reflection);
    return true;
}

// --- Pointer ------------------------------------------------------------------------------------

std::string TAdvReflectionLabel::HitTest(int x, int y) {
    const THTMLHit hit = HitTestHTML(Layout(), {x, y});
    hoveredLink_ = hit.OnLink ? hit.Link : -1;
    return hit.OnLink ? hit.Href : std::string();
}

void TAdvReflectionLabel::MouseMove(TShiftState shift, int x, int y) {
    TCustomControl::MouseMove(shift, x, y);
    const std::string href = HitTest(x, y);
    if (hoveredLink_ != -1) {
        if (Cursor() == TCursor::crDefault || href != previousHref_ ||
            hoveredLink_ != previousLink_)
            SetCursor(TCursor::crHandPoint);
        previousHref_ = href;
        previousLink_ = hoveredLink_;
    } else if (Cursor() == TCursor::crHandPoint) {
        SetCursor(TCursor::crDefault);
    }
}

void TAdvReflectionLabel::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    TCustomControl::MouseDown(button, shift, x, y);
    const std::string href = HitTest(x, y);
    if (href.find("://") != std::string::npos || href.find("mailto:") != std::string::npos)
        ShellOpen(href);
}

void TAdvReflectionLabel::MouseEnter() {
    TCustomControl::MouseEnter();
    if (OnMouseEnter)
        OnMouseEnter(this);
}

void TAdvReflectionLabel::MouseLeave() {
    hoveredLink_ = -1;
    TCustomControl::MouseLeave();
    if (OnMouseLeave)
        OnMouseLeave(this);
}
