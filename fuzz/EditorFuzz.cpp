// The list editor's model under any sequence of keys, typed bytes, clipboard texts, caret
// placements, selections, undo and redo, with the main window's settings or any others.
// After every step the store keeps its rules and the caret and selection lie in the text;
// every 32 steps and at the end, undoing everything gives back the exact bytes from before
// them, and redoing everything the bytes after them.
//
// An input is: one byte of settings (a bit each: AutoExpand, DelErase, AutoIndent,
// SmartTabs, overwrite mode, EnhancedHomeKey, ReadOnly; 0x07 is the main window), the text up
// to the first 0xFE byte, then the commands, a byte each and for some the bytes after it.
// Trimming trailing spaces when the caret leaves a line changes text on purpose and without
// a record, so it stays off, as in the main window.

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "ByteInput.h"
#include "tests/memo/model/ModelEditor.h"

namespace {

using Lines = std::vector<std::string>;

void Check(bool sound, const char* what) {
    ::Check(sound, "editor", what);
}

/// The text's lines; no line at all reads as one empty line, since an empty editor gives the
/// caret a line as soon as it is placed or a key comes.
Lines LinesOf(const TAdvMemoStrings& store) {
    Lines lines;
    for (int i = 0; i < store.Count(); ++i)
        lines.emplace_back(store.Get(i));
    if (lines.empty())
        lines.emplace_back();
    return lines;
}

void CheckSound(TModelEditor& editor) {
    const TAdvMemoStrings& lines = editor.Lines();
    int longest = 0;
    for (int i = 0; i < lines.Count(); ++i) {
        const std::string_view line = lines.Get(i);
        Check(line.find_first_of("\r\n\t") == std::string_view::npos, "a break or tab stored");
        Check(lines.LineLength(i) == static_cast<int>(line.size()), "a length out of step");
        longest = std::max(longest, lines.LineLength(i));
    }
    Check(lines.Document().LongestLine() == longest, "the longest line out of step");
    if (lines.Count() == 0)
        return; // an empty text (a file of nothing): the caret waits for a line
    const TCaretState& state = editor.Model().Caret();
    for (const TPoint p : {state.Caret, state.SelStart, state.SelEnd})
        Check(p.Y >= 0 && p.Y < lines.Count() && p.X >= 0, "caret or selection outside");
}

/// Redo all, undo all: the bytes from before; redo all: the bytes after.
void CheckUndoAll(TModelEditor& editor, Lines& before) {
    TMemoEditing& editing = editor.Editing();
    while (editing.UndoList().CanRedo())
        editing.Redo();
    const Lines after = LinesOf(editor.Lines());
    while (editing.UndoList().CanUndo())
        editing.Undo();
    Check(LinesOf(editor.Lines()) == before, "undo-all did not give the bytes back");
    while (editing.UndoList().CanRedo())
        editing.Redo();
    Check(LinesOf(editor.Lines()) == after, "redo-all did not give the edited bytes");
    editing.ClearUndo();
    editor.Model().SetOverwriteMode(false);
    editor.Go(0, 0);
    before = after;
}

TShiftState ShiftOf(std::uint8_t bits) {
    return {.Shift = (bits & 1) != 0, .Ctrl = (bits & 2) != 0};
}

void RunCommand(TModelEditor& editor, ByteInput& in) {
    const int count = std::max(1, editor.Lines().Count());
    switch (in.Next() % 20) {
    case 0:
    case 1:
    case 2:
    case 3: // a typed byte: characters, and control characters as their commands
        editor.Char(static_cast<char>(in.Next()));
        break;
    case 4:
        editor.Type("\n");
        break;
    case 5:
        editor.Type("\b");
        break;
    case 6: {
        const std::uint16_t keys[] = {VK_DELETE, VK_TAB,   VK_INSERT, VK_HOME,
                                      VK_END,    VK_PRIOR, VK_NEXT,   VK_BACK};
        const std::uint8_t which = in.Next();
        editor.Key(keys[which % 8], ShiftOf(static_cast<std::uint8_t>(which >> 3)));
        break;
    }
    case 7:
    case 8: {
        const std::uint8_t which = in.Next();
        editor.Key(static_cast<std::uint16_t>(VK_LEFT + which % 4),
                   ShiftOf(static_cast<std::uint8_t>(which >> 2)));
        break;
    }
    case 9:
        editor.CtrlKey('Z');
        break;
    case 10:
        editor.CtrlKey('Y');
        break;
    case 11: // text another program put on the clipboard
        editor.ForeignClipboard(in.Until(0xFD));
        break;
    case 12:
        editor.CtrlKey('C');
        break;
    case 13:
        editor.CtrlKey('X');
        break;
    case 14:
        editor.CtrlKey('V');
        break;
    case 15: { // a program places the caret, in virtual space too
        const int column = in.Next() % 24;
        editor.Go(column, in.Next() % count);
        break;
    }
    case 16: { // and sets a selection
        const int x1 = in.Next() % 24, y1 = in.Next() % count;
        const int x2 = in.Next() % 24, y2 = in.Next() % count;
        editor.Model().SetSelection({x1, y1}, {x2, y2});
        break;
    }
    case 17:
        editor.Editing().DeleteLine();
        break;
    case 18:
        editor.CtrlKey('A');
        break;
    default:
        editor.Lines().Delete(in.Next() % count);
        break;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    ByteInput in(data, size);
    const std::uint8_t settings = in.Next();
    TModelEditor editor(in.Until(0xFE));
    TEditSettings& edit = editor.Settings();
    edit.AutoExpand = (settings & 1) != 0;
    edit.DelErase = (settings & 2) != 0;
    edit.AutoIndent = (settings & 4) != 0;
    edit.SmartTabs = (settings & 8) != 0;
    editor.Model().SetOverwriteMode((settings & 16) != 0);
    edit.EnhancedHomeKey = (settings & 32) != 0;
    edit.ReadOnly = (settings & 64) != 0;
    Lines before = LinesOf(editor.Lines());
    for (int step = 1; !in.Done(); ++step) {
        RunCommand(editor, in);
        CheckSound(editor);
        if (step % 32 == 0)
            CheckUndoAll(editor, before);
    }
    CheckUndoAll(editor, before);
    return 0;
}
