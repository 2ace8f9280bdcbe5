#include "textbox/TextBoxEditing.h"

#include <algorithm>

#include "platform/TextCodec.h"

TextLines SplitAtBreaks(std::string_view text) {
    TextLines lines{std::string()};
    char before = 0;
    for (const char c : text) {
        if (c == '\r' || (c == '\n' && before != '\r'))
            lines.emplace_back();
        else if (c != '\n')
            lines.back().push_back(c);
        before = c;
    }
    return lines;
}

namespace {

// Says "the document changes because of us" for as long as it lives.
class OwnChange {
public:
    explicit OwnChange(bool& flag) : flag_(flag) { flag_ = true; }
    ~OwnChange() { flag_ = false; }
    OwnChange(const OwnChange&) = delete;
    OwnChange& operator=(const OwnChange&) = delete;

private:
    bool& flag_;
};

// Where `text` ends when put at `at`.
TextPos EndOf(TextPos at, const TextLines& text) {
    if (text.size() == 1)
        return {at.line, at.offset + text[0].size()};
    return {at.line + static_cast<int>(text.size()) - 1, text.back().size()};
}

} // namespace

TextBoxEditing::TextBoxEditing(core::TextDocument& document) : document_(document) {
    document_.AddListener(*this);
}

TextBoxEditing::~TextBoxEditing() {
    document_.RemoveListener(*this);
}

// --- caret and selection ---------------------------------------------------------------------

TextPos TextBoxEditing::Clamp(TextPos pos) const {
    if (document_.Count() == 0)
        return {};
    pos.line = std::clamp(pos.line, 0, document_.Count() - 1);
    const std::string_view text = document_.Line(pos.line);
    pos.offset = std::min(pos.offset, text.size());
    if (pos.offset < text.size())
        pos.offset = DisplayCharStart(text, pos.offset);
    return pos;
}

void TextBoxEditing::MoveCaret(TextPos to, bool extend) {
    caret_ = Clamp(to);
    if (!extend)
        anchor_ = caret_;
}

void TextBoxEditing::SelectAll() {
    anchor_ = {};
    caret_ = TextEnd();
}

TextPos TextBoxEditing::TextEnd() const {
    const int last = document_.Count() - 1;
    if (last < 0)
        return {};
    return {last, static_cast<std::size_t>(document_.Length(last))};
}

TextPos TextBoxEditing::CharBefore(TextPos pos) const {
    if (pos.offset > 0)
        return {pos.line, DisplayCharStart(document_.Line(pos.line), pos.offset - 1)};
    if (pos.line > 0)
        return {pos.line - 1, static_cast<std::size_t>(document_.Length(pos.line - 1))};
    return pos;
}

TextPos TextBoxEditing::CharAfter(TextPos pos) const {
    if (document_.Count() == 0)
        return pos;
    const std::string_view text = document_.Line(pos.line);
    if (pos.offset < text.size())
        return {pos.line, pos.offset + DecodeDisplayChar(text, pos.offset).length};
    if (pos.line + 1 < document_.Count())
        return {pos.line + 1, 0};
    return pos;
}

TextLines TextBoxEditing::Range(TextPos from, TextPos to) const {
    if (document_.Count() == 0)
        return {std::string()};
    if (from.line == to.line)
        return {
            std::string(document_.Line(from.line).substr(from.offset, to.offset - from.offset))};
    TextLines lines;
    lines.reserve(static_cast<std::size_t>(to.line - from.line) + 1);
    lines.emplace_back(document_.Line(from.line).substr(from.offset));
    for (int line = from.line + 1; line < to.line; ++line)
        lines.emplace_back(document_.Line(line));
    lines.emplace_back(document_.Line(to.line).substr(0, to.offset));
    return lines;
}

TextLines TextBoxEditing::Selected() const {
    return Range(SelStart(), SelEnd());
}

// --- editing ---------------------------------------------------------------------------------

