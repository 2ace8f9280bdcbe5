#include "memo/model/MemoKeyboard.h"

#include <algorithm>

#include "memo/model/EditorModel.h"
#include "memo/model/MemoEditing.h"
#include "memo/model/MemoKeyTable.h"
#include "memo/model/SelectionText.h"
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

void TMemoKeyboard::KeyDown(std::uint16_t key, TShiftState shift) {
    TEditorModel& model = editing_.Model();
    model.SetKeyAllowsTyping(true);
    // 2. Keys that may change text re-validate the caret.
    if (!MovesOnly(key)) {
        model.SetCaretX(model.CaretX());
        model.SetCaretY(model.CaretY());
    }
    // 3. A collapsed region's caption takes no keys that would change it.
    if ((key == VK_BACK || key == VK_TAB || key == VK_SPACE || key == VK_INSERT ||
         key == VK_DELETE) &&
        model.Folding().ShowsCaption(model.CaretY()))
        return;
    // 4. The key-down table.
    if (const TKeyDownRow* row = FindKeyDown(key, shift))
        row->Action(editing_, key, shift);
    // 5. Insert switched overwrite mode: the status changed.
    if (key == VK_INSERT)
        model.Host().Notify(TEditorNotice::StatusChange);
}

void TMemoKeyboard::KeyPress(char key) {
    TEditorModel& model = editing_.Model();
    TAdvMemoStrings& lines = model.Lines();
    const auto c = static_cast<unsigned char>(key);
    // 2. Copy works in a read-only editor too.
    if (c == 3) {
        RunCommand(editing_, 3, {});
        return;
    }
    // 3. Dropped when the text may not change, or when the key down kept it out.
    if (model.Settings().ReadOnly || !model.KeyAllowsTyping())
        return;
    if (c != '\r' && model.Folding().ShowsCaption(model.CaretY()))
        return;
    // 4. A word's end runs the memo checker's hooks and the word completion step, before the
    // character itself.
    TCaretState& state = model.CaretState();
    state.RegionsStale = true;
    if (IsCompletionTrigger(key)) {
        if (c == '\t' || c == ' ')
            editing_.WordCheckerHooks();
        if (c == '\r') {
            editing_.LineCheckerHooks();
            if (lines.Count() == 0)
                lines.Add("");
            const std::string_view line = lines.Get(std::clamp(model.CaretY(), 0, lines.Count() - 1));
            if (model.CaretX() == 0 && line.find_first_not_of(' ') == std::string_view::npos)
                state.RegionsStale = false;
        }
        editing_.WordCompletionStep();
    }
    if (Printable(c)) {
        // 5. Typing.
        if (model.Settings().DelErase && !model.SelectionEmpty())
            editing_.DeleteSelection(true);
        editing_.InsertChar(key);
        if (TLineProp* record = lines.LineProp(model.CaretY()))
            record->Modified = true;
        model.Host().UpdateScrollBars();
        model.Host().InvalidateText();
        model.Host().Notify(TEditorNotice::Change);
    } else if (c != 8 && c != 9) {
        // 6. Control characters are commands.
        RunCommand(editing_, c, {});
    }
    editing_.KeyPressDone();
    // 7. After "." or "(" completion may open its list, after its delay.
    if (key == '.' || key == '(')
        model.Host().StartCompletionTimer();
}
