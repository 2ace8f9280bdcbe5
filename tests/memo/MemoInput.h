#pragma once
// An editor driven as the framework drives it: key downs, releases and typed characters
// (Enter and Backspace as both), and mouse presses, moves and releases at pixel points.

#include <string>
#include <string_view>
#include <vector>

#include "memo/AdvMemo.h"
#include "platform/Clipboard.h"
#include "tests/memo/Keystrokes.h"

class TInputMemo : public TAdvMemo {
public:
    explicit TInputMemo(std::string_view text = {}) : TAdvMemo(nullptr) {
        SetBounds(0, 0, 400, 300);
        UrlOpener = [this](const std::string& url) {
            Opened.push_back(url); // never the desktop's handler from a test
            return true;
        };
        if (!text.empty())
            Lines().SetText(text);
    }

    void Key(std::uint16_t key, TShiftState shift = {}) {
        std::uint16_t down = key;
        KeyDown(down, shift);
        std::uint16_t up = key;
        KeyUp(up, shift);
    }
    void Char(char c) { KeyPress(c); }
    /// Text another program put on the clipboard.
    void ForeignClipboard(std::string_view text) { SetClipboardText(text); }
    /// Each byte typed; '\n' is Enter, '\b' Backspace.
    void Type(std::string_view text) { TypeText(*this, text); }
    void CtrlKey(char letter) { PressCtrlLetter(*this, letter); }
    /// The caret to (column, line) with the selection collapsed there.
    void Go(int column, int line) {
        SetCaretPosition(column, line);
        ResetSelection();
    }

    /// The pixel at the left edge of text cell (column, line) plus `dx`, in its middle row.
    TPoint At(int column, int line, int dx = 1) const {
        const TRect cell = CellRect(column - LeftCol(), line - TopLine());
        return {cell.Left + dx, cell.Top + LineHeight() / 2};
    }
    void Press(TPoint p, TShiftState shift = {}, TMouseButton b = TMouseButton::mbLeft) {
        shift.Left = b == TMouseButton::mbLeft;
        MouseDown(b, shift, p.X, p.Y);
    }
    void Move(TPoint p, TShiftState shift = {.Left = true}) { MouseMove(shift, p.X, p.Y); }
    void Release(TPoint p, TShiftState shift = {}) {
        MouseUp(TMouseButton::mbLeft, shift, p.X, p.Y);
    }
    void ClickAt(TPoint p, TShiftState shift = {}) {
        Press(p, shift);
        Release(p, shift);
    }
    void DoubleClick(TPoint p) {
        ClickAt(p);
        TShiftState shift{.Left = true, .Double = true};
        MouseDown(TMouseButton::mbLeft, shift, p.X, p.Y);
        Release(p);
    }
    void RightClick(TPoint p) { ContextPopup(p, p); }
    using TAdvMemo::CursorAt;
    using TAdvMemo::DoEnter;
    using TAdvMemo::DoExit;
    using TAdvMemo::KeyDown;
    using TAdvMemo::KeyUp;
    using TAdvMemo::WantsKey;
    std::string Text() const { return JoinedLines(Lines()); }
    /// The links clicks handed to the desktop.
    std::vector<std::string> Opened;
};
