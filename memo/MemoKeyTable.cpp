#include "memo/MemoKeyTable.h"

#include "memo/AdvMemo.h"
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
void Command(TAdvCustomMemo& m, int code, TShiftState s) {
    m.KeyCommand(code, s);
}
void Undo(TAdvCustomMemo& m, int, TShiftState) {
    m.Undo();
}
void Redo(TAdvCustomMemo& m, int, TShiftState) {
    m.Redo();
}
void RedoUnlessReadOnly(TAdvCustomMemo& m, int, TShiftState) {
    if (!m.ReadOnly())
        m.Redo();
}
// Auto-completion and parameter hints need a styler's lists: with none there is nothing to
// show, and the space that follows Ctrl is typed as usual.
void Nothing(TAdvCustomMemo&, int, TShiftState) {}
void Left(TAdvCustomMemo& m, int, TShiftState s) {
    m.ArrowMove(-1, 0, s);
}
void Up(TAdvCustomMemo& m, int, TShiftState s) {
    m.ArrowMove(0, -1, s);
}
void Right(TAdvCustomMemo& m, int, TShiftState s) {
    m.ArrowMove(1, 0, s);
}
void Down(TAdvCustomMemo& m, int, TShiftState s) {
    m.ArrowMove(0, 1, s);
}
void Find(TAdvCustomMemo& m, int, TShiftState) {
    if (m.OnFind)
        m.OnFind(&m);
}
void Replace(TAdvCustomMemo& m, int, TShiftState) {
    if (m.OnReplace)
        m.OnReplace(&m);
}

// --- editor commands ---
void Copy(TAdvCustomMemo& m, int, TShiftState) {
    m.CopyToClipboard();
}
void Cut(TAdvCustomMemo& m, int, TShiftState) {
    m.CutToClipboard();
}
void Paste(TAdvCustomMemo& m, int, TShiftState) {
    m.PasteFromClipboard();
}
void PageUp(TAdvCustomMemo& m, int, TShiftState s) {
    m.PageMove(-1, s);
}
void PageDown(TAdvCustomMemo& m, int, TShiftState s) {
    m.PageMove(1, s);
}
void End(TAdvCustomMemo& m, int, TShiftState s) {
    m.EndMove(s);
}
void Home(TAdvCustomMemo& m, int, TShiftState s) {
    m.HomeMove(s);
}
void SelectAll(TAdvCustomMemo& m, int, TShiftState) {
    if (!m.ReadOnly())
        m.SelectAll();
}
void DeleteWordBack(TAdvCustomMemo& m, int, TShiftState) {
    m.DeleteWordBack();
}
void Backspace(TAdvCustomMemo& m, int, TShiftState) {
    if (m.Lines().Count() == 0)
        return;
    if (m.DelErase() && !m.SelectionEmpty())
        m.DeleteSelection(true);
    else
        m.Backspace();
}
void Tab(TAdvCustomMemo& m, int, TShiftState s) {
    m.TabKey(s);
}
void Enter(TAdvCustomMemo& m, int, TShiftState) {
    m.DeleteSelection(true);
    m.NewLine();
}
void ToggleOverwrite(TAdvCustomMemo& m, int, TShiftState) {
    m.ToggleOverwriteMode();
}
void Delete(TAdvCustomMemo& m, int, TShiftState) {
    if (m.Lines().Count() == 0)
        return;
    if (m.DelErase() && !m.SelectionEmpty())
        m.DeleteSelection(true);
    else
        m.DeleteChar();
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
    {VK_SPACE,     ExactlyCtrl,      Nothing}, // auto-completion
    {VK_SPACE,     ExactlyCtrlShift, Nothing}, // parameter hint
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
