// The editor's clipboard commands. The selected bytes go out exactly, for Dyadlist, and as
// the screen shows them, for other programs; a paste takes the exact bytes back when Dyadlist
// put them there, and another program's text as UTF-8.

#include <algorithm>

#include "memo/model/EditorModel.h"
#include "memo/model/MemoEditing.h"

void TMemoEditing::CopyToClipboard() {
    // An empty selection puts an empty text there.
    model_.Host().PutOnClipboard(model_.GetSelectedText());
}

void TMemoEditing::CutToClipboard() {
    if (model_.Settings().ReadOnly)
        return;
    CopyToClipboard();
    DeleteSelection(true);
}

void TMemoEditing::PasteFromClipboard() {
    TEditorHost& host = model_.Host();
    if (model_.Settings().ReadOnly || !host.ClipboardHasText())
        return;
    std::string text = host.ClipboardBytes();
    // The text ends at its first NUL, as the clipboard's plain text does.
    if (const std::size_t nul = text.find('\0'); nul != std::string::npos)
        text.resize(nul);
    if (text.empty())
        return; // nothing to insert: no undo record, no change of Modified
    const int firstLine = model_.CaretY();
    // InsertText pads a caret in virtual space and turns every line break into CR LF.
    InsertText(text);
    TAdvMemoStrings& lines = model_.Lines();
    for (int line = std::min(firstLine, model_.CaretY()); line <= model_.CaretY(); ++line) {
        if (line >= 0 && line < lines.Count()) {
            if (TLineProp* record = lines.LineProp(line))
                record->Modified = true;
        }
    }
    model_.ResetSelection();
    host.InvalidateText();
}
