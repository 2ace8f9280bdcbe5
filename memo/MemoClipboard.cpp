// The editor's clipboard commands. The selected bytes go out exactly, for Dyadlist, and as
// the screen shows them, for other programs; a paste takes the exact bytes back when Dyadlist
// put them there, and another program's text as UTF-8.

#include <algorithm>

#include "memo/AdvMemo.h"
#include "platform/Clipboard.h"

void TAdvCustomMemo::CopyToClipboard() {
    // An empty selection puts an empty text there.
    SetClipboardBytes(GetSelectedText());
}

void TAdvCustomMemo::CutToClipboard() {
    if (readOnly_)
        return;
    CopyToClipboard();
    DeleteSelection(true);
}

void TAdvCustomMemo::PasteFromClipboard() {
    if (readOnly_ || !ClipboardHasText())
        return;
    std::string text = ClipboardBytes();
    // The text ends at its first NUL, as the clipboard's plain text does.
    if (const std::size_t nul = text.find('\0'); nul != std::string::npos)
        text.resize(nul);
    if (text.empty())
        return; // nothing to insert: no undo record, no change of Modified
    const int firstLine = CaretY();
    // InsertText pads a caret in virtual space and turns every line break into CR LF.
    InsertText(text);
    for (int line = std::min(firstLine, CaretY()); line <= CaretY(); ++line) {
        if (line >= 0 && line < lines_->Count()) {
            if (TLineProp* record = lines_->LineProp(line))
                record->Modified = true;
        }
    }
    ResetSelection();
    Invalidate();
}
