#pragma once
// The memo checker: a program's own spelling or style checker, which the editor calls as the
// user ends a word or a line. The editor fixes when it asks and what it hands over; what a
// word or a line should become, and what a check does with what it finds (a list of doubtful
// words, a status text, a sound), is the checker's. Dyadlist's own window assigns none.
//
// Every hook runs while a typed character is handled, after the word completion trigger is
// recognised and before the character itself is (and before the word completion step with
// auto-correction):
//
// - Enter: CorrectLine, then CheckLine, on the caret line. When the store has no lines, or
//   the caret stands on none, neither is called.
// - Space and Tab: CorrectWord, then CheckWord, on the word before the caret: the characters
//   left of the caret back to the nearest of space, " ' ( ) , . : ; = [ ]. When no word ends
//   at the caret (it follows a delimiter, stands at column 0 or beyond the line's end),
//   neither is called. A Tab key inserts its spaces on the key down, before its character
//   arrives, so in insert mode the word before the caret is then already gone.
//
// A correction changes the caret line through the editor and is undoable: it is recorded as
// one TCorrectUndo holding the line from before it, linked to the record of the key that
// set it off, so one undo step takes back the key and the correction together and gives the
// line back byte for byte; redo does both again. (What is typed after that key undoes on its
// own; a Tab's character, whose spaces went in on the key down, takes back the correction
// alone.) A correction that holds a line break is not
// taken (a line stays one line); tabs in it become spaces, as in every stored line.
//
// Hooks must not change the editor themselves: the text they see lives in the line store.

#include <string>
#include <string_view>

class TAdvMemoChecker {
public:
    virtual ~TAdvMemoChecker() = default;
    TAdvMemoChecker(const TAdvMemoChecker&) = delete;
    TAdvMemoChecker& operator=(const TAdvMemoChecker&) = delete;

    /// Enter: `line` holds the caret line's text and may be rewritten. When it changed, the
    /// caret line becomes it and the caret goes to its end, so Enter then starts a new line
    /// after the corrected one; when it did not, Enter splits the line at the caret as ever.
    virtual void CorrectLine(std::string& /*line*/) {}
    /// Enter: the caret line, number `index` in the store, as it stands after CorrectLine.
    virtual void CheckLine(int /*index*/, std::string_view /*line*/) {}
    /// Space or Tab: `word` holds the word before the caret and may be rewritten; `line` and
    /// `column` (the caret's) give its place. The word's place in the line becomes the new
    /// word and the caret moves by the difference in length, staying after it.
    virtual void CorrectWord(std::string_view /*line*/, int /*column*/, std::string& /*word*/) {}
    /// Space or Tab: the caret line, the caret column and the word before the caret, as they
    /// stand after CorrectWord.
    virtual void CheckWord(std::string_view /*line*/, int /*column*/, std::string_view /*word*/) {}

protected:
    /// Only a checker of the program's own derives from this.
    TAdvMemoChecker() = default;
};
