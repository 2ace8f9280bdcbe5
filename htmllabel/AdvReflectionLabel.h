#pragma once
// TAdvReflectionLabel: a caption in markup with a mirrored copy of the drawn text under it,
// fading out downwards. Links in the markup show the hand cursor and open on a click.
//
// Decisions:
// - The label is a control of its own that paints its parent's background under the text, so
//   it shows what a label drawn on the parent's surface shows; it takes no focus.
// - The reflection is made from an off-screen rendering of the label (the parent's background
//   and the text, as the last paint drew them), not from the screen, so it is the same on
//   every desktop and in tests.
// - Only a link whose href holds "://" or "mailto:" is opened, by the desktop's handler.
// - The markup is laid out once per change of what the layout depends on (text, font,
//   colours, bounds, pictures, and the ALT picture the pointer calls up); paints draw that
//   layout, the hit test looks it up, and XSize and YSize are its size.
// - A caption with nothing drawn (no width) has no reflection, and is not painted again for
//   one.

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "drawing/AdvGDIP.h"
#include "htmllabel/MarkupLayout.h"
#include "htmllabel/PictureContainer.h"
#include "platform/Classes.h"
#include "platform/Controls.h"
#include "platform/ImageList.h"

class TAdvReflectionLabel : public TCustomControl {
public:
    explicit TAdvReflectionLabel(TWinControl* parent);
    ~TAdvReflectionLabel() override;

    /// The markup, one line; its lines are joined with nothing between them.
    TStringList& HTMLText() { return htmlText_; }
    /// Copies `value`'s text without its line breaks, so the list holds one line.
    void SetHTMLText(const TStrings& value);
    /// The same with a text: a plain one shows as it is.
    void SetHTMLText(std::string_view markup);
    /// The markup as drawn: every line of HTMLText, joined.
    std::string Markup() const;

    TColor URLColor() const { return urlColor_; }
    void SetURLColor(TColor value);
    TImageList* Images() const { return images_.List(); }
    void SetImages(TImageList* value);
    /// The container of named pictures; none again once it is destroyed.
    TPictureContainer* PictureContainer() const { return pictureContainer_.Get(); }
    void SetPictureContainer(TPictureContainer* value);
    int ReflectionSize() const { return reflectionSize_; }
    void SetReflectionSize(int value);
    int ReflectionAxis() const { return reflectionAxis_; }
    void SetReflectionAxis(int value);
    int ReflectionOpacityStart() const { return opacityStart_; }
    /// A value outside 0-255, or the current one, is ignored; else the reflection is rebuilt.
    void SetReflectionOpacityStart(int value);
    int ReflectionOpacityEnd() const { return opacityEnd_; }
    void SetReflectionOpacityEnd(int value);
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool value);
    std::string Version() const { return "1.5.1.0"; }
    void SetVersion(const std::string&) {}

    /// The laid-out text's size.
    int XSize() const { return xSize_; }
    int YSize() const { return ySize_; }
    /// Where the reflection starts across.
    int ReflectionLeft() const { return reflectionX_; }
    /// The reflection as last built (nullptr before the first paint that drew text).
    TGPBitmap* Reflection() const { return reflection_.get(); }
    /// The link under the pointer at the last hit test, counted from 1; -1 for none.
    int HoveredLink() const { return hoveredLink_; }
    /// How many times the markup has been laid out so far.
    int LayoutCount() const { return layoutCount_; }

    /// A markup that equals the old name follows a new name.
    void Rename(std::string name);

    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;

protected:
    void Paint() override;
    void MouseEnter() override;
    void MouseLeave() override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void FontChanged() override;
    void ColorChanged() override;
    void Resize() override;
    /// After a stored layout was applied: the reflection is made anew.
    void Loaded() override;

private:
    /// The markup laid out in the client rectangle, made now if a change undid the last one.
    const THTMLLayout& Layout();
    /// What the layout depends on changed: it is made again, and the reflection with it.
    void Relayout();
    /// Shows the ALT picture of the linked image under `point`, if any: a change of layout.
    void FollowPointer(TPoint point);
    /// Background, reflection (unless left out) and markup onto `canvas`, placed like the
    /// label.
    void PaintOn(TCanvas& canvas, bool withReflection);
    /// Mirrors what the label draws into the reflection picture, with its opacity ramp; false
    /// when there is nothing to mirror.
    bool RebuildReflection();
    /// The href of the link at (x, y), or an empty text.
    std::string HitTest(int x, int y);
    /// Stale: the next paint rebuilds the reflection.
    void MarkStale();

    TStringList htmlText_;
    std::optional<THTMLLayout> layout_;
    int hoveredImage_ = -1; // the linked <IMG> whose ALT picture shows
    THTMLPictureCache pictureCache_;
    std::unique_ptr<TGPBitmap> reflection_;
    TImageListLink images_{[this] { Relayout(); }};
    TFreeLink<TPictureContainer> pictureContainer_{[this] { Relayout(); }};
    TColor urlColor_ = clBlue;
    int reflectionSize_ = 20;
    int reflectionAxis_ = -7;
    int opacityStart_ = 128;
    int opacityEnd_ = 0;
    bool transparent_ = true;
    bool stale_ = false;
    int xSize_ = 0;
    int ySize_ = 0;
    int reflectionX_ = 0;
    int hoveredLink_ = -1;
    int layoutCount_ = 0;
    std::string previousHref_;
    int previousLink_ = 0;
    TColor shadowColor_ = clGray;
    int shadowOffset_ = 2;
};
