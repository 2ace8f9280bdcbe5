#pragma once
// Controls: a tree of rectangles with a parent, alignment, visibility, font and colour,
// mouse events and painting. Every control is backed by one Qt widget that only the platform
// sees; custom controls paint on a TCanvas and take input through the virtual handlers below,
// hosted by one generic widget.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/Cursors.h"
#include "platform/Graphics.h"
#include "platform/Types.h"

// The widgets behind a control, known to the platform only (platform/qt/Native.h).
struct TNativeWidget;
class TWinControl;
class TBitmap;
class ControlEvents;

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

    /// While a stored layout is applied: a control made inside a loading parent starts
    /// loading too, and Loaded() ends it once every control of the layout has its settings.
    bool Loading() const { return loading_; }
    /// Where the control comes in its parent's tab order (its controls taking the focus by
    /// Tab go by it; equal places keep creation order).
    int TabOrder() const { return tabOrder_; }
    void SetTabOrder(int value) { tabOrder_ = value; }

    /// A form offers its controls the dialog keys (Enter, Escape) and the characters typed
    /// with Alt before the focused control takes them; true when the control took it.
    virtual bool DialogKey(std::uint16_t /*key*/, TShiftState /*shift*/) { return false; }
    virtual bool DialogChar(char /*ch*/, TShiftState /*shift*/) { return false; }
    /// A control of the form got the focus.
    virtual void FocusChanged(TControl* /*focused*/) {}

    /// Screen coordinates to client coordinates.
    TPoint ScreenToClient(TPoint p) const;

    void Invalidate();
    /// Asks for a repaint of `r` (client coordinates) only.
    void InvalidateRect(const TRect& r);
    void Repaint();

    /// Sends a mouse move at client (x, y) through the control as the framework would: it
    /// reaches MouseMove and OnMouseMove exactly as a real pointer move does.
    void PerformMouseMove(TShiftState shift, int x, int y);
    /// Sends a left click (press, then release) at client (x, y) to the control that lies
    /// there, the deepest one, as the framework would.
    void PerformMouseClick(int x, int y);
    /// Sends a turn of the mouse wheel at client (x, y) through the control's widget as the
    /// framework would: `wheelDelta` is 120 per notch, less for a touchpad's small steps.
    void PerformMouseWheel(TShiftState shift, int wheelDelta, int x, int y);

    TMouseMoveEvent OnMouseMove;
    TMouseEvent OnMouseDown;
    TMouseEvent OnMouseUp;
    TNotifyEvent OnClick;

    // --- cursor and screen ---
    /// The mouse cursor shown over the control.
    TCursor Cursor() const { return cursor_; }
    void SetCursor(TCursor cursor);
    /// Client coordinates to screen coordinates.
    TPoint ClientToScreen(TPoint client) const;

protected:
    /// `native` holds the widget the subclass made for this control; the control owns it.
    TControl(TWinControl* parent, const TNativeWidget& native);

    /// Raises OnClick. The framework does not call it on a mouse release: a control that
    /// clicks (a button) calls it itself.
    virtual void Click();
    /// Mouse handlers; x and y are client coordinates. A double click arrives as a MouseDown
    /// with shift.Double set.
    virtual void MouseMove(TShiftState shift, int x, int y);
    virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
    virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
    /// The pointer entered or left the control.
    virtual void MouseEnter() {}
    virtual void MouseLeave() {}
    /// After the size changed. A TWinControl lays out its children here, so an override in
    /// a container calls the inherited one.
    virtual void Resize() {}
    virtual void FontChanged();
    virtual void ColorChanged();
    /// The stored layout is applied: the control's settings are all in place. An override
    /// calls the inherited one first.
    virtual void Loaded() { loading_ = false; }

private:
    friend class TWinControl;
    friend class TForm;
    friend class ControlEvents;
    friend struct TNativeWidget;

    /// Moves the widget without asking the parent to lay out again.
    void PlaceWidget(int left, int top, int width, int height);

    ControlEvents* events_ = nullptr; // child of widget_; clears widget_ when Qt deletes it
    bool inheritingFont_ = false;
    bool loading_ = false;
    int tabOrder_ = 0;

    std::string name_;
    TWinControl* parent_;
    std::unique_ptr<TNativeWidget> native_;
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

    TCursor cursor_ = TCursor::crDefault;
};

