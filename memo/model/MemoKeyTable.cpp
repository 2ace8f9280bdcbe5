#include "memo/model/MemoKeyTable.h"

#include "memo/model/EditorModel.h"
#include "memo/model/MemoEditing.h"
#include "platform/Keys.h"

namespace {

constexpr std::uint8_t kShift = 1;
constexpr std::uint8_t kAlt = 2;
constexpr std::uint8_t kCtrl = 4;

constexpr TShiftRule Any{0, 0};
constexpr TShiftRule NoShift{0, kShift | kAlt | kCtrl};
constexpr TShiftRule WithoutAlt{0, kAlt};
constexpr TShiftRule AltOnly{kAlt, kShift};
constexpr TShiftRule AltShift{kAlt | kShift, 0};
constexpr TShiftRule ExactlyCtrl{kCtrl, kShift | kAlt};
constexpr TShiftRule ExactlyCtrlShift{kCtrl | kShift, kAlt};
constexpr TShiftRule Ctrl{kCtrl, 0};
constexpr TShiftRule CtrlWithoutAlt{kCtrl, kAlt};
constexpr TShiftRule WithoutCtrl{0, kCtrl};
constexpr TShiftRule Shift{kShift, 0};
constexpr TShiftRule WithoutShift{0, kShift};
constexpr TShiftRule NeitherShiftNorCtrl{0, kShift | kCtrl};

// --- what keys do ---
void Command(TMemoEditing& e, int code, TShiftState s) {
    RunCommand(e, code, s);
}
void Undo(TMemoEditing& e, int, TShiftState) {
    e.Undo();
}
void Redo(TMemoEditing& e, int, TShiftState) {
    e.Redo();
}
void RedoUnlessReadOnly(TMemoEditing& e, int, TShiftState) {
    if (!e.Model().Settings().ReadOnly)
        e.Redo();
}
void Nothing(TMemoEditing&, int, TShiftState) {}
// Ctrl+Space: while completion is on it starts, and the space is not typed. (Its list comes
// from a styler; with none it finds nothing to show.)
void AutoComplete(TMemoEditing& e, int, TShiftState) {
    if (e.Model().Host().StartAutoCompletion())
        e.Model().SetKeyAllowsTyping(false);
}
void ParameterHint(TMemoEditing& e, int, TShiftState) {
    e.Model().Host().ShowParameterHint();
}
void Left(TMemoEditing& e, int, TShiftState s) {
    e.Model().ArrowMove(-1, 0, s);
}
void Up(TMemoEditing& e, int, TShiftState s) {
    e.Model().ArrowMove(0, -1, s);
}
void Right(TMemoEditing& e, int, TShiftState s) {
    e.Model().ArrowMove(1, 0, s);
}
void Down(TMemoEditing& e, int, TShiftState s) {
    e.Model().ArrowMove(0, 1, s);
}
void Find(TMemoEditing& e, int, TShiftState) {
    e.Model().Host().Notify(TEditorNotice::Find);
}
void Replace(TMemoEditing& e, int, TShiftState) {
    e.Model().Host().Notify(TEditorNotice::Replace);
}

// --- editor commands ---
void Copy(TMemoEditing& e, int, TShiftState) {
    e.CopyToClipboard();
}
void Cut(TMemoEditing& e, int, TShiftState) {
    e.CutToClipboard();
}
void Paste(TMemoEditing& e, int, TShiftState) {
    e.PasteFromClipboard();
}
void PageUp(TMemoEditing& e, int, TShiftState s) {
    e.Model().PageMove(-1, s);
}
void PageDown(TMemoEditing& e, int, TShiftState s) {
    e.Model().PageMove(1, s);
}
void End(TMemoEditing& e, int, TShiftState s) {
    e.Model().EndMove(s);
}
void Home(TMemoEditing& e, int, TShiftState s) {
    e.Model().HomeMove(s);
}
void SelectAll(TMemoEditing& e, int, TShiftState) {
    if (!e.Model().Settings().ReadOnly)
        e.Model().SelectAll();
}
void DeleteWordBack(TMemoEditing& e, int, TShiftState) {
    e.DeleteWordBack();
}
// Backspace and Delete: with DelErase a selection goes whole, else the character.
void DeleteSelectionOr(TMemoEditing& e, void (TMemoEditing::*deleteCharacter)()) {
    const TEditorModel& model = e.Model();
    if (model.Lines().Count() == 0)
        return;
    if (model.Settings().DelErase && !model.SelectionEmpty())
        e.DeleteSelection(true);
    else
        (e.*deleteCharacter)();
}
void Backspace(TMemoEditing& e, int, TShiftState) {
    DeleteSelectionOr(e, &TMemoEditing::Backspace);
}
void Tab(TMemoEditing& e, int, TShiftState s) {
    e.TabKey(s);
}
void Enter(TMemoEditing& e, int, TShiftState) {
    e.DeleteSelection(true);
    e.NewLine();
}
void ToggleOverwrite(TMemoEditing& e, int, TShiftState) {
    e.ToggleOverwriteMode();
}
void Delete(TMemoEditing& e, int, TShiftState) {
    DeleteSelectionOr(e, &TMemoEditing::DeleteChar);
}

constexpr std::uint16_t Letter(char c) {
    return static_cast<std::uint16_t>(c);
}

// A key down, after OnKeyDown and the caret check.
// clang-format off
constexpr TKeyDownRow kKeyDown[] = {
    //  key          shift state       action
    {VK_BACK,      WithoutAlt,       Command},
    {VK_BACK,      AltOnly,          Undo},
    {VK_BACK,      AltShift,         Redo},
    {VK_TAB,       Any,              Command},
    {VK_ESCAPE,    Any,              Command},
    {VK_END,       Any,              Command},
    {VK_HOME,      Any,              Command},
    {VK_DELETE,    Any,              Command},
    {VK_PRIOR,     Any,              Command},
    {VK_NEXT,      Any,              Command},
    {VK_INSERT,    Any,              Command},
    {VK_SPACE,     ExactlyCtrl,      AutoComplete},
    {VK_SPACE,     ExactlyCtrlShift, ParameterHint},
    {VK_LEFT,      Any,              Left},
    {VK_UP,        Any,              Up},
    {VK_RIGHT,     Any,              Right},
    {VK_DOWN,      Any,              Down},
    {Letter('F'),  Ctrl,             Find},
    {Letter('H'),  Ctrl,             Replace},
    {Letter('Y'),  Ctrl,             RedoUnlessReadOnly},
    {Letter('Z'),  CtrlWithoutAlt,   Undo},
};
// clang-format on

// KeyCommand: the commands that leave the text alone come first; the others run only when
// the editor is not read-only.
// clang-format off
constexpr TCommandRow kCommands[] = {
    //  code         shift state          changes text  marks line  command
    {3,            NoShift,             false,        false,      Copy},
    {VK_ESCAPE,    Any,                 false,        false,      Nothing},
    {VK_PRIOR,     Any,                 false,        false,      PageUp},
    {VK_NEXT,      Any,                 false,        false,      PageDown},
    {VK_END,       Any,                 false,        false,      End},
    {VK_HOME,      Any,                 false,        false,      Home},
    {VK_INSERT,    Ctrl,                false,        false,      Copy},
    {1,            NoShift,             false,        false,      SelectAll},
    {VK_BACK,      Ctrl,                true,         false,      DeleteWordBack},
    {VK_BACK,      WithoutCtrl,         true,         true,       Backspace},
    {VK_TAB,       Any,                 true,         true,       Tab},
    {13,           NoShift,             true,         true,       Enter},
    {22,           NoShift,             true,         false,      Paste},
    {VK_INSERT,    Shift,               true,         false,      Paste},
    {VK_INSERT,    NeitherShiftNorCtrl, true,         false,      ToggleOverwrite},
    {VK_DELETE,    WithoutShift,        true,         true,       Delete},
    {VK_DELETE,    Shift,               true,         true,       Cut},
    {24,           NoShift,             true,         true,       Cut},
};
// clang-format on

} // namespace

