#pragma once
// The editor's text operations: typing, Enter, Tab, Backspace, Ctrl+Backspace, Delete, delete
// line, delete selection and insert text. Each changes the lines through the line store, puts
// caret and selection through the editor's caret rules, and pushes one undo record; the
// editor's refresh is off while it works and runs once at the end.
//
// Undo restores the text exactly, so where a change does more than its record can say, the
// operation records it fully:
// - typing or inserting beyond a line's end records the padding spaces with the text, from the
//   line's end;
// - Enter that drops spaces from the text it moves to the new line (trailing spaces, and the
//   leading ones with AutoIndent) records the change as the removed tail and the inserted new
//   text, a linked pair; while undo replays, Enter moves the tail as it is;
// - Delete at or beyond a line's end records the join at the line's end, where the line
//   break was;
// - Backspace in virtual space only moves the caret: there is no character left of it to
//   remove (it never joins the next line onto the caret line);
// - a deleted last line comes back after the line above it, and an emptied only line does
//   not gain a second line on undo;
// - a selection is deleted from its ends pulled back onto their lines, and its record text
//   holds the selected text itself, so undo gives back the same lines.
// Replayed operations ignore ReadOnly and overwrite mode: undo works in a read-only editor
// and always puts back what was there.

#include <memory>
#include <string>
#include <string_view>

#include "platform/Types.h"

class TAdvCustomMemo;
class TUndo;

/// Switches the editor's refresh off for a scope, and back to what it was.
class TRefreshOff {
public:
    explicit TRefreshOff(TAdvCustomMemo& memo);
    ~TRefreshOff();
    TRefreshOff(const TRefreshOff&) = delete;
    TRefreshOff& operator=(const TRefreshOff&) = delete;

private:
    TAdvCustomMemo& memo_;
    bool was_;
};

class TMemoEditing {
public:
    explicit TMemoEditing(TAdvCustomMemo& memo) : memo_(memo) {}

    void InsertChar(char ch);
    void NewLine();
    void TabKey(TShiftState shift);
    void Backspace();
    void DeleteWordBack();
    void DeleteChar();
    void DeleteLine();
    bool DeleteSelection(bool repaint);
    /// `linkWithPrevious`: the insertion undoes together with the record before it (a moved
    /// text's deletion) even when it replaced no selection.
    void InsertText(std::string_view text, bool linkWithPrevious = false);

private:
    /// Removes the character at the caret, or joins the next line when the caret stands at or
    /// beyond its line's end; the record's before-place is `recordBefore` for a Backspace.
    void DeleteAtCaret(TPoint recordBefore, bool isBackspace);
    /// Backspace's plain part: one step left, and what stands there goes.
    void StepBack();
    /// The caret line in the store (an empty store gets a line).
    int CaretLineInStore();
    /// Where a smart Tab or a smart Backspace takes the caret, from the lines above; -1 when
    /// no line above shows a place.
    int SmartTabTarget() const;
    int SmartBackspaceTarget() const;
    bool Replaying() const;
    void Record(std::unique_ptr<TUndo> record);

    TAdvCustomMemo& memo_;
};