/// Runs `visit` on every control below `parent`, depth first in creation order, until it
/// answers true; true when one did.
bool AnyControl(const TWinControl& parent, const std::function<bool(TControl&)>& visit);

/// Where the mouse pointer is, in screen coordinates.
TPoint CursorPos();

/// A control that holds other controls and lays out the aligned ones.
class TWinControl : public TControl {
public:
    ~TWinControl() override;

    int ControlCount() const { return static_cast<int>(controls_.size()); }
    TControl* Control(int index) const { return controls_[static_cast<std::size_t>(index)]; }
    /// Lays out the children with an Align other than alNone in creation order: alTop and
    /// alBottom take the full width, alLeft and alRight the height that remains, alClient
    /// the rest.
    void AlignControls();
    void SetFocus();
    bool Focused() const;
    /// Whether Tab and a click give the control the focus; SetFocus works either way.
    bool TabStop() const { return tabStop_; }
    void SetTabStop(bool value);

protected:
    TWinControl(TWinControl* parent, const TNativeWidget& native);
    /// Keeps anchored children in place, then aligns.
    void Resize() override;
    /// The part of the client area that aligned children share (a panel leaves its bevels).
    virtual TRect AlignRect() const { return ClientRect(); }

private:
    friend class TControl;
    void ApplyAnchors();

    std::vector<TControl*> controls_;
    bool aligning_ = false;
    int anchorWidth_ = 0; // client size the anchored children were last placed for
    int anchorHeight_ = 0;
    bool tabStop_ = true;
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
    /// When set, Tab and Shift+Tab come to KeyDown instead of moving the focus.
    bool WantTabs() const { return wantTabs_; }
    void SetWantTabs(bool value) { wantTabs_ = value; }

protected:
    virtual void Paint() {}
    /// `key` is a Windows virtual-key code (platform/Keys.h); setting it to 0 marks the key
    /// as handled.
    virtual void KeyDown(std::uint16_t& key, TShiftState shift);
    /// A character typed, after KeyDown: printable text as UTF-8, one call per byte, and the
    /// control characters of Return (13), Backspace (8), Tab (9), Escape (27) and Ctrl+letter.
    virtual void KeyPress(char& key);
    /// `wheelDelta` is 120 per notch, positive away from the user; `mousePos` is in screen
    /// coordinates. Returns true when handled.
    virtual bool DoMouseWheel(TShiftState shift, int wheelDelta, TPoint mousePos);
    virtual void DoEnter() {}
    virtual void DoExit() {}
    /// Whether the control takes `key` itself before its form may use it as a dialog key;
    /// Enter and Escape go to the form first unless claimed here.
    virtual bool WantsKey(std::uint16_t key, TShiftState shift) const;

    /// Paints what the parent shows behind this control (its background and its own paint,
    /// not its other children) onto `canvas` (Canvas() or a bitmap's, placed like the
    /// control), inside `area` (client rectangles) only. For controls that let their parent
    /// show through.
    void PaintParentBackground(TCanvas& canvas, const std::vector<TRect>& area);

    // --- more input ---
    /// A key released; `key` as in KeyDown.
    virtual void KeyUp(std::uint16_t& key, TShiftState shift);
    /// A context menu was asked for: by the mouse at `client` (screen point `screen`), or by
    /// the keyboard with both at (-1, -1).
    virtual void ContextPopup(TPoint client, TPoint screen);
    /// Files dropped from the desktop, in order (only while AcceptDrops is on).
    virtual void FilesDropped(const std::vector<std::string>& files);
    /// The cursor to show over client (x, y); Cursor() by default.
    virtual TCursor CursorAt(int x, int y) const;
    /// Whether files may be dropped on the control.
    void SetAcceptDrops(bool value);

private:
    friend class CustomControlHost;
    std::unique_ptr<TCanvas> canvas_;
    bool doubleBuffered_ = false;
    bool wantTabs_ = false;
};
