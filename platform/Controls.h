#pragma once
// Controls: a tree of rectangles with a parent, alignment, visibility, font and colour,
// mouse events and painting. Every control is backed by one Qt widget that only the platform
// sees; custom controls paint on a TCanvas and take input through the virtual handlers below,
// hosted by one generic widget.

#include <memory>
#include <string>
#include <vector>

#include "platform/Graphics.h"
#include "platform/Types.h"

class QWidget;
class TWinControl;
class TBitmap;

class TControl : public TObject {
public:
    ~TControl() override;

    const std::string& Name() const { return name_; }
    void SetName(std::string name) { name_ = std::move(name); }

    TWinControl* Parent() const { return parent_; }

    int Left() const { return left_; }
    int Top() const { return top_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    TRect BoundsRect() const { return Bounds(left_, top_, width_, height_); }
    virtual void SetBounds(int left, int top, int width, int height);
    void SetLeft(int v) { SetBounds(v, top_, width_, height_); }
    void SetTop(int v) { SetBounds(left_, v, width_, height_); }
    void SetWidth(int v) { SetBounds(left_, top_, v, height_); }
    void SetHeight(int v) { SetBounds(left_, top_, width_, v); }
    virtual int ClientWidth() const { return width_; }
    virtual int ClientHeight() const { return height_; }
    TRect ClientRect() const { return Rect(0, 0, ClientWidth(), ClientHeight()); }

    TAlign Align() const { return align_; }
    void SetAlign(TAlign align);
    TAnchors Anchors() const { return anchors_; }
    void SetAnchors(TAnchors anchors) { anchors_ = anchors; }

    bool Visible() const { return visible_; }
    void SetVisible(bool visible);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);

    TColor Color() const { return color_; }
    void SetColor(TColor color);
    TFont& Font() { return *font_; }
    const TFont& Font() const { return *font_; }
    bool ParentFont() const { return parentFont_; }
    void SetParentFont(bool value);

    const std::string& Hint() const { return hint_; }
    void SetHint(std::string hint);
    bool ShowHint() const { return showHint_; }
    void SetShowHint(bool value);

    void Invalidate();
    void Repaint();

    /// Sends a mouse move at client (x, y) through the control as the framework would.
    void PerformMouseMove(TShiftState shift, int x, int y);

    TMouseMoveEvent OnMouseMove;
    TMouseEvent OnMouseDown;
    TMouseEvent OnMouseUp;
    TNotifyEvent OnClick;

    /// The Qt widget behind this control (platform use only).
    QWidget* Widget() const { return widget_; }

protected:
    /// `widget` is created by the subclass; this control owns it.
    TControl(TWinControl* parent, QWidget* widget);

    virtual void Click();
    virtual void MouseMove(TShiftState shift, int x, int y);
    virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
    virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
    virtual void Resize() {}
    virtual void FontChanged();
    virtual void ColorChanged();

private:
    friend class TWinControl;
    friend class ControlEvents;

    std::string name_;
    TWinControl* parent_;
    QWidget* widget_;
    int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
    TAlign align_ = TAlign::alNone;
    TAnchors anchors_;
    bool visible_ = true;
    bool enabled_ = true;
    TColor color_ = clBtnFace;
    std::unique_ptr<TFont> font_;
    bool parentFont_ = true;
    std::string hint_;
    bool showHint_ = false;
};

/// A control that holds other controls and lays out the aligned ones.
class TWinControl : public TControl {
public:
    int ControlCount() const { return static_cast<int>(controls_.size()); }
    TControl* Control(int index) const { return controls_[static_cast<std::size_t>(index)]; }
    /// Lays out the children with an Align other than alNone in creation order: alTop and
    /// alBottom take the full width, alLeft and alRight the height that remains, alClient
    /// the rest.
    void AlignControls();
    void SetFocus();
    bool Focused() const;

protected:
    TWinControl(TWinControl* parent, QWidget* widget);
    void Resize() override;

private:
    friend class TControl;
    std::vector<TControl*> controls_;
};

/// A control that paints itself on a canvas and takes keyboard and mouse input.
class TCustomControl : public TWinControl {
public:
    explicit TCustomControl(TWinControl* parent);
    ~TCustomControl() override;

    /// The canvas; valid inside Paint().
    TCanvas& Canvas() { return *canvas_; }

    /// Renders the control as it would paint on screen into `bitmap` (sized to the control).
    void PaintTo(TBitmap& bitmap);

    bool DoubleBuffered() const { return doubleBuffered_; }
    void SetDoubleBuffered(bool value) { doubleBuffered_ = value; }

protected:
    virtual void Paint() {}
    virtual void KeyDown(std::uint16_t& key, TShiftState shift);
    virtual void KeyPress(char& key);
    virtual bool DoMouseWheel(TShiftState shift, int wheelDelta, TPoint mousePos);
    virtual void DoEnter() {}
    virtual void DoExit() {}

private:
    friend class CustomControlHost;
    std::unique_ptr<TCanvas> canvas_;
    bool doubleBuffered_ = false;
};