TextPos TextBoxEditing::Put(TextPos from, TextPos to, const TextLines& text) {
    const OwnChange own(editing_);
    if (document_.Count() == 0)
        document_.InsertLine(0, {}); // an empty box still has the line the caret is on
    const std::string_view fromLine = document_.Line(from.line);
    std::string first(fromLine.substr(0, from.offset));
    const std::string tail(document_.Line(to.line).substr(to.offset));
    first += text.front();
    if (text.size() == 1)
        first += tail;
    document_.ReplaceLine(from.line, first);
    if (to.line > from.line)
        document_.DeleteLines(from.line + 1, to.line - from.line);
    if (text.size() > 1) {
        const std::string last = text.back() + tail;
        std::vector<std::string_view> rest(text.begin() + 1, text.end() - 1);
        rest.push_back(last);
        document_.InsertLines(from.line + 1, rest);
    }
    return EndOf(from, text);
}

void TextBoxEditing::ReplaceRange(TextPos from, TextPos to, TextLines text, StepKind kind) {
    Step step{kind, from, Range(from, to), std::move(text), caret_, anchor_};
    // Bytes that are no UTF-8 may join the text's edges into one character: the caret then
    // stands at that character's start, never inside it.
    caret_ = anchor_ = Clamp(Put(from, to, step.inserted));
    undo_.push_back(std::move(step));
}

void TextBoxEditing::Type(std::string_view bytes) {
    if (bytes.empty())
        return;
    if (!HasSelection() && !undo_.empty()) {
        Step& last = undo_.back();
        if (last.kind == StepKind::Typing && EndOf(last.at, last.inserted) == caret_) {
            caret_ = anchor_ = Clamp(Put(caret_, caret_, {std::string(bytes)}));
            last.inserted.back() += bytes;
            return;
        }
    }
    ReplaceRange(SelStart(), SelEnd(), {std::string(bytes)}, StepKind::Typing);
}

void TextBoxEditing::Paste(std::string_view text) {
    ReplaceRange(SelStart(), SelEnd(), SplitAtBreaks(text), StepKind::Other);
}

void TextBoxEditing::NewLine() {
    ReplaceRange(SelStart(), SelEnd(), {std::string(), std::string()}, StepKind::Other);
}

void TextBoxEditing::DeleteSelection() {
    if (HasSelection())
        ReplaceRange(SelStart(), SelEnd(), {std::string()}, StepKind::Other);
}

void TextBoxEditing::Backspace() {
    if (HasSelection()) {
        DeleteSelection();
        return;
    }
    const TextPos from = CharBefore(caret_);
    if (from != caret_)
        ReplaceRange(from, caret_, {std::string()}, StepKind::Other);
}

void TextBoxEditing::Delete() {
    if (HasSelection()) {
        DeleteSelection();
        return;
    }
    const TextPos to = CharAfter(caret_);
    if (to != caret_)
        ReplaceRange(caret_, to, {std::string()}, StepKind::Other);
}

bool TextBoxEditing::Undo() {
    if (undo_.empty())
        return false;
    const Step step = std::move(undo_.back());
    undo_.pop_back();
    Put(step.at, EndOf(step.at, step.inserted), step.removed);
    caret_ = Clamp(step.caretBefore);
    anchor_ = Clamp(step.anchorBefore);
    return true;
}

void TextBoxEditing::LinesChanged(const core::LineChange& change) {
    if (editing_)
        return;
    undo_.clear();
    if (change.replacedAll) {
        caret_ = anchor_ = {};
        return;
    }
    // Lines below the change move with it; a place in a changed line stays in the text.
    auto follow = [&](TextPos pos) {
        if (pos.line >= change.first + change.removed)
            pos.line += change.added - change.removed;
        else if (pos.line >= change.first + change.added)
            pos.line = change.first + change.added;
        return Clamp(pos);
    };
    caret_ = follow(caret_);
    anchor_ = follow(anchor_);
}
