#include "memo/CompletionList.h"

#include <algorithm>
#include <array>

#include "memo/AdvMemo.h"
#include "memo/CompletionFilter.h"
#include "platform/Keys.h"

namespace {

bool IsNameByte(char c) {
    const auto u = static_cast<unsigned char>(c);
    return (u >= '0' && u <= '9') || (u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || u == '_' ||
           u >= 128;
}

// Keys whose character types into a name: letters, digits, the minus key (which types "_").
bool TypesNameCharacter(std::uint16_t key) {
    return (key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z') ||
           (key >= VK_NUMPAD0 && key <= VK_NUMPAD0 + 9) || key == VK_OEM_MINUS;
}

std::string_view CaretLine(const TAdvCustomMemo& editor) {
    const TAdvMemoStrings& lines = editor.Lines();
    const int y = editor.CaretY();
    return y >= 0 && y < lines.Count() ? lines.Get(y) : std::string_view();
}

} // namespace

// --- the list's behaviour ----------------------------------------------------------------------

TMemoCompletion::TMemoCompletion(TAdvCustomMemo& editor)
    : editor_(editor), images_([this] {
          if (window_)
              window_->Invalidate();
      }) {}

TMemoCompletion::~TMemoCompletion() = default;

bool TMemoCompletion::Showing() const {
    return window_ && window_->Showing();
}

std::string TMemoCompletion::FilterWord() const {
    const std::string_view line = CaretLine(editor_);
    const int x = std::min(editor_.CaretX(), static_cast<int>(line.size()));
    if (anchor_ >= 0)
        return UpperCased(line.substr(static_cast<std::size_t>(std::min(anchor_, x)),
                                      static_cast<std::size_t>(x - std::min(anchor_, x))));
    const auto [start, end] = WordAround(line, x, kCompletionWordDelimiters);
    return UpperCased(
        line.substr(static_cast<std::size_t>(start), static_cast<std::size_t>(end - start)));
}

bool TMemoCompletion::Fill(const std::string& word) {
    entries_ = CompletionCandidates(editor_.SyntaxStyles()->AutoCompletion, word);
    if (editor_.OnGetAutoCompletionList)
        editor_.OnGetAutoCompletionList(&editor_, word, entries_);
    selected_ = entries_.empty() ? -1 : 0;
    return !entries_.empty();
}

bool TMemoCompletion::Start(bool byTimer) {
    // 1. Completion on, the text editable, a styler with entries in use.
    const TAutoCompletion& settings = editor_.Kept().AutoCompletion;
    const TAdvCustomMemoStyler* styler = editor_.SyntaxStyles();
    if (!settings.Active || editor_.ReadOnly() || !styler || !editor_.UseStyler() ||
        styler->AutoCompletion.empty())
        return false;
    Close();
    // 2. The word: after a dot, what was typed after it; else the word at the caret.
    const std::string_view line = CaretLine(editor_);
    const int x = editor_.CaretX();
    anchor_ = AfterDotColumn(line, x);
    if (byTimer && anchor_ < 0)
        anchor_ = WordAround(line, x, kCompletionWordDelimiters).first;
    const std::string word = FilterWord();
    bool allow = true;
    if (editor_.OnBeforeAutoCompletion)
        editor_.OnBeforeAutoCompletion(&editor_, word, allow);
    if (!allow)
        return false;
    // 3. The candidates, which the handler may change.
    if (!Fill(word))
        return false;
    // 4. The window, just below the caret line.
    Open();
    if (editor_.OnStartAutoCompletion)
        editor_.OnStartAutoCompletion(&editor_);
    return true;
}

void TMemoCompletion::Open() {
    if (!window_)
        window_ = std::make_unique<TCompletionListWindow>(*this, editor_);
    const TAutoCompletion& settings = editor_.Kept().AutoCompletion;
    window_->SetColor(settings.Color);
    window_->Font().Assign(settings.Font);
    window_->Opening();
    const TPoint origin = editor_.ClientToScreen({0, 0});
    // The text area's left edge counts the gutter and, with fold regions, the fold column.
    const int left = origin.X + editor_.TextArea().Left +
                     (editor_.CaretX() - editor_.LeftCol()) * editor_.CharWidth();
    const TRowMap& rows = editor_.RowMap();
    const int row = rows.RowOfLine(editor_.CaretY()) - rows.RowOfLine(editor_.TopLine());
    const int top = origin.Y + (row + 1) * editor_.LineHeight() + 2;
    const int width = settings.SizeDropDown ? window_->FittedWidth() : settings.Width;
    window_->SetBounds(left, top, width, settings.Height);
    window_->EntriesChanged();
    window_->Popup();
}

void TMemoCompletion::Refilter() {
    if (!Fill(FilterWord())) {
        Cancel();
        return;
    }
    window_->EntriesChanged();
}

void TMemoCompletion::Select(int index) {
    if (entries_.empty())
        return;
    selected_ = std::clamp(index, 0, static_cast<int>(entries_.size()) - 1);
    if (window_) {
        window_->ShowSelected();
        window_->Invalidate();
    }
}

void TMemoCompletion::Close() {
    if (window_)
        window_->Close();
    entries_.clear();
    selected_ = -1;
}

void TMemoCompletion::Cancel() {
    if (!Showing())
        return;
    Close();
    if (editor_.OnCancelAutoCompletion)
        editor_.OnCancelAutoCompletion(&editor_);
}

bool TMemoCompletion::KeyDown(std::uint16_t key, TShiftState shift) {
    swallowChar_ = false;
    if (!Showing())
        return false;
    const int page = std::max(1, window_->VisibleRows());
    switch (key) {
    case VK_UP:
        Select(selected_ - 1);
        break;
    case VK_DOWN:
        Select(selected_ + 1);
        break;
    case VK_PRIOR:
        Select(selected_ - page);
        break;
    case VK_NEXT:
        Select(selected_ + page);
        break;
    case VK_HOME:
        Select(0);
        break;
    case VK_END:
        Select(static_cast<int>(entries_.size()) - 1);
        break;
    case VK_RETURN:
        Insert(TCompletionInsert::ByKey);
        swallowChar_ = true;
        break;
    case VK_SPACE:
        if (shift.Ctrl || shift.Alt) {
            Cancel(); // Ctrl+Space starts afresh, Ctrl+Shift+Space shows the hint
            return false;
        }
        Insert(TCompletionInsert::ByKey);
        swallowChar_ = true;
        break;
    case VK_TAB:
    case VK_ESCAPE:
        Close();
        swallowChar_ = true;
        break;
    case VK_BACK:
    case VK_DELETE:
    case VK_SHIFT:
    case VK_CONTROL:
    case VK_MENU:
    case VK_CAPITAL:
        return false; // the editor edits, or nothing happens
    default:
        if (!TypesNameCharacter(key) || shift.Ctrl || shift.Alt)
            Cancel();
        return false;
    }
    return true;
}

void TMemoCompletion::AfterKeyDown(std::uint16_t key) {
    if (!Showing() || (key != VK_BACK && key != VK_DELETE))
        return;
    // After a dot, deleting the dot ends the list.
    if (anchor_ >= 0 && editor_.CaretX() < anchor_) {
        Close();
        return;
    }
    Refilter();
}

bool TMemoCompletion::KeyPress(char& key) {
    if (swallowChar_) {
        swallowChar_ = false;
        return true;
    }
    // A character the key down kept out (Ctrl+Space's) is the editor's to drop.
    if (!Showing() || !editor_.Model().KeyAllowsTyping() || static_cast<unsigned char>(key) < 32)
        return false;
    if (key == '-')
        key = '_';
    else if (key == '(')
        Insert(TCompletionInsert::ByParenthesis);
    else if (!IsNameByte(key))
        Cancel();
    return false;
}

void TMemoCompletion::AfterKeyPress(char key) {
    if (Showing() && IsNameByte(key))
        Refilter();
}

void TMemoCompletion::Insert(TCompletionInsert how) {
    if (selected_ < 0 || selected_ >= static_cast<int>(entries_.size())) {
        Close();
        return;
    }
    // The text: the handler's, or the entry's name.
    const std::string entry = entries_[static_cast<std::size_t>(selected_)].Text;
    std::string text = entry;
    if (editor_.OnInsertAutoCompletionEntry)
        editor_.OnInsertAutoCompletionEntry(&editor_, text);
    bool parentheses = false;
    if (text == entry) {
        text = CompletionInsertion(entry, how == TCompletionInsert::ByKey);
        parentheses = text.ends_with("()") && entry.find('(') != std::string::npos &&
                      how == TCompletionInsert::ByKey;
    }
    // The range it replaces on the caret line.
    const std::string_view line = CaretLine(editor_);
    const int x = editor_.CaretX();
    const int y = editor_.CaretY();
    std::pair<int, int> range;
    if (anchor_ >= 0)
        range = {std::min(anchor_, x), x};
    else
        range = WordAround(line, x, how == TCompletionInsert::ByMouse ? " " : " ()");
    Close();
    if (editor_.OnAutoCompletion)
        editor_.OnAutoCompletion(&editor_);
    // One undo step: the selected range and the text that replaces it.
    editor_.SetCaretPosition(range.second, y);
    editor_.SetSelection({range.first, y}, {range.second, y});
    editor_.InsertText(text);
    if (parentheses) {
        editor_.SetCaretX(editor_.CaretX() - 1);
        editor_.ShowParameterHint();
    }
}
