#pragma once
// The editor's pointer: placing the caret and selecting with the left button, word selection
// by double click, dragging the selection to another place, the built-in context menu, and
// the cursor over the text.
//
// A press inside the selection may become a drag: once the pointer moved 2 pixels the drag
// runs, and the release drops the text there (moved, or copied with Ctrl). The drop place is
// taken in the text before the moved text goes, so the text lands where it was dropped, and a
// move undoes in one step. A read-only editor drops nothing, and a drop inside the dragged
// selection only collapses it.
//
// The mouse never pads a line: a click or a selecting drag beyond a line's end (or below the
// last line) puts the caret at that line's end. (Padding on a click would add spaces to a list
// entry wherever the user happened to click an empty line, and spaces count when lists are
// compared; the keyboard's Right key still moves into virtual space with AutoExpand.)
//
// With UrlAware on, the pointer is a hand over a web or mail address, and a click that places
// the caret in one opens it: OnURLClick gets it when assigned, else the desktop's handler
// through the editor's UrlOpener, as one argument and never through a shell.

#include "platform/Cursors.h"
#include "platform/Types.h"

class TAdvCustomMemo;

class TMemoMouse {
public:
    explicit TMemoMouse(TAdvCustomMemo& memo) : memo_(memo) {}

    void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
    void MouseMove(TShiftState shift, int x, int y);
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
    void ContextPopup(TPoint client, TPoint screen);
    TCursor CursorAt(int x, int y) const;

    bool MouseSelecting() const { return mouseSelecting_; }
    bool DragPending() const { return dragPending_; }
    bool Dragging() const { return dragging_; }

private:
    void DoubleClick(int x, int y);
    /// The link under the caret goes to OnURLClick, or else to the desktop.
    void OpenUrlAtCaret();
    /// Places the caret at client (x, y); with `dragAllowed` a press inside the selection only
    /// marks a drag as pending.
    void PlaceCaret(int x, int y, TShiftState shift, bool dragAllowed);
    void Drop(TShiftState shift, int x, int y);
    /// `column` of `line` as the pointer may place the caret: on the line, between characters.
    int CharColumn(int line, int column) const;
    bool InTextArea(int x, int y) const;
    bool InGutter(int x) const;
    /// The text place under client (x, y): column (by the nearer cell edge) and line.
    TPoint TextPlace(int x, int y) const;
    /// The line under client y, or -1 when no line is there.
    int LineAt(int y) const;

    TAdvCustomMemo& memo_;
    bool mouseSelecting_ = false;
    bool dragPending_ = false;
    bool dragging_ = false;
    bool suppressNextMove_ = false;
    TPoint pressPoint_;
};
