// Corrections made as a key ends a word or a line: the memo checker's hooks and the word
// completion step (auto-correction, OnWordComplete). Each correction is recorded whole, and
// the record of what the key then does links to it (MemoEditing.h).

#include <algorithm>

#include "core/LineText.h"
#include "memo/model/EditorModel.h"
#include "memo/model/MemoChecker.h"
#include "memo/model/MemoEditing.h"
#include "memo/model/SelectionText.h"

void TMemoEditing::WordCompletionStep() {
    TAdvMemoStrings& lines = model_.Lines();
    const int y = model_.CaretY();
    if (y >= lines.Count())
        return;
    // 1. The word at the caret.
    const std::string_view line = lines.Get(y);
    const int x = model_.CaretX();
    const auto [start, end] = WordAtCaret(line, x, model_.Settings().WordDelimiters);
    if (start >= end)
        return;
    const std::string word(line.substr(static_cast<std::size_t>(start),
                                       static_cast<std::size_t>(end - start)));
    // 2. and 3. Its replacement: the first equal entry's, then the handler's.
    std::string replacement = word;
    const TAutoCorrect& correct = model_.Settings().AutoCorrect;
    if (correct.Active) {
        const auto found = std::find(correct.OldValue.begin(), correct.OldValue.end(), word);
        const auto index = static_cast<std::size_t>(found - correct.OldValue.begin());
        if (found != correct.OldValue.end() && index < correct.NewValue.size())
            replacement = correct.NewValue[index];
    }
    model_.Host().WordCompleted(word, replacement);
    // 4. The word becomes the replacement where it stands (the caret may stand inside it:
    // the word's own place is replaced, never the characters left of the caret).
    if (replacement == word)
        return;
    Correct(y,
            std::string(line.substr(0, static_cast<std::size_t>(start))) + replacement +
                std::string(line.substr(static_cast<std::size_t>(end))),
            x, x >= end);
}

void TMemoEditing::LineCheckerHooks() {
    TAdvMemoChecker* checker = model_.MemoChecker();
    const TAdvMemoStrings& lines = model_.Lines();
    const int y = model_.CaretY();
    if (!checker || y < 0 || y >= lines.Count())
        return;
    const std::string before(lines.Get(y));
    std::string line = before;
    checker->CorrectLine(line);
    if (line != before)
        Correct(y, line, static_cast<int>(before.size()), true); // the caret to the line's end
    checker->CheckLine(y, lines.Get(y));
}

void TMemoEditing::WordCheckerHooks() {
    TAdvMemoChecker* checker = model_.MemoChecker();
    const TAdvMemoStrings& lines = model_.Lines();
    const int y = model_.CaretY();
    if (!checker || y < 0 || y >= lines.Count())
        return;
    const std::string_view line = lines.Get(y);
    const int x = model_.CaretX();
    const int start = WordBeforeCaret(line, x);
    if (start == x)
        return;
    const auto at = static_cast<std::size_t>(start);
    const std::string before(line.substr(at, static_cast<std::size_t>(x - start)));
    std::string word = before;
    checker->CorrectWord(line, x, word);
    if (word != before)
        Correct(y,
                std::string(line.substr(0, at)) + word +
                    std::string(line.substr(static_cast<std::size_t>(x))),
                x, true);
    // The word as it stands now: up to the caret, which a correction moved on with it.
    const std::string_view now = lines.Get(y);
    const int caret = model_.CaretX();
    checker->CheckWord(now, caret, now.substr(at, static_cast<std::size_t>(caret - start)));
}

void TMemoEditing::Correct(int y, std::string_view text, int caretX, bool caretFollows) {
    TAdvMemoStrings& lines = model_.Lines();
    if (text.find_first_of("\r\n") != std::string_view::npos)
        return;
    std::string former(lines.Get(y));
    // The line as the store keeps it: tabs become spaces.
    const std::string corrected = core::ReplaceTabs(text, lines.TabSize());
    if (corrected == former)
        return;
    lines.Put(y, corrected);
    TCaretState& state = model_.CaretState();
    const int length = static_cast<int>(former.size());
    const TPoint before{std::min(state.Caret.X, length), y};
    const int growth = static_cast<int>(corrected.size()) - length;
    state.Caret = {caretFollows ? caretX + growth : caretX, y};
    state.ResetSelection();
    // A second correction of one key merges into the first (TCorrectUndo::Append).
    Record(std::make_unique<TCorrectUndo>(before, state.Caret, std::move(former)));
    linkToCorrection_ = true;
    model_.Host().InvalidateText();
}
