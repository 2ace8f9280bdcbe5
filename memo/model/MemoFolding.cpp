// The editor model's folding: opening and closing regions with the caret kept in sight, and
// finding regions again after edits.

#include "memo/model/EditorModel.h"

bool TEditorModel::SetExpanded(int line, bool value) {
    if (!folding_.SetExpanded(line, value))
        return false;
    // The caret never stands on a hidden line: it goes up to the start that hides it. (Asked
    // only when the caret is below the region's start: closing many regions in a row measures
    // what they hide once, on the next question, not once for each.)
    if (!value && caret_.Caret.Y > line && folding_.IsHidden(caret_.Caret.Y))
        SetCaretY(folding_.LineOfRow(folding_.RowOfLine(caret_.Caret.Y)));
    host_.UpdateScrollBars();
    host_.InvalidateText();
    return true;
}

void TEditorModel::RebuildRegions() {
    const int before = folding_.RegionCount();
    const bool stale = folding_.Stale();
    folding_.RebuildRegions();
    folding_.Reveal(caret_.Caret.Y);
    if (stale || before != folding_.RegionCount()) {
        host_.UpdateScrollBars();
        host_.InvalidateText();
    }
}
