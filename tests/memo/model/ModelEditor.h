#pragma once
// The editor's model driven without a window: a host of its own stands in for the control.
// Its view shows a fixed number of rows, one a line, scrolled only as far as the caret needs;
// its clipboard is a string; it counts the notices the model raises.

#include <algorithm>
#include <array>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "memo/model/EditorModel.h"
#include "memo/model/MemoEditing.h"
#include "memo/model/MemoKeyboard.h"
#include "tests/memo/Keystrokes.h"

class TModelEditor : public TEditorHost {
public:
    explicit TModelEditor(std::string_view text = {}, int pageRows = 20) : pageRows_(pageRows) {
        model_.Lines().Add(""); // a new editor holds one empty line
        if (!text.empty())
            model_.Lines().SetText(text);
    }

    TEditorModel& Model() { return model_; }
    const TEditorModel& Model() const { return model_; }
    TMemoEditing& Editing() { return editing_; }
    TEditSettings& Settings() { return model_.Settings(); }
    TAdvMemoStrings& Lines() { return model_.Lines(); }
    const TAdvMemoStrings& Lines() const { return model_.Lines(); }

    void Key(std::uint16_t key, TShiftState shift = {}) { keyboard_.KeyDown(key, shift); }
    void Char(char c) { keyboard_.KeyPress(c); }
    /// Each byte typed; '\n' is Enter, '\b' Backspace.
    void Type(std::string_view text) { TypeText(*this, text); }
    void CtrlKey(char letter) { PressCtrlLetter(*this, letter); }
    /// The caret to (column, line) with the selection collapsed there.
    void Go(int column, int line) {
        model_.SetCaretPosition(column, line);
        model_.ResetSelection();
    }
    std::string Text() const { return JoinedLines(model_.Lines()); }

    /// The clipboard: empty until something is put there.
    std::optional<std::string> Clipboard;
    /// Text another program put on the clipboard (it arrives as it is).
    void ForeignClipboard(std::string_view text) { Clipboard = std::string(text); }
    bool AllowOverwrite = true;
    bool AutoCompletionActive = true;
    std::function<void(const std::string& word, std::string& replacement)> OnWordComplete;
    int Notices(TEditorNotice notice) const { return notices_[static_cast<std::size_t>(notice)]; }

    // --- the host ---
    void InvalidateText() override {}
    void RepaintText() override {}
    void InvalidateLines(int, int) override {}
    void ScrollCaretIntoView() override {
        const int y = model_.CaretY();
        if (y < top_)
            top_ = y;
        else if (y >= top_ + pageRows_)
            top_ = y - pageRows_ + 1;
    }
    void UpdateScrollBars() override {}
    void CaretGoesToLine(int) override {}
    void PlaceSystemCaret() override {}
    // Rows as the folding leaves them, as the control has them.
    int LineRowsAway(int line, int rows) const override {
        const TRowMap& map = model_.Folding();
        return map.LineOfRow(std::clamp(map.RowOfLine(line) + rows, 0, std::max(0, RowCount() - 1)));
    }
    int RowCount() const override { return model_.Folding().RowCount(model_.Lines().Count()); }
    int PageRows() const override { return pageRows_; }
    int TopLine() const override { return top_; }
    void SetTopLine(int line) override {
        top_ = std::clamp(line, 0, std::max(0, RowCount() - pageRows_));
    }
    int LeftCol() const override { return left_; }
    void SetLeftCol(int column) override { left_ = std::max(0, column); }
    void Notify(TEditorNotice notice) override { ++notices_[static_cast<std::size_t>(notice)]; }
    bool AllowOverwriteToggle() override { return AllowOverwrite; }
    bool StartAutoCompletion() override { return AutoCompletionActive; }
    void StartCompletionTimer() override { ++CompletionTimerStarts; }
    int CompletionTimerStarts = 0;
    void ShowParameterHint() override { ++ParameterHints; }
    int ParameterHints = 0;
    void WordCompleted(const std::string& word, std::string& replacement) override {
        if (OnWordComplete)
            OnWordComplete(word, replacement);
    }
    void PutOnClipboard(const std::string& bytes) override { Clipboard = bytes; }
    bool ClipboardHasText() const override { return Clipboard.has_value(); }
    std::string ClipboardBytes() const override { return Clipboard.value_or(""); }

private:
    TEditorModel model_{*this};
    TMemoEditing editing_{model_};
    TMemoKeyboard keyboard_{editing_};
    int pageRows_;
    int top_ = 0;
    int left_ = 0;
    std::array<int, 8> notices_{};
};