bool TShiftRule::Matches(TShiftState shift) const {
    const std::uint8_t down = static_cast<std::uint8_t>(
        (shift.Shift ? kShift : 0) | (shift.Alt ? kAlt : 0) | (shift.Ctrl ? kCtrl : 0));
    return (down & held) == held && (down & released) == 0;
}

std::span<const TKeyDownRow> KeyDownTable() {
    return kKeyDown;
}

std::span<const TCommandRow> CommandTable() {
    return kCommands;
}

const TKeyDownRow* FindKeyDown(std::uint16_t key, TShiftState shift) {
    for (const TKeyDownRow& row : kKeyDown) {
        if (row.Key == key && row.Shift.Matches(shift))
            return &row;
    }
    return nullptr;
}

const TCommandRow* FindCommand(int code, TShiftState shift, bool readOnly) {
    for (const TCommandRow& row : kCommands) {
        if (row.Code == code && row.Shift.Matches(shift) && !(readOnly && row.ChangesText))
            return &row;
    }
    return nullptr;
}

void RunCommand(TMemoEditing& editing, int code, TShiftState shift) {
    TEditorModel& model = editing.Model();
    const TCommandRow* row = FindCommand(code, shift, model.Settings().ReadOnly);
    if (!row)
        return;
    row->Command(editing, code, shift);
    TAdvMemoStrings& lines = model.Lines();
    if (row->MarksLine && model.CaretY() < lines.Count()) {
        if (TLineProp* record = lines.LineProp(model.CaretY()))
            record->Modified = true;
    }
}
