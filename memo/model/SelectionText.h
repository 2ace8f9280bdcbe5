#pragma once
// Text between two places of an editor's lines, linear offsets, and the word delimiter sets.
//
// A linear offset counts every character of every line before a place, plus 2 for each line
// break (CR LF), so it matches the text as the clipboard carries it.

#include <string>
#include <string_view>
#include <utility>

#include "platform/Types.h"

class TAdvMemoStrings;

/// The text from `first` up to `last` (in text order), lines joined by CR LF. Columns beyond a
/// line's end count as its end; places beyond the store give an empty text.
std::string TextBetween(const TAdvMemoStrings& lines, TPoint first, TPoint last);

/// The linear offset of `place` (its column taken as it is).
int LinearOffset(const TAdvMemoStrings& lines, TPoint place);

/// `a` lies before `b` in text order.
inline bool Before(TPoint a, TPoint b) {
    return a.Y < b.Y || (a.Y == b.Y && a.X < b.X);
}

/// Space and the two quotes, and a styler's `extra` delimiters: what bounds the word at the
/// caret (double click, completion).
inline bool IsWordAtCaretDelimiter(char c, std::string_view extra = {}) {
    return c == ' ' || c == '"' || c == '\'' || extra.find(c) != std::string_view::npos;
}
/// What bounds the word that auto-completion starts from.
inline bool IsCompletionWordDelimiter(char c) {
    return IsWordAtCaretDelimiter(c) || c == '(' || c == ')';
}
/// What bounds the word handed to a memo checker.
inline bool IsWordBeforeCaretDelimiter(char c) {
    return IsCompletionWordDelimiter(c) ||
           std::string_view(",.:;=[]").find(c) != std::string_view::npos;
}

/// The characters whose typing ends a word and runs the word completion step.
inline bool IsCompletionTrigger(char c) {
    return c == '\t' || c == '\r' || std::string_view(" (,.=[").find(c) != std::string_view::npos;
}

/// Where the word before `column` of `line` starts: back from the column while no delimiter of
/// the word-before-caret set comes. `column` itself when no word ends there (the character
/// left of it is a delimiter, or the column is 0 or beyond the line's end).
int WordBeforeCaret(std::string_view line, int column);

/// Character steps. One byte is one column, but a character of several bytes (UTF-8, as the
/// display codec decodes it; a byte that starts no valid sequence is a character of its own)
/// is one step for the caret, Backspace and Delete, so no edit ever splits it. Past a line's
/// end (virtual space) every column is a step.

/// The column after the character at `column` of `line`.
int NextCharColumn(std::string_view line, int column);
/// The column where the character before `column` starts (`column` > 0).
int PreviousCharColumn(std::string_view line, int column);
/// `column`, or when it falls inside a character, the nearer of that character's two ends.
int NearestCharColumn(std::string_view line, int column);

/// The word around `column` of `line`: scanning right from the character left of `column`
/// (the one at it for column 0) and left from the same character while no delimiter of the
/// word-at-caret set (with a styler's `extra` ones) comes. Returns [start, end); start == end
/// when there is none.
std::pair<int, int> WordAtCaret(std::string_view line, int column, std::string_view extra = {});
