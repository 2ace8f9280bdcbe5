#pragma once
// Parameter hints: a small window at the caret that shows the styler's parameter list of the
// call the caret stands in, the current parameter bold (HintCall.h says how the call is
// found). Shown by Ctrl+Shift+Space (unless AutoHintParameters is hpNone) and after an
// inserted completion entry brought "()"; with hpAuto, after a caret move not made with Ctrl
// held a shown hint follows at once, and a hidden one shows after AutoHintParameterDelay when
// the caret stands in a call. Hidden when no call is found, when the caret changes line, and
// when the editor loses the focus. The window never takes the focus.
//
// It stands at the caret's x, its top on the row below the caret line (hpBelowCode) or its
// bottom on the top of the caret line (hpAboveCode), text height + 5 pixels high, in the
// styler's BkColor with a frame and text in its TextColor, in the completion list's font.

#include <memory>
#include <optional>
#include <string>
#include <utility>

#include "memo/HintCall.h"
#include "platform/ExtCtrls.h"
#include "platform/PopupWindow.h"

class TAdvCustomMemo;

class TParameterHint {
public:
    explicit TParameterHint(TAdvCustomMemo& editor);
    ~TParameterHint();
    TParameterHint(const TParameterHint&) = delete;
    TParameterHint& operator=(const TParameterHint&) = delete;

    /// Shows the hint of the call at the caret, or hides it when there is none. False when
    /// nothing shows.
    bool Show();
    void Hide();
    bool Showing() const;
    /// The caret moved; `ctrlHeld` when the last key was pressed with Ctrl.
    void CaretMoved(bool ctrlHeld);

    /// The call shown (while showing).
    const std::optional<THintCall>& Call() const { return call_; }
    /// The text shown and the columns of its current parameter (empty when past the last one).
    const std::string& Text() const { return text_; }
    std::pair<int, int> Current() const { return current_; }
    TPopupWindow& HintWindow();
    /// Runs from a caret move until the hint shows by itself (hpAuto).
    TTimer& Timer() { return timer_; }

private:
    class THintWindow;
    bool Available() const;
    /// The call at the caret, by the styler's lists.
    std::optional<THintCall> FindCall() const;

    TAdvCustomMemo& editor_;
    std::unique_ptr<THintWindow> window_;
    TTimer timer_;
    std::optional<THintCall> call_;
    std::string text_;
    std::pair<int, int> current_{0, 0};
    int line_ = -1; // the caret line the hint belongs to
};
