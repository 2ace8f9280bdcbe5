// The result panes' text box editing model under any sequence of typing, pastes, line
// breaks, deletions, caret moves and selections, and appended entries, on entries that hold
// any bytes (CR and LF included). After every step caret and anchor lie in the text on a
// character's first byte; undoing every step gives back the exact entries from before.
//
// An input is: the entries, separated by 0xFD, up to the first 0xFE; then the commands, a byte
// each and for some the bytes after it.

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "ByteInput.h"
#include "core/TextDocument.h"
#include "platform/TextCodec.h"
#include "textbox/TextBoxEditing.h"

namespace {

using Lines = std::vector<std::string>;

void Check(bool sound, const char* what) {
    ::Check(sound, "pane", what);
}

Lines LinesOf(const core::TextDocument& document) {
    Lines lines;
    for (int i = 0; i < document.Count(); ++i)
        lines.emplace_back(document.Line(i));
    return lines;
}

void CheckPlace(const core::TextDocument& document, TextPos p) {
    Check(p.line >= 0 && p.line < std::max(1, document.Count()), "a place outside the lines");
    if (document.Count() == 0)
        return;
    const std::string_view line = document.Line(p.line);
    Check(p.offset <= line.size(), "a place past its line");
    Check(p.offset == line.size() || DisplayCharStart(line, p.offset) == p.offset,
          "a place inside a character");
}

TextPos PlaceOf(const core::TextDocument& document, ByteInput& in) {
    const int count = std::max(1, document.Count());
    const int line = in.Next() % count;
    const std::size_t length = document.Count() > 0 ? document.Line(line).size() : 0;
    return {line, in.Next() % (length + 2)}; // past the end too: the model clamps
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    ByteInput in(data, size);
    core::TextDocument document;
    const std::string_view text = in.Until(0xFE);
    std::vector<std::string_view> entries;
    for (std::size_t from = 0;;) {
        const std::size_t end = text.find('\xFD', from);
        entries.push_back(text.substr(from, end == std::string_view::npos ? end : end - from));
        if (end == std::string_view::npos)
            break;
        from = end + 1;
    }
    document.InsertLines(0, entries);
    TextBoxEditing editing(document);
    Lines before = LinesOf(document);
    while (!in.Done()) {
        switch (in.Next() % 12) {
        case 0:
        case 1:
            editing.Type(in.Until(0xFD));
            break;
        case 2:
            editing.Paste(in.Until(0xFD));
            break;
        case 3:
            editing.NewLine();
            break;
        case 4:
            editing.Backspace();
            break;
        case 5:
            editing.Delete();
            break;
        case 6:
            editing.DeleteSelection();
            break;
        case 7: {
            const bool extend = (in.Next() & 1) != 0;
            editing.MoveCaret(PlaceOf(document, in), extend);
            break;
        }
        case 8: {
            const bool back = (in.Next() & 1) != 0;
            editing.MoveCaret(back ? editing.CharBefore(editing.Caret())
                                   : editing.CharAfter(editing.Caret()),
                              true);
            break;
        }
        case 9:
            editing.SelectAll();
            break;
        case 10:
            editing.Undo();
            break;
        default: {
            // An entry appended from outside: the undo steps no longer hold and go.
            const std::string_view entry = in.Until(0xFD);
            document.InsertLines(document.Count(), {&entry, 1});
            Check(!editing.CanUndo(), "undo steps kept past a change from outside");
            before = LinesOf(document);
            break;
        }
        }
        CheckPlace(document, editing.Caret());
        CheckPlace(document, editing.Anchor());
    }
    while (editing.Undo()) {
    }
    Check(LinesOf(document) == before, "undo-all did not give the entries back");
    return 0;
}
