// The editor's keyboard: a key down and a typed character, each handled in its fixed order,
// and the word completion step that typing a word's end runs.

#include <algorithm>

#include "memo/AdvMemo.h"
#include "memo/MemoKeyTable.h"
#include "memo/MemoUndo.h"
#include "memo/SelectionText.h"
#include "platform/Caret.h"
#include "platform/Keys.h"

namespace {

bool MovesOnly(std::uint16_t key) {
    switch (key) {
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN:
    case VK_PRIOR:
    case VK_NEXT:
    case VK_HOME:
    case VK_END:
    case VK_MENU:
    case VK_CONTROL:
        return true;
    default:
        return false;
    }
}

bool Printable(unsigned char c) {
    return (c >= 32 && c <= 126) || c >= 128;
}

} // namespace

void TAdvCustomMemo::KeyDown(std::uint16_t& key, TShiftState shift) {
    // 1. The handler first; the caret stops blinking while keys are held.
    if (OnKeyDown)
        OnKeyDown(this, key, shift);
    if (key == 0)
        return;
    if (key != VK_CONTROL && !blinkSaved_) {
        savedBlinkTime_ = GetCaretBlinkTime();
        blinkSaved_ = true;
        SetCaretBlinkTime(kInfiniteBlink);
    }
    keyAllowsTyping_ = true;
    lastKeyWithoutCtrl_ = !shift.Ctrl;
    // 2. Keys that may change text re-validate the caret.
    if (!MovesOnly(key)) {
        SetCaretX(CaretX());
        SetCaretY(CaretY());
    }
    // 4. The key-down table.
    if (const TKeyDownRow* row = FindKeyDown(key, shift))
        row->Action(*this, key, shift);
    // 5. Insert switched overwrite mode: the status changed.
    if (key == VK_INSERT && OnStatusChange)
        OnStatusChange(this);
}

void TAdvCustomMemo::KeyUp(std::uint16_t&, TShiftState) {
    if (blinkSaved_) {
        blinkSaved_ = false;
        SetCaretBlinkTime(savedBlinkTime_);
    }
    ShowSystemCaret();
}

void TAdvCustomMemo::KeyPress(char& key) {
    // 1. The handler sees the character first.
    if (OnKeyPress)
        OnKeyPress(this, key);
    const auto c = static_cast<unsigned char>(key);
    // 2. Copy works in a read-only editor too.
    if (c == 3) {
        KeyCommand(3, {});
        return;
    }
    // 3. Dropped when the text may not change.
    if (readOnly_ || !keyAllowsTyping_)
        return;
    // 4. A word's end runs the word completion step.
    caret_.RegionsStale = true;
    if (IsCompletionTrigger(key)) {
        if (c == '\r') {
            if (lines_->Count() == 0)
                lines_->Add("");
            const std::string_view line = lines_->Get(std::clamp(CaretY(), 0, lines_->Count() - 1));
            if (CaretX() == 0 && line.find_first_not_of(' ') == std::string_view::npos)
                caret_.RegionsStale = false;
        }
        WordCompletionStep();
    }
    if (Printable(c)) {
        // 5. Typing.
        if (delErase_ && !SelectionEmpty())
            DeleteSelection(true);
        InsertChar(key);
        if (TLineProp* record = lines_->LineProp(CaretY()))
            record->Modified = true;
        UpdateScrollBars();
        Invalidate();
        if (OnChange)
            OnChange(this);
    } else if (c != 8 && c != 9) {
        // 6. Control characters are commands.
        KeyCommand(c, {});
    }
}

void TAdvCustomMemo::KeyCommand(int code, TShiftState shift) {
    const TCommandRow* row = FindCommand(code, shift, readOnly_);
    if (!row)
        return;
    row->Command(*this, code, shift);
    if (row->MarksLine && CaretY() < lines_->Count()) {
        if (TLineProp* record = lines_->LineProp(CaretY()))
            record->Modified = true;
    }
}

void TAdvCustomMemo::ToggleOverwriteMode() {
    bool allow = true;
    if (OnOverwriteToggle)
        OnOverwriteToggle(this, allow);
    if (!allow)
        return;
    const int line = std::clamp(CaretY(), 0, std::max(0, lines_->Count() - 1));
    const int column = lines_->Count() > 0 ? std::min(CaretX(), lines_->LineLength(line)) : 0;
    undoList_->Add(
        std::make_unique<TInsertOverwriteUndo>(TPoint{column, line}, caret_.OverwriteMode));
    caret_.OverwriteMode = !caret_.OverwriteMode;
}

void TAdvCustomMemo::WordCompletionStep() {
    if (!OnWordComplete && !(autoCorrect_.Active && !autoCorrect_.OldValue.empty()))
        return;
    if (CaretY() >= lines_->Count())
        return;
    // 1. The word at the caret.
    const std::string line(lines_->Get(CaretY()));
    const int x = CaretX();
    const auto [start, end] = WordAtCaret(line, x);
    if (start >= end)
        return;
    const std::string word =
        line.substr(static_cast<std::size_t>(start), static_cast<std::size_t>(end - start));
    // 2. and 3. Its replacement: the first equal entry's, then the handler's.
    std::string replacement = word;
    if (autoCorrect_.Active) {
        const auto& old = autoCorrect_.OldValue;
        const auto found = std::find(old.begin(), old.end(), word);
        const auto index = static_cast<std::size_t>(found - old.begin());
        if (found != old.end() && index < autoCorrect_.NewValue.size())
            replacement = autoCorrect_.NewValue[index];
    }
    if (OnWordComplete)
        OnWordComplete(this, word, replacement);
    // 4. The word becomes the replacement where it stands (the caret may stand inside it:
    // the word's own place is replaced, never the characters left of the caret).
    if (replacement == word)
        return;
    lines_->Put(CaretY(), line.substr(0, static_cast<std::size_t>(start)) + replacement +
                              line.substr(static_cast<std::size_t>(end)));
    if (x >= end)
        caret_.Caret.X = x + static_cast<int>(replacement.size()) - static_cast<int>(word.size());
    caret_.ResetSelection();
}

bool TAdvCustomMemo::WantsKey(std::uint16_t key, TShiftState shift) const {
    // Enter is a line break here, never the form's default button.
    return key == VK_RETURN || TCustomControl::WantsKey(key, shift);
}
